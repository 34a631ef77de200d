#include "publish/ExeIconPatch.h"

#include <algorithm>
#include <vector>

#include "framework/core/File.h"
#include "framework/core/FileException.h"
#include "publish/IconImage.h"

namespace {

constexpr DWORD kLargeImageBytes = 744;  // header 40 + palette 64 + bits 512 + mask 128
constexpr DWORD kSmallImageBytes = 296;  // 40 + 64 + 128 + 64
constexpr DWORD kBitsOffset = 40 + 64;   // the pixels follow the header and the palette
// More than any player build: a limit on what a damaged header can make us read.
constexpr DWORD kMaxImageBytes = 64 * 1024 * 1024;

// The executable's image part (headers and sections, not what is appended), with
// bounds-checked reads: every number in it may be hostile.
class PeImage {
 public:
  explicit PeImage(const char* path) { m_ok = Load(path); }
  bool Ok() const { return m_ok; }

  bool U16(DWORD at, DWORD& value) const {
    if (at > m_bytes.size() || m_bytes.size() - at < 2) return false;
    value = m_bytes[at] | (m_bytes[at + 1] << 8);
    return true;
  }
  bool U32(DWORD at, DWORD& value) const {
    if (at > m_bytes.size() || m_bytes.size() - at < 4) return false;
    value = m_bytes[at] | (m_bytes[at + 1] << 8) | (m_bytes[at + 2] << 16) | (static_cast<DWORD>(m_bytes[at + 3]) << 24);
    return true;
  }
  // The file position of length bytes at rva, when one section holds them all.
  bool RvaToOffset(DWORD rva, DWORD length, DWORD& offset) const {
    for (const Section& s : m_sections) {
      if (rva < s.rva || rva - s.rva > s.rawSize || s.rawSize - (rva - s.rva) < length) continue;
      offset = s.rawOffset + (rva - s.rva);
      return offset <= m_bytes.size() && m_bytes.size() - offset >= length;
    }
    return false;
  }
  DWORD ResourceRva() const { return m_resourceRva; }

 private:
  struct Section {
    DWORD rva, rawSize, rawOffset;
  };

  bool Load(const char* path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
    try {
      const ULONGLONG length = file.GetLength();
      m_bytes.resize(static_cast<size_t>(std::min<ULONGLONG>(length, 4096)));
      if (file.Read(m_bytes.data(), static_cast<UINT>(m_bytes.size())) != m_bytes.size()) return false;
      if (!ParseHeaders()) return false;
      // Read on to the end of the last section.
      DWORD end = 0;
      for (const Section& s : m_sections) end = std::max(end, s.rawOffset + std::min(s.rawSize, kMaxImageBytes));
      if (end > length || end > kMaxImageBytes) return false;
      if (end > m_bytes.size()) {
        const size_t had = m_bytes.size();
        m_bytes.resize(end);
        if (file.Read(m_bytes.data() + had, static_cast<UINT>(end - had)) != end - had) return false;
      }
    } catch (const CFileException&) {
      return false;
    }
    return true;
  }

  bool ParseHeaders() {
    DWORD mz = 0, pe = 0, signature = 0, sections = 0, optionalSize = 0, magic = 0;
    if (!U16(0, mz) || mz != 0x5A4D || !U32(0x3C, pe) || !U32(pe, signature) || signature != 0x4550) return false;
    if (!U16(pe + 6, sections) || !U16(pe + 20, optionalSize)) return false;
    const DWORD optional = pe + 24;
    if (!U16(optional, magic)) return false;
    DWORD directories = 0, countAt = 0;
    if (magic == 0x10B) {
      countAt = optional + 92;
      directories = optional + 96;
    } else if (magic == 0x20B) {
      countAt = optional + 108;
      directories = optional + 112;
    } else {
      return false;
    }
    DWORD count = 0;
    if (!U32(countAt, count) || count < 3 || !U32(directories + 2 * 8, m_resourceRva) || m_resourceRva == 0)
      return false;
    const DWORD table = optional + optionalSize;
    for (DWORD i = 0; i < sections; ++i) {
      Section s{};
      if (!U32(table + i * 40 + 12, s.rva) || !U32(table + i * 40 + 16, s.rawSize) ||
          !U32(table + i * 40 + 20, s.rawOffset))
        return false;
      if (s.rawSize > 0 && s.rawOffset + 0ULL + s.rawSize <= 0xFFFFFFFFULL) m_sections.push_back(s);
    }
    return !m_sections.empty();
  }

  std::vector<BYTE> m_bytes;
  std::vector<Section> m_sections;
  DWORD m_resourceRva = 0;
  bool m_ok = false;
};

// The resource directory: three levels (type, name, language) of tables whose offsets
// count from the start of the resource section.
class ResourceDirectory {
 public:
  explicit ResourceDirectory(const PeImage& image) : m_image(image) {}

  // The entry of a table: its id (named entries have none) and its target.
  struct Entry {
    bool named;
    DWORD id;
    DWORD target;  // high bit: a table below; else a data entry
  };

