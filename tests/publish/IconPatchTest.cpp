// The icon of a published executable: an icon packed into 16-colour image bits, the
// player's two images found through its resource directory, and a copy patched in place
// or, when anything in it is out of place, left exactly as it was.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <functional>
#include <vector>

#include "publish/ExeIconPatch.h"
#include "publish/IconImage.h"
#include "tests/publish/PackageFixture.h"
#include "tests/support/ProgramProcess.h"

using namespace packagetest;

namespace {

constexpr COLORREF kOffPalette = RGB(0x12, 0x34, 0x56);

// A size x size icon face, rows top-down: the 16 palette colours in order in the left
// half (for 32: columns 0-15; for 16: columns 0-7 as colours 0-7), then for 32 a band of
// the row's own palette colour (columns 16-23) and off-palette pixels (24-31); for 16
// off-palette pixels in columns 8-15. The bottom row's first pixel is colour 12.
std::vector<COLORREF> Face(int size) {
  std::vector<COLORREF> pixels(static_cast<size_t>(size * size));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      COLORREF c = kOffPalette;
      if (x < size / 2) c = CIconImage::kPalette[x];
      else if (size == 32 && x < 24) c = CIconImage::kPalette[y % 16];
      pixels[static_cast<size_t>(y * size + x)] = c;
    }
  }
  pixels[static_cast<size_t>((size - 1) * size)] = CIconImage::kPalette[12];
  return pixels;
}

// The bytes the face must give, written from its description: rows bottom-up, two
// pixels a byte, then the mask rows padded to 4 bytes.
std::vector<BYTE> ExpectedBits(int size) {
  std::vector<BYTE> bits;
  for (int row = 0; row < size; ++row) {
    const int y = size - 1 - row;
    if (size == 32) {
      const BYTE band = static_cast<BYTE>((y % 16) << 4 | (y % 16));
      bits.insert(bits.end(), {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, band, band, band, band, 0, 0, 0, 0});
    } else {
      bits.insert(bits.end(), {0x01, 0x23, 0x45, 0x67, 0, 0, 0, 0});
    }
  }
  bits[0] = static_cast<BYTE>(0xC0 | (bits[0] & 0x0F));  // the bottom row's first pixel, high nibble
  for (int row = 0; row < size; ++row) {
    if (size == 32) bits.insert(bits.end(), {0x00, 0x00, 0x00, 0xFF});
    else bits.insert(bits.end(), {0x00, 0xFF, 0x00, 0x00});
  }
  return bits;
}

// An icon made by the system from the face, opaque everywhere (an all-zero mask).
HICON FaceIcon(int size) {
  const std::vector<COLORREF> face = Face(size);
  std::vector<DWORD> argb(face.size());
  for (size_t i = 0; i < face.size(); ++i)
    argb[i] = (GetRValue(face[i]) << 16) | (GetGValue(face[i]) << 8) | GetBValue(face[i]);
  HBITMAP colour = ::CreateBitmap(size, size, 1, 32, argb.data());
  std::vector<BYTE> zeros(static_cast<size_t>(size * size / 8 + 64), 0);
  HBITMAP mask = ::CreateBitmap(size, size, 1, 1, zeros.data());
  ICONINFO info = {TRUE, 0, 0, mask, colour};
  HICON icon = ::CreateIconIndirect(&info);
  ::DeleteObject(colour);
  ::DeleteObject(mask);
  return icon;
}

CString MiraboPath() { return programtest::BuiltProgramPath(MIRABO_EXE); }

TEST(IconImage, PacksPaletteColoursAndMasksTheRest) {
  for (int size : {32, 16}) {
    SCOPED_TRACE(size);
    const std::vector<BYTE> expected = ExpectedBits(size);
    ASSERT_EQ(static_cast<size_t>(size == 32 ? CIconImage::kBits32 : CIconImage::kBits16), expected.size());
    std::vector<BYTE> bits(expected.size(), 0xCD);
    CIconImage::PackIconBits(Face(size).data(), size, bits.data());
    EXPECT_EQ(expected, bits);
  }
}

