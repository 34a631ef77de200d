// Component library files: golden bytes of the empty library, round trips, the wrong
// signature, hostile files (each refused or read as the format allows, the objects read
// before a failure left for the caller), the file helpers, and which objects export.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "graphics/Picture.h"
#include "model/DrawCompObj.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/ObjLib.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

namespace {

Bytes StoreLib(CObjLib& lib) {
  return StoreToBytes([&](CArchive& ar) { lib.Serialize(ar); });
}

Bytes EmptyLibraryBytes() {
  Bytes want;
  want.push_back(10);
  AppendText(want, "kelvanelib");
  want.push_back(0);          // description
  AppendDword(want, 0x10000);  // version
  AppendWord(want, 0);        // object count
  return want;
}

// A library of a rectangle and a text object, as bytes.
Bytes TwoObjectLibrary(const char* description = "shapes") {
  CObjLib lib;
  lib.m_strDescription = description;
  CDrawRect rect(CRect(4, 40, 60, 4));
  rect.m_name = "box";
  CDrawText text(CRect(10, 30, 90, 10));
  text.m_name = "label";
  lib.AddObject(&rect);
  lib.AddObject(&text);
  const Bytes bytes = StoreLib(lib);
  lib.RemoveObject(&rect);
  lib.RemoveObject(&text);
  return bytes;
}

size_t Find(const Bytes& b, const std::string& what) {
  return std::string(b.begin(), b.end()).find(what);
}

CString TempPath(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  return CString(dir) + name;
}

void WriteBytes(const CString& path, const Bytes& bytes) {
  CFile f(path, CFile::modeCreate | CFile::modeWrite);
  if (!bytes.empty()) f.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

Bytes ReadBytes(const CString& path) {
  CFile f(path, CFile::modeRead);
  Bytes b(static_cast<size_t>(f.GetLength()));
  if (!b.empty()) f.Read(b.data(), static_cast<UINT>(b.size()));
  return b;
}

}  // namespace

TEST(ComponentLibrary, EmptyLibraryIsSignatureDescriptionVersionAndCountZero) {
  CObjLib lib;
  EXPECT_EQ(Hex(EmptyLibraryBytes()), Hex(StoreLib(lib)));
  EXPECT_STREQ("kelvanelib", lib.m_strSignature);
}

TEST(ComponentLibrary, ObjectsAndVersionRoundTripByteForByte) {
  TestHost host;
  Bytes bytes = TwoObjectLibrary();
  bytes[20] = 0x02;  // version 0x10000 -> 0x20000 (bytes 18..21, after "shapes")
  CObjLib lib;
  LoadFromBytes(bytes, [&](CArchive& ar) { lib.Serialize(ar); });
  ASSERT_EQ(2, lib.m_objects.GetCount());
  EXPECT_STREQ("shapes", lib.m_strDescription);
  EXPECT_EQ(0x20000u, lib.m_version);
  EXPECT_TRUE(lib.m_bValid);
  EXPECT_STREQ("box", static_cast<CDrawObj*>(lib.m_objects.GetHead())->m_name);
  EXPECT_STREQ("CDrawText", lib.m_objects.GetTail()->GetRuntimeClass()->m_lpszClassName);
  EXPECT_EQ(Hex(bytes, 10000), Hex(StoreLib(lib), 10000));
  lib.DeleteObjects();
  EXPECT_TRUE(lib.m_objects.IsEmpty());
}

TEST(ComponentLibrary, WrongSignatureLeavesTheListAndClearsValidForGood) {
  TestHost host;
  CObjLib lib;
  CDrawRect* kept = new CDrawRect(CRect(0, 10, 10, 0));
  lib.AddObject(kept);
  Bytes wrong = TwoObjectLibrary();
  wrong[1] = 'K';
  {
    MessageBoxCapture boxes;
    LoadFromBytes(wrong, [&](CArchive& ar) { lib.Serialize(ar); });
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ("非库文件", boxes.boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.boxes()[0].flags);
  }
  EXPECT_FALSE(lib.m_bValid);
  ASSERT_EQ(1, lib.m_objects.GetCount());
  EXPECT_EQ(kept, lib.m_objects.GetHead());

  LoadFromBytes(TwoObjectLibrary(), [&](CArchive& ar) { lib.Serialize(ar); });
  EXPECT_EQ(3, lib.m_objects.GetCount());
  EXPECT_EQ(kept, lib.m_objects.GetHead());
  EXPECT_FALSE(lib.m_bValid);
  lib.DeleteObjects();
}

TEST(ComponentLibrary, RemoveObjectTakesOnlyAMember) {
  CObjLib lib;
  CDrawRect a(CRect(0, 1, 1, 0)), b(CRect(0, 1, 1, 0)), stranger(CRect(0, 1, 1, 0));
  lib.AddObject(&a);
  lib.AddObject(&b);
  lib.RemoveObject(&stranger);
  EXPECT_EQ(2, lib.m_objects.GetCount());
  lib.RemoveObject(&a);
  ASSERT_EQ(1, lib.m_objects.GetCount());
  EXPECT_EQ(&b, lib.m_objects.GetHead());
  lib.RemoveObject(&b);
}

// Each hostile file is read as the format allows or refused with an archive error; the
// objects read before a failure are whole and in the list, for the caller to delete.
TEST(ComponentLibrary, HostileLibrariesAreRefusedAndLeaveOnlyWholeObjects) {
  TestHost host;
  const Bytes good = TwoObjectLibrary();
  const size_t textClass = Find(good, "CDrawText");  // the second object's class name
  const size_t count = 22;                           // after signature, "shapes", version
  struct Row {
    const char* what;
    std::function<Bytes()> make;
    bool refused;
    int objects;  // in the list afterwards
    const char* message;
  };
  auto with = [&](std::function<void(Bytes&)> change) {
    return [=]() {
      Bytes b = good;
      change(b);
      return b;
    };
  };
  CObjLib inner;
  const Bytes nested = StoreToBytes([&](CArchive& ar) {
    ar << CString("kelvanelib") << CString() << static_cast<DWORD>(0x10000);
    ar.WriteCount(1);
    ar.WriteObject(&inner);
  });
  CDrawRect twice(CRect(0, 1, 1, 0));
  const Bytes backReference = StoreToBytes([&](CArchive& ar) {
    ar << CString("kelvanelib") << CString() << static_cast<DWORD>(0x10000);
    ar.WriteCount(2);
    ar.WriteObject(&twice);
    ar.WriteObject(&twice);
  });
  const Row rows[] = {
      {"13 bytes of garbage", [] { return Bytes{4, 'j', 'u', 'n', 'k', 1, 2, 3, 4, 5, 6, 7, 8}; }, false, 0,
       "非库文件"},
      {"a signature of 4 GB", [] { return Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4, 5, 6}; },
       true, 0, nullptr},
      {"cut in the description", with([](Bytes& b) { b.resize(14); }), true, 0, nullptr},
      {"cut in the count", with([&](Bytes& b) { b.resize(count + 1); }), true, 0, nullptr},
      {"cut in the second object", with([&](Bytes& b) { b.resize(textClass + 20); }), true, 1, nullptr},
      {"a count past the data", with([&](Bytes& b) { b[count + 1] = 0x70; }), true, 0, nullptr},
      {"a count past the objects", with([&](Bytes& b) { b[count] = 3; }), true, 2, nullptr},
      {"an unknown class", with([&](Bytes& b) { b[textClass + 5] = 'X'; }), true, 1, nullptr},
      {"a nested library", [&] { return nested; }, true, 0, nullptr},
      {"a back reference", [&] { return backReference; }, true, 1, nullptr},
      {"a tail after the list", with([](Bytes& b) { b.insert(b.end(), 40, 0xEE); }), false, 2, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CObjLib lib;
    MessageBoxCapture boxes;
    bool refused = false;
    try {
      LoadFromBytes(row.make(), [&](CArchive& ar) { lib.Serialize(ar); });
    } catch (const CArchiveException&) {
      refused = true;
    }
    EXPECT_EQ(row.refused, refused);
    EXPECT_EQ(row.objects, lib.m_objects.GetCount());
    for (POSITION pos = lib.m_objects.GetHeadPosition(); pos;) {
      CObject* o = lib.m_objects.GetNext(pos);
      EXPECT_TRUE(CDrawDoc::IsDrawingClass(o->GetRuntimeClass()));
    }
    ASSERT_EQ(row.message ? 1u : 0u, boxes.boxes().size());
    if (row.message) {
      EXPECT_STREQ(row.message, boxes.boxes()[0].text);
    }
    lib.DeleteObjects();
  }
}

TEST(ComponentLibrary, FilesOfTwelveBytesOrLessAreEmptyLibraries) {
  const CString path = TempPath("short.lib");
  for (size_t size : {0u, 12u}) {
    SCOPED_TRACE(size);
    WriteBytes(path, Bytes(size, 0xFF));
    CObjLib lib;
    lib.LoadFile(path);
    EXPECT_TRUE(lib.m_objects.IsEmpty());
    EXPECT_TRUE(lib.m_strDescription.IsEmpty());
    EXPECT_TRUE(lib.m_bValid);
  }
  CFile::Remove(path);
  CObjLib lib;
  EXPECT_THROW(lib.LoadFile(path), CFileException);
}

TEST(ComponentLibrary, StoreFileReplacesTheWholeFileAndKeepsItOnFailure) {
  TestHost host;
  const CString path = TempPath("replaced.lib");
  WriteBytes(path, TwoObjectLibrary());
  CObjLib empty;
  empty.StoreFile(path);
  EXPECT_EQ(Hex(EmptyLibraryBytes()), Hex(ReadBytes(path), 1000));  // no old tail

  // Nothing can be written beside the target: the old file stays as it was.
  const std::wstring blocker = codepage::ToWide((path + ".tmp~").str());
  ::CreateDirectoryW(blocker.c_str(), nullptr);
  CObjLib other;
  other.m_strDescription = "new";
  EXPECT_THROW(other.StoreFile(path), CFileException);
  EXPECT_EQ(Hex(EmptyLibraryBytes()), Hex(ReadBytes(path), 1000));
  ::RemoveDirectoryW(blocker.c_str());
  CFile::Remove(path);
}

TEST(ComponentLibrary, OnlyPlainShapesAndGroupsOfThemExport) {
  TestHost host;
  CDrawRect plain(CRect(0, 10, 10, 0));
  EXPECT_TRUE(plain.CanExport());
  CDrawRect pictured(CRect(0, 10, 10, 0));
  pictured.m_picture = new CPicture(new Gdiplus::Bitmap(4, 4, PixelFormat24bppRGB));
  EXPECT_FALSE(pictured.CanExport());
  CDrawText text(CRect(0, 10, 10, 0));
  EXPECT_FALSE(text.CanExport());
  CDrawObj base(CRect(0, 10, 10, 0));
  EXPECT_FALSE(base.CanExport());

  CDrawCompObj shapes;
  shapes.m_members.AddTail(new CDrawRect(CRect(0, 10, 10, 0)));
  shapes.m_members.AddTail(new CDrawRect(CRect(10, 10, 20, 0)));
  EXPECT_TRUE(shapes.CanExport());
  shapes.m_members.AddTail(new CDrawText(CRect(0, 10, 10, 0)));
  EXPECT_FALSE(shapes.CanExport());
}
