#include "package/PackageIndex.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/core/Codepage.h"
#include "framework/core/ModulePath.h"
#include "framework/core/PlainFileName.h"
#include "package/PackageSourceReader.h"
#include "package/ShellFileOp.h"

namespace {

constexpr char kMarker[10] = {'!', 'Q', 'O', 'V', 'A', '_', 'S', 'F', 'X', '!'};
constexpr ULONGLONG kMarkerLength = sizeof kMarker;
constexpr ULONGLONG kTailLength = 4 + kMarkerLength;  // count and marker
constexpr ULONGLONG kRecordFixedLength = 12;          // offset, size, name length
constexpr ULONGLONG kMaxOffset = 0xFFFFFFFFull;
// Large enough that a copy costs little more than the disk's own time; still fixed
// buffers, so no file is ever held whole in memory.
constexpr UINT kTransferSize = 1024 * 1024;

DWORD LoadU32(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 | static_cast<DWORD>(p[2]) << 16 |
         static_cast<DWORD>(p[3]) << 24;
}

void AppendU32(std::vector<BYTE>& out, DWORD value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<BYTE>(value >> shift));
}

// Reads exactly count bytes at position; false when the file holds fewer.
bool ReadAt(CFile& file, ULONGLONG position, BYTE* buffer, size_t count) {
  file.Seek(static_cast<LONGLONG>(position), CFile::begin);
  while (count > 0) {
    const UINT want = static_cast<UINT>(std::min<size_t>(count, kTransferSize));
    const UINT got = file.Read(buffer, want);
    if (got == 0) return false;
    buffer += got;
    count -= got;
  }
  return true;
}

std::wstring Wide(const char* path) { return codepage::ToWide(CString(path).str()); }

bool IsDirectory(const char* path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Removes a file this code made, even when it inherited a read-only attribute from the
// file it was copied from.
void RemoveMadeFile(const char* path) {
  const std::wstring wide = Wide(path);
  ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(wide.c_str());
}

bool EndsInBackslash(const CString& text) {
  const std::string& bytes = text.str();
  bool last = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    last = bytes[i] == '\\';
    // A trail byte may be 0x5C: step over double-byte characters whole.
    if (codepage::IsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size()) ++i;
  }
  return last;
}

}  // namespace

void PackageIndex::Clear() {
  m_entries.clear();
  m_trailerLength = 0;
}

int PackageIndex::AddFile(const char* fullPath) {
  if (GetCount() >= kMaxEntries) return 0;
  PackageEntry entry;
  if (!entry.SetFromPath(fullPath)) return 0;
  m_entries.push_back(std::move(entry));
  return 1;
}

int PackageIndex::WritePackage(const char* stubPath, const char* outputPath, PackageCallback callback,
                               void* user) {
  if (m_entries.empty()) return kPackageEmpty;

  ULONGLONG stubLength = 0;
  {
    CFile stub;
    if (!stub.Open(stubPath, CFile::modeRead | CFile::shareDenyWrite)) return kPackageStubFailed;
    try {
      stubLength = stub.GetLength();
    } catch (const CFileException&) {
      return kPackageStubFailed;
    }
  }
  // Offsets and sizes are 32-bit: a larger package would wrap into a corrupt one.
  ULONGLONG total = stubLength;
  for (const PackageEntry& entry : m_entries) total += entry.m_size;
  if (total > kMaxOffset) return kPackageOutputFailed;
  // The shell would copy the stub into a folder of that name.
  if (IsDirectory(outputPath)) return kPackageOutputFailed;

  CShellFileOp copy;
  copy.AddPath(CShellFileOp::source, stubPath);
  copy.AddPath(CShellFileOp::destination, outputPath);
  copy.SetFlags(FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY);
  if (copy.Copy() != 0) return kPackageStubFailed;

  // From here on the output is ours: on any failure it goes, so that no half package
  // stands under the deliverable's name.
  std::unique_ptr<CFile> output = OpenOutput(outputPath);
  int result = kPackageOutputFailed;
  if (output) {
    try {
      // Only the stub may precede the data, whatever stood under this name before.
      if (output->GetLength() != stubLength) {
        result = kPackageStubFailed;
      } else {
        output->SeekToEnd();
        result = AppendPackageFiles(*output, callback, user);
        if (result == 0) output->Close();
      }
    } catch (const CFileException&) {
      result = kPackageOutputFailed;
    }
  }
  if (result == 0) return kPackageOk;
  output.reset();
  RemoveMadeFile(outputPath);
  return result;
}