TEST(IconImage, ASystemIconOfTheFaceRendersToTheSameBits) {
  CIconImage renderer;
  for (int size : {32, 16}) {
    SCOPED_TRACE(size);
    HICON icon = FaceIcon(size);
    ASSERT_NE(nullptr, icon);
    std::vector<BYTE> bits(ExpectedBits(size).size());
    if (size == 32) renderer.MakeIconBits32(icon, bits.data());
    else renderer.MakeIconBits16(icon, bits.data());
    EXPECT_EQ(ExpectedBits(size), bits);
    ::DestroyIcon(icon);
  }
}

// --- The player's images and hostile stubs ------------------------------------------

DWORD U32At(const std::string& bytes, size_t at) {
  DWORD v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<BYTE>(bytes[at + static_cast<size_t>(i)]);
  return v;
}
void PutU32(std::string& bytes, size_t at, DWORD v) { bytes.replace(at, 4, U32(v)); }
void PutU16(std::string& bytes, size_t at, WORD v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}

// What the system's own resource functions give for the player: the bytes of its first
// group and of its two images, to find them in the file.
struct PlayerResources {
  std::string group, large, small;
};
PlayerResources ReadPlayerResources() {
  PlayerResources r;
  HMODULE module = ::LoadLibraryExW(Wide(MiraboPath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return r;
  auto bytes = [&](LPCWSTR name, LPCWSTR type) {
    HRSRC found = ::FindResourceW(module, name, type);
    if (!found) return std::string();
    return std::string(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                       ::SizeofResource(module, found));
  };
  r.group = bytes(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(14));
  r.large = bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(3));
  r.small = bytes(MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(3));
  ::FreeLibrary(module);
  return r;
}

// File positions in the player's headers, for the cases that damage them.
size_t PeAt(const std::string& exe) { return U32At(exe, 0x3C); }
size_t ResourceDirectoryEntry(const std::string& exe) { return PeAt(exe) + 24 + 112 + 2 * 8; }  // PE32+
size_t ResourceSectionOffset(const std::string& exe) {
  const size_t pe = PeAt(exe);
  const size_t table = pe + 24 + (static_cast<BYTE>(exe[pe + 20]) | static_cast<BYTE>(exe[pe + 21]) << 8);
  const size_t sections = static_cast<BYTE>(exe[pe + 6]) | static_cast<BYTE>(exe[pe + 7]) << 8;
  const DWORD rva = U32At(exe, ResourceDirectoryEntry(exe));
  for (size_t i = 0; i < sections; ++i) {
    if (U32At(exe, table + i * 40 + 12) == rva) return U32At(exe, table + i * 40 + 20);
  }
  return 0;
}

// The root table's entry of the type RT_ICON.
size_t IconTypeEntry(const std::string& exe, size_t root) {
  const size_t entries = (static_cast<BYTE>(exe[root + 12]) | static_cast<BYTE>(exe[root + 13]) << 8) +
                         (static_cast<BYTE>(exe[root + 14]) | static_cast<BYTE>(exe[root + 15]) << 8);
  for (size_t i = 0; i < entries; ++i) {
    if (U32At(exe, root + 16 + i * 8) == 3) return root + 16 + i * 8;
  }
  return root;
}

TEST(IconPatch, FindsThePlayersImagesOrNothingInAHostileStub) {
  const std::string player = ReadFileBytes(MiraboPath());
  const PlayerResources resources = ReadPlayerResources();
  ASSERT_EQ(744u, resources.large.size());
  ASSERT_EQ(296u, resources.small.size());
  const size_t group = player.find(resources.group), rsrc = ResourceSectionOffset(player);
  ASSERT_NE(std::string::npos, group);
  ASSERT_NE(0u, rsrc);
  const size_t smallHeader = player.find(resources.small);
  ASSERT_NE(std::string::npos, smallHeader);

  using Damage = std::function<void(std::string&)>;
  const struct {
    const char* what;
    Damage damage;
    bool found;
  } cases[] = {
      {"the player with a package", [](std::string& b) { b = ComposePackage(b, {{"a.rvx", "page"}}); }, true},
      {"not a PE", [](std::string& b) { b = Patterned(200000, 3); }, false},
      {"headers cut short", [](std::string& b) { b.resize(300); }, false},
      {"no resource directory", [&](std::string& b) { PutU32(b, ResourceDirectoryEntry(b), 0); }, false},
      {"directory outside every section", [&](std::string& b) { PutU32(b, ResourceDirectoryEntry(b), 0x7FFFFFF0); },
       false},
      {"image 2 missing from the group", [&](std::string& b) { PutU16(b, group + 6 + 14 + 12, 99); }, false},
      {"an 8-bit image", [&](std::string& b) { PutU16(b, smallHeader + 14, 8); }, false},
      {"group count past its data", [&](std::string& b) { PutU16(b, group + 4, 0xFFFF); }, false},
      {"table count past the file", [&](std::string& b) { PutU16(b, rsrc + 14, 0xFFFF); }, false},
      {"a type that points back at the root", [&](std::string& b) { PutU32(b, IconTypeEntry(b, rsrc) + 4, 0x80000000u); },
       false},
  };
  TempFolder folder;
  HICON large = FaceIcon(32), small = FaceIcon(16);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = player;
    c.damage(bytes);
    const CString exe = folder / "copy.exe";
    WriteFileBytes(exe, bytes);
    const IconImageOffsets at = LocateIconImages(exe);
    EXPECT_EQ(c.found, at.Found());
    if (c.found) {
      EXPECT_EQ(resources.large, bytes.substr(at.large, 744));
      EXPECT_EQ(resources.small, bytes.substr(at.small, 296));
    }
    EXPECT_EQ(c.found, PatchExeIcon(exe, large, small));
    if (!c.found) {
      EXPECT_EQ(bytes, ReadFileBytes(exe));
    }
  }
  ::DestroyIcon(large);
  ::DestroyIcon(small);
}