  bool Entries(DWORD tableOffset, std::vector<Entry>& entries) const {
    DWORD at = 0, named = 0, ids = 0;
    if (!m_image.RvaToOffset(m_image.ResourceRva() + tableOffset, 16, at) || !m_image.U16(at + 12, named) ||
        !m_image.U16(at + 14, ids))
      return false;
    // The whole table lies in the section that holds its header: counts that run past it
    // would read other sections' bytes as entries.
    DWORD whole = 0;
    if (!m_image.RvaToOffset(m_image.ResourceRva() + tableOffset, 16 + (named + ids) * 8, whole)) return false;
    entries.clear();
    for (DWORD i = 0; i < named + ids; ++i) {
      DWORD name = 0, target = 0;
      if (!m_image.U32(at + 16 + i * 8, name) || !m_image.U32(at + 20 + i * 8, target)) return false;
      entries.push_back(Entry{(name & 0x80000000u) != 0, name & 0xFFFF, target});
    }
    return true;
  }

  // The data of the first language of resource (type, the entry of a name): its file
  // offset and size.
  bool Data(const Entry& nameEntry, DWORD& offset, DWORD& size) const {
    if (!(nameEntry.target & 0x80000000u)) return false;
    std::vector<Entry> languages;
    if (!Entries(nameEntry.target & 0x7FFFFFFFu, languages) || languages.empty()) return false;
    if (languages[0].target & 0x80000000u) return false;  // a data entry, never a table
    DWORD at = 0, rva = 0;
    if (!m_image.RvaToOffset(m_image.ResourceRva() + languages[0].target, 16, at) || !m_image.U32(at, rva) ||
        !m_image.U32(at + 4, size))
      return false;
    return m_image.RvaToOffset(rva, size, offset);
  }

  // The table of names of a resource type.
  bool TypeTable(DWORD type, std::vector<Entry>& names) const {
    std::vector<Entry> types;
    if (!Entries(0, types)) return false;
    for (const Entry& e : types) {
      if (!e.named && e.id == type && (e.target & 0x80000000u)) return Entries(e.target & 0x7FFFFFFFu, names);
    }
    return false;
  }

 private:
  const PeImage& m_image;
};

// The image of RT_ICON id, when its header is the one a 16-colour image of that size has.
DWORD CheckedImage(const PeImage& image, const ResourceDirectory& resources,
                   const std::vector<ResourceDirectory::Entry>& icons, DWORD id, int size, DWORD bytes) {
  for (const auto& icon : icons) {
    if (icon.named || icon.id != id) continue;
    DWORD offset = 0, length = 0, headerSize = 0, width = 0, height = 0, planes = 0, bitCount = 0;
    if (!resources.Data(icon, offset, length) || length != bytes) return 0;
    if (!image.U32(offset, headerSize) || !image.U32(offset + 4, width) || !image.U32(offset + 8, height) ||
        !image.U16(offset + 12, planes) || !image.U16(offset + 14, bitCount))
      return 0;
    const bool expected = headerSize == 40 && width == static_cast<DWORD>(size) &&
                          height == static_cast<DWORD>(2 * size) && planes == 1 && bitCount == 4;
    return expected ? offset : 0;
  }
  return 0;
}

}  // namespace

IconImageOffsets LocateIconImages(const char* exePath) {
  PeImage image(exePath);
  if (!image.Ok()) return {};
  ResourceDirectory resources(image);
  std::vector<ResourceDirectory::Entry> groups, icons;
  if (!resources.TypeTable(14 /* RT_GROUP_ICON */, groups) || groups.empty() ||
      !resources.TypeTable(3 /* RT_ICON */, icons))
    return {};
  // The shell shows the first group of the directory.
  DWORD groupAt = 0, groupSize = 0, count = 0;
  if (!resources.Data(groups[0], groupAt, groupSize) || groupSize < 6 || !image.U16(groupAt + 4, count) ||
      6 + count * 14 > groupSize)
    return {};
  IconImageOffsets found;
  for (DWORD i = 0; i < count; ++i) {
    const DWORD entry = groupAt + 6 + i * 14;
    DWORD width = 0, bitCount = 0, id = 0;
    if (!image.U16(entry + 6, bitCount) || !image.U16(entry + 12, id)) return {};
    width = image.U16(entry, width) ? (width & 0xFF) : 0;
    if (bitCount != 4) continue;
    if (width == 32 && !found.large) found.large = CheckedImage(image, resources, icons, id, 32, kLargeImageBytes);
    if (width == 16 && !found.small) found.small = CheckedImage(image, resources, icons, id, 16, kSmallImageBytes);
  }
  return found.Found() ? found : IconImageOffsets{};
}

bool PatchExeIcon(const char* exePath, HICON large, HICON small, CWnd* window) {
  const IconImageOffsets at = LocateIconImages(exePath);
  if (!at.Found()) return false;
  CIconImage renderer;
  renderer.m_pWnd = window;
  BYTE bits32[CIconImage::kBits32];
  BYTE bits16[CIconImage::kBits16];
  renderer.MakeIconBits32(large, bits32);
  renderer.MakeIconBits16(small, bits16);
  CFile file;
  if (!file.Open(exePath, CFile::modeReadWrite | CFile::shareExclusive)) return false;
  try {
    file.Seek(at.large + kBitsOffset, CFile::begin);
    file.Write(bits32, sizeof bits32);
    file.Seek(at.small + kBitsOffset, CFile::begin);
    file.Write(bits16, sizeof bits16);
    file.Close();
  } catch (const CFileException&) {
    return false;
  }
  return true;
}

bool PatchExeIcon(const char* exePath, int iconId, CWnd* window) {
  CIconImage source;
  HICON large = nullptr, small = nullptr;
  source.ExtractModuleIcons(iconId, &large, &small);
  const bool patched = large && small && PatchExeIcon(exePath, large, small, window);
  if (large) ::DestroyIcon(large);
  if (small) ::DestroyIcon(small);
  return patched;
}