std::unique_ptr<CFile> PackageIndex::OpenOutput(const char* outputPath) {
  auto output = std::make_unique<CFile>();
  if (!output->Open(outputPath, CFile::modeWrite | CFile::shareExclusive)) return nullptr;
  return output;
}

int PackageIndex::AppendPackageFiles(CFile& output, PackageCallback callback, void* user) {
  try {
    std::vector<PackageSourceReader::Source> sources;
    for (const PackageEntry& entry : m_entries) sources.push_back({entry.m_fullPath, entry.m_size});
    PackageSourceReader reader(std::move(sources), kTransferSize);
    size_t next = 0;  // the first entry whose offset is not yet set
    for (size_t done = 0; done < m_entries.size();) {
      const PackageSourceReader::Block block = reader.Next();
      if (block.kind == PackageSourceReader::cannotOpen) return kPackageSourceFailed;
      if (block.kind == PackageSourceReader::readFailed) return kPackageOutputFailed;
      PackageEntry& entry = m_entries[block.source];
      if (block.source == next) {
        const ULONGLONG position = output.GetPosition();
        if (position + entry.m_size > kMaxOffset) return kPackageOutputFailed;
        entry.m_offset = static_cast<DWORD>(position);
        ++next;
      }
      if (block.kind == PackageSourceReader::data) {
        output.Write(block.buffer->data(), block.bytes);
        reader.Release(block.buffer);
      } else {
        // The directory records what was really copied, so later offsets stay true.
        entry.m_size = block.bytes;
        ++done;
        if (callback) callback(entry, user);
      }
    }

    std::vector<BYTE> directory;
    for (const PackageEntry& entry : m_entries) {
      AppendU32(directory, entry.m_offset);
      AppendU32(directory, entry.m_size);
      const std::string& name = entry.m_name.str();
      directory.insert(directory.end(), name.begin(), name.end());
      AppendU32(directory, static_cast<DWORD>(name.size()));
    }
    AppendU32(directory, static_cast<DWORD>(m_entries.size()));
    directory.insert(directory.end(), kMarker, kMarker + kMarkerLength);
    output.Write(directory.data(), static_cast<UINT>(directory.size()));
  } catch (const CFileException&) {
    return kPackageOutputFailed;
  } catch (const std::exception&) {  // no memory or no thread for the copy
    return kPackageOutputFailed;
  }
  return 0;
}

int PackageIndex::Read(const char* path) {
  Clear();
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return kPackageCannotOpen;
  try {
    const ULONGLONG length = file.GetLength();
    BYTE tail[kTailLength];
    if (length < kTailLength || !ReadAt(file, length - kTailLength, tail, kTailLength)) return kPackageNoMarker;
    if (std::memcmp(tail + 4, kMarker, kMarkerLength) != 0) return kPackageNoMarker;
    const DWORD count = LoadU32(tail);
    if (count == 0) return kPackageEmpty;
    if (count > static_cast<DWORD>(kMaxEntries)) return kPackageNoMarker;

    // Read no more than the longest directory of count records could be; every position
    // below is checked against what was read, so a hostile record cannot reach outside.
    const ULONGLONG longest = kTailLength + count * (kRecordFixedLength + PackageEntry::kMaxNameLength);
    const size_t span = static_cast<size_t>(std::min(length, longest));
    std::vector<BYTE> bytes(span);
    if (!ReadAt(file, length - span, bytes.data(), span)) return kPackageNoMarker;

    std::vector<PackageEntry> entries(count);
    size_t consumed = kTailLength;  // bytes from the end of the file already walked
    for (DWORD i = count; i-- > 0;) {
      if (consumed + 4 > span) return kPackageNoMarker;
      const DWORD nameLength = LoadU32(&bytes[span - consumed - 4]);
      consumed += 4;
      if (nameLength > static_cast<DWORD>(PackageEntry::kMaxNameLength) || consumed + nameLength + 8 > span)
        return kPackageNoMarker;
      consumed += nameLength;
      PackageEntry& entry = entries[i];
      entry.m_name = CString(reinterpret_cast<const char*>(&bytes[span - consumed]), static_cast<int>(nameLength));
      entry.m_size = LoadU32(&bytes[span - consumed - 4]);
      entry.m_offset = LoadU32(&bytes[span - consumed - 8]);
      consumed += 8;
    }
    // Every entry's data must lie in front of the directory.
    const ULONGLONG dataEnd = length - consumed;
    for (const PackageEntry& entry : entries)
      if (static_cast<ULONGLONG>(entry.m_offset) + entry.m_size > dataEnd) return kPackageNoMarker;

    m_entries = std::move(entries);
    m_trailerLength = static_cast<int>(consumed);
  } catch (const CFileException&) {
    return kPackageCannotOpen;
  }
  return kPackageOk;
}

