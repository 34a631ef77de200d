// Pictures of drawing objects: loading, the colour key, the records a page embeds, the
// resource folder, animated frames — and no temporary files left behind.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/TestHost.h"

namespace {

CString TempFolder() {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return CString(dir);
}

int CountTemporaryFiles() {
  int n = 0;
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW(codepage::ToWide((TempFolder() + "tmp*.tmp").str()).c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do ++n; while (::FindNextFileW(h, &found));
  ::FindClose(h);
  return n;
}

// A 16 x 8 bitmap file whose top half (as seen in the file) is red and bottom half blue,
// with a corner block of the key colour (big enough to survive JPEG), under a Chinese name.
CString WritePictureFile(const char* name) {
  const CString path = TempFolder() + name;
  Gdiplus::Bitmap bitmap(16, 8, PixelFormat24bppRGB);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      bitmap.SetPixel(x, y, y < 4 ? Gdiplus::Color(255, 0, 0) : Gdiplus::Color(0, 0, 255));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) bitmap.SetPixel(x, y, Gdiplus::Color(0, 255, 0));
  CLSID bmp;
  EXPECT_GE(GetEncoderClsid(L"image/bmp", &bmp), 0);
  bitmap.Save(codepage::ToWide(path.str()).c_str(), &bmp, nullptr);
  return path;
}

Gdiplus::Color PixelAt(CPicture* picture, int x, int y) {
  Gdiplus::Color c;
  picture->GetBitmap()->GetPixel(x, y, &c);
  return c;
}

TEST(DrawObjPicture, LoadsOnlyPathsThatExistAndHoldsThemFlipped) {
  TestHost host;
  const CString path = WritePictureFile("图片测试.bmp");
  CDrawObj o;
  EXPECT_FALSE(o.LoadPicture("图片测试.bmp"));  // a bare name is not loaded
  EXPECT_FALSE(o.LoadPicture(TempFolder() + "没有.bmp"));
  EXPECT_EQ(nullptr, o.m_picture);
  ASSERT_TRUE(o.LoadPicture(path));
  EXPECT_EQ(CSize(16, 8), o.GetPictureSize());
  EXPECT_EQ(255, PixelAt(o.m_picture, 8, 7).GetR());  // the file's top row is now the last
  EXPECT_EQ(255, PixelAt(o.m_picture, 8, 0).GetB());
  CFile::Remove(path);  // nothing keeps the file open
}

TEST(DrawObjPicture, ColourKeyClearsOnlyAlphaAndOnlyOnceForUnfilledObjects) {
  TestHost host;
  const CString path = WritePictureFile("key.bmp");
  CDrawObj o;
  o.m_colourKey = RGB(0, 255, 0);
  ASSERT_TRUE(o.LoadPicture(path));
  o.ApplyColourKey(nullptr);  // filled: nothing
  EXPECT_EQ(0, o.m_colourKeyApplied);
  o.m_filled = 0;
  o.ApplyColourKey(nullptr);
  EXPECT_EQ(1, o.m_colourKeyApplied);
  const Gdiplus::Color keyed = PixelAt(o.m_picture, 0, 7);
  EXPECT_EQ(0, keyed.GetA());
  EXPECT_EQ(255, keyed.GetG());  // the colour is kept
  EXPECT_EQ(255, PixelAt(o.m_picture, 8, 7).GetA());
  o.LoadPicture(path);
  EXPECT_EQ(0, o.m_colourKeyApplied);  // a new picture is keyed again
  CFile::Remove(path);
}

// The embedded records of a page's objects. A shape's own record carries the picture
// name and fill flag; here the reading side is given them as that record would.
Bytes StoreRecords(CObList& objects) {
  return StoreToBytes([&](CArchive& ar) {
    CDrawDoc doc;
    doc.SerializeBackground(ar, objects, 2);
  });
}

struct ReadSide {
  explicit ReadSide(const CObList& written) {
    for (POSITION pos = written.GetHeadPosition(); pos;) {
      auto* w = static_cast<CDrawObj*>(written.GetNext(pos));
      auto* r = new CDrawObj;
      r->m_pictureFile = w->m_pictureFile;
      r->m_pictureFill = w->m_pictureFill;
      objects.AddTail(r);
    }
  }
  ~ReadSide() {
    while (!objects.IsEmpty()) delete objects.RemoveHead();
  }
  CDrawObj* At(int i) { return static_cast<CDrawObj*>(objects.GetAt(objects.FindIndex(i))); }
  CObList objects;
};

struct OwnedList {
  ~OwnedList() {
    while (!list.IsEmpty()) delete list.RemoveHead();
  }
  CDrawObj* Add(CDrawObj* o) {
    list.AddTail(o);
    return o;
  }
  CObList list;
};

TEST(DrawObjPicture, EmbeddedPicturesTravelInThePageAndLeaveNoTemporaryFiles) {
  TestHost host;
  const int before = CountTemporaryFiles();
  const CString path = WritePictureFile("嵌入.bmp");
  OwnedList written;
  CDrawObj* decoded = written.Add(new CDrawObj(CRect(0, 8, 16, 0)));
  decoded->m_pictureFill = 1;
  decoded->m_pictureFile = path;
  decoded->LoadPicture(path);
  decoded->m_filled = 0;
  decoded->m_colourKey = RGB(0, 255, 0);
  decoded->ApplyColourKey(nullptr);
  CDrawObj* notYetDrawn = written.Add(new CDrawObj(CRect(0, 8, 16, 0)));  // named by its path only
  notYetDrawn->m_pictureFill = 1;
  notYetDrawn->m_pictureFile = path;
  written.Add(new CDrawObj(CRect(0, 1, 1, 0)));  // no record at all
  // Saving collects resources first: in mode 2 the names become bare.
  for (POSITION pos = written.list.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(written.list.GetNext(pos))->CollectResources(2);
  EXPECT_STREQ("嵌入.bmp", notYetDrawn->m_pictureFile);
  const Bytes bytes = StoreRecords(written.list);

  ReadSide back(written.list);
  LoadFromBytes(bytes, [&](CArchive& ar) {
    CDrawDoc doc;
    doc.SerializeBackground(ar, back.objects, 2);
    EXPECT_EQ(0u, ar.BytesLeft());
  });
  ASSERT_NE(nullptr, back.At(0)->m_picture);
  ASSERT_NE(nullptr, back.At(1)->m_picture);
  EXPECT_EQ(nullptr, back.At(2)->m_picture);
  EXPECT_GT(PixelAt(back.At(1)->m_picture, 12, 7).GetR(), 200);  // orientation kept
  EXPECT_GT(PixelAt(back.At(1)->m_picture, 12, 0).GetB(), 200);
  // The key colour survived the JPEG round trip closely enough to key again.
  const Gdiplus::Color corner = PixelAt(back.At(0)->m_picture, 1, 6);
  EXPECT_GT(corner.GetG(), 150);
  EXPECT_LT(corner.GetR(), 120);
  EXPECT_EQ(before, CountTemporaryFiles());
  CFile::Remove(path);
}

TEST(DrawObjPicture, ARecordThatDoesNotDecodeIsStillReadInStep) {
  TestHost host;
  OwnedList written;
  for (int i = 0; i < 2; ++i) {
    CDrawObj* o = written.Add(new CDrawObj(CRect(0, 1, 1, 0)));
    o->m_pictureFill = 1;
    o->m_pictureFile.Format("p%d.jpg", i);
    o->m_picture = new CPicture(new Gdiplus::Bitmap(2, 2, PixelFormat24bppRGB));
  }
  Bytes bytes = StoreRecords(written.list);
  // Damage the first record's picture bytes: its length still says how many follow.
  for (size_t i = 7 + 8; i < 7 + 8 + 20; ++i) bytes[i] = 0xEE;
  ReadSide back(written.list);
  LoadFromBytes(bytes, [&](CArchive& ar) {
    CDrawDoc doc;
    doc.SerializeBackground(ar, back.objects, 2);
    EXPECT_EQ(0u, ar.BytesLeft());
  });
  EXPECT_EQ(nullptr, back.At(0)->m_picture);
  EXPECT_NE(nullptr, back.At(1)->m_picture);
}

TEST(DrawObjPicture, CollectResourcesCopiesRenamesOrKeepsThePath) {
  TestHost host;
  const CString programme = TempFolder() + "节目";
  ::CreateDirectoryW(codepage::ToWide(programme.str()).c_str(), nullptr);
  host.programmeFolder = programme;
  const CString source = WritePictureFile("Source.BMP");
  const CString copied = programme + "\\res\\source.bmp";
  ::DeleteFileW(codepage::ToWide(copied.str()).c_str());

  CDrawObj leave;
  leave.m_pictureFile = source;
  EXPECT_EQ(1, leave.CollectResources(1));
  EXPECT_EQ(source, leave.m_pictureFile);

  CDrawObj embed;
  embed.m_pictureFile = source;
  EXPECT_EQ(1, embed.CollectResources(2));
  EXPECT_STREQ("source.bmp", embed.m_pictureFile);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(codepage::ToWide(copied.str()).c_str()));

  CDrawObj copy;
  copy.m_pictureFile = source;
  EXPECT_EQ(1, copy.CollectResources(0));
  EXPECT_STREQ("source.bmp", copy.m_pictureFile);
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(codepage::ToWide(copied.str()).c_str()));

  CDrawObj missing;
  missing.m_pictureFile = TempFolder() + "gone.bmp";
  EXPECT_EQ(0, missing.CollectResources(0));  // the copy fails: the path is kept
  EXPECT_EQ(TempFolder() + "gone.bmp", missing.m_pictureFile);

  CFile::Remove(copied);
  CFile::Remove(source);
}

TEST(DrawObjPicture, AnimatedFramesCycle) {
  TestHost host;
  CDrawObj o;
  o.m_frameCount = 3;
  o.StepGifFrame();  // no picture: nothing
  EXPECT_EQ(0, o.m_frameIndex);
  o.m_picture = new CPicture(new Gdiplus::Bitmap(1, 1, PixelFormat24bppRGB));
  int seen[4];
  for (int& s : seen) {
    s = o.m_frameIndex;
    o.StepGifFrame();
  }
  EXPECT_EQ(0, seen[0]);
  EXPECT_EQ(1, seen[1]);
  EXPECT_EQ(2, seen[2]);
  EXPECT_EQ(0, seen[3]);
  EXPECT_EQ(4u, host.invalidated.size());
}

}  // namespace