TEST(IconPatch, WritesOnlyThePixelsAndTheShellShowsTheNewIcon) {
  TempFolder folder;
  const std::string player = ComposePackage(ReadFileBytes(MiraboPath()), {{"home.rvx", Patterned(5000, 2)}});
  const CString exe = folder / "course.exe";
  WriteFileBytes(exe, player);
  const IconImageOffsets at = LocateIconImages(exe);
  ASSERT_TRUE(at.Found());
  HICON large = FaceIcon(32), small = FaceIcon(16);
  ASSERT_TRUE(PatchExeIcon(exe, large, small));
  ::DestroyIcon(large);
  ::DestroyIcon(small);

  const std::string patched = ReadFileBytes(exe);
  ASSERT_EQ(player.size(), patched.size());
  size_t outside = 0;
  for (size_t i = 0; i < player.size(); ++i) {
    const bool inLarge = i >= at.large + 104 && i < at.large + 744;
    const bool inSmall = i >= at.small + 104 && i < at.small + 296;
    if (!inLarge && !inSmall && player[i] != patched[i]) ++outside;
  }
  EXPECT_EQ(0u, outside);
  const std::vector<BYTE> large32 = ExpectedBits(32), small16 = ExpectedBits(16);
  EXPECT_EQ(std::string(large32.begin(), large32.end()), patched.substr(at.large + 104, 640));
  EXPECT_EQ(std::string(small16.begin(), small16.end()), patched.substr(at.small + 104, 192));

  // What the shell would show: the file's icon, drawn, gives the same bits again.
  HICON shown = nullptr;
  ::ExtractIconExW(Wide(exe).c_str(), 0, &shown, nullptr, 1);
  ASSERT_NE(nullptr, shown);
  CIconImage renderer;
  std::vector<BYTE> bits(CIconImage::kBits32);
  renderer.MakeIconBits32(shown, bits.data());
  EXPECT_EQ(large32, bits);
  ::DestroyIcon(shown);
  // Wine's shell makes small icons by shrinking the large image: the small image is
  // read as the system reads an icon resource instead.
  const std::string smallImage = patched.substr(at.small, 296);
  HICON shownSmall = ::CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(smallImage.data())), 296,
                                                TRUE, 0x30000, 16, 16, 0);
  ASSERT_NE(nullptr, shownSmall);
  std::vector<BYTE> smallBits(CIconImage::kBits16);
  renderer.MakeIconBits16(shownSmall, smallBits.data());
  EXPECT_EQ(small16, smallBits);
  ::DestroyIcon(shownSmall);
}

}  // namespace