DWORD PackageIndex::FindPage(const char* name, bool reread) {
  if (reread && Read(GetModulePath()) != kPackageOk) return 0;
  const int index = FindEntry(name);
  return index < 0 ? 0 : m_entries[static_cast<size_t>(index)].m_offset;
}

int PackageIndex::FindEntry(const char* name) const {
  const CString wanted(name);
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const PackageEntry& entry = m_entries[i];
    // CompareNoCase folds ASCII letters only where they are whole characters, so two
    // double-byte characters whose trail bytes are 'A' and 'a' stay different. The
    // length test keeps a name with a NUL inside from matching its first part.
    if (entry.m_name.GetLength() == wanted.GetLength() && entry.m_name.CompareNoCase(wanted) == 0)
      return static_cast<int>(i);
  }
  return -1;
}

DWORD PackageIndex::GetPage(int index, bool reread) {
  if (reread && Read(GetModulePath()) != kPackageOk) return 0;
  if (index < 0 || index >= GetCount()) return 0;
  return m_entries[static_cast<size_t>(index)].m_offset;
}

int PackageIndex::ExtractPackage(const char* folder, PackageCallback callback, void* user) {
  return ExtractPackageFrom(GetModulePath(), folder, callback, user);
}

int PackageIndex::ExtractPackageFrom(const char* packagePath, const char* folder, PackageCallback callback,
                                     void* user) {
  CString target(folder);
  WithTrailingBackslash(target);
  const int read = Read(packagePath);
  if (read != kPackageOk) return read;
  CFile package;
  if (!package.Open(packagePath, CFile::modeRead | CFile::shareDenyWrite)) return kPackageSourceFailed;
  // Every entry is tried, but a single one not written makes the whole a failure: an
  // installation must not be reported complete without its files.
  int result = kPackageOk;
  for (int i = GetCount(); i-- > 0;) {
    const int written = ExtractPackageEntry(package, i, target);
    if (written != kPackageOk) result = written;
    if (callback) callback(m_entries[static_cast<size_t>(i)], user);
  }
  return result;
}

int PackageIndex::ExtractPackageEntry(CFile& package, int index, const CString& folder) {
  if (index < 0 || index >= GetCount()) return kPackageOutputFailed;
  const PackageEntry& entry = m_entries[static_cast<size_t>(index)];
  if (!IsPlainFileName(entry.m_name)) return kPackageOutputFailed;
  CString target(folder);
  const CString path = WithTrailingBackslash(target) + entry.m_name;

  CFile output;
  if (!output.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
    return kPackageOutputFailed;
  try {
    std::vector<BYTE> buffer(std::min<DWORD>(kTransferSize, entry.m_size));
    package.Seek(entry.m_offset, CFile::begin);
    DWORD missing = entry.m_size;
    while (missing > 0) {
      const UINT got = package.Read(buffer.data(), std::min<DWORD>(kTransferSize, missing));
      if (got == 0) break;  // the package ends early
      output.Write(buffer.data(), got);
      missing -= got;
    }
    if (missing == 0) {
      output.Close();
      return kPackageOk;
    }
  } catch (const CFileException&) {
  }
  // A part of a file is worse than none: it would pass for the whole.
  output.Abort();
  RemoveMadeFile(path);
  return kPackageOutputFailed;
}

CString PackageIndex::WithTrailingBackslash(CString& folder) {
  if (!folder.IsEmpty() && !EndsInBackslash(folder)) folder += '\\';
  return folder;
}

CString GetModulePath() { return ModuleFileName(nullptr); }
