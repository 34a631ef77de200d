// The page document and its file: golden bytes of an empty page, object references,
// round trips, rejected files that leave the page as it was, older versions, purge,
// the background record, naming, hit tests and renumbering, undo of deletions.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "framework/core/UserException.h"
#include "framework/ui/DC.h"
#include "graphics/Picture.h"
#include "model/DoubleValue.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "resources/ModelStrings.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageFiles.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

constexpr size_t kTimeStampsAt = 146;

Bytes StorePage(CDrawDoc& doc) {
  return StoreToBytes([&](CArchive& ar) { doc.Serialize(ar); });
}

// The time stamps are the moment of creation; tests compare everything else.
Bytes Masked(Bytes b) {
  if (b.size() >= kTimeStampsAt + 8) std::fill(b.begin() + kTimeStampsAt, b.begin() + kTimeStampsAt + 8, 0);
  return b;
}

CString TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return CString(dir) + name;
}

void WriteFile(const CString& path, const Bytes& bytes) {
  CFile f(path, CFile::modeCreate | CFile::modeWrite);
  f.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

Bytes ReadFile(const CString& path) {
  CFile f(path, CFile::modeRead);
  Bytes b(static_cast<size_t>(f.GetLength()));
  if (!b.empty()) f.Read(b.data(), static_cast<UINT>(b.size()));
  return b;
}

TEST(PageFile, EmptyPageStoresTheGoldenBytes) {
  TestHost host;
  CDrawDoc doc;
  const Bytes got = StorePage(doc);
  Bytes want;
  want.push_back(0x15);
  AppendText(want, "Zumi multi media tool");
  want.push_back(0x03);
  AppendText(want, "1.2");
  AppendDword(want, 0xFFFFFF);           // background colour
  want.insert(want.end(), 100, 0);       // 25 name counters
  AppendDword(want, 0);                  // spare word 3
  AppendDword(want, 0xFFFFFF);           // spare colour
  want.insert(want.end(), 8, 0);         // spare real
  want.insert(want.end(), 8, 0);         // time stamps (masked)
  AppendDword(want, 2);                  // embed mode
  want.insert(want.end(), 8, 0);         // spare words 4, 5
  want.push_back(0);                     // spare text
  want.insert(want.end(), 5, 0);         // five spare texts
  want.insert(want.end(), 40 + 20 + 128 + 128 + 8, 0);
  AppendWord(want, 0);                   // page events
  AppendWord(want, 0);                   // page actions
  AppendDword(want, 800);
  AppendDword(want, 600);
  AppendDword(want, 8);                  // spare word 1
  want.push_back(0);                     // background picture file
  AppendDword(want, 0);                  // use it
  AppendDword(want, 1);                  // transition delay
  AppendDword(want, 0);                  // kind
  AppendDword(want, 0);                  // direction
  AppendDword(want, 0);                  // pending
  AppendDword(want, 0);                  // curtain colour
  AppendDword(want, 0);                  // spare word 2
  AppendDword(want, 1);                  // stretch
  AppendWord(want, 0);                   // no objects
  ASSERT_EQ(547u, want.size());
  EXPECT_EQ(Hex(want, 600), Hex(Masked(got), 600));
  EXPECT_EQ(0x20, got[500]);
  EXPECT_EQ(0x58, got[504]);
}

TEST(PageFile, ObjectReferencesCountClassesAndObjectsOverTheWholeFile) {
  TestHost host;
  CDrawDoc doc;
  auto* first = new CDrawObj(CRect(0, 10, 10, 0));
  first->m_variables->SetAt("v", new CDoubleValue(1));
  auto* second = new CDrawObj(CRect(0, 10, 10, 0));
  second->m_variables->SetAt("w", new CDoubleValue(2));
  doc.Add(first);
  doc.Add(second);
  const Bytes got = StorePage(doc);
  const std::string text(got.begin(), got.end());
  const size_t list = 545;  // the object count follows the empty page's fixed part
  ASSERT_EQ(2, got[list]);
  Bytes tag;
  AppendWord(tag, 0xFFFF);
  AppendWord(tag, 0);
  AppendWord(tag, 8);
  AppendText(tag, "CDrawObj");
  EXPECT_TRUE(std::equal(tag.begin(), tag.end(), got.begin() + list + 2));
  // The first object's variable: a new class (index 3) and its value (index 4).
  EXPECT_NE(std::string::npos, text.find(std::string("\x01v\xFF\xFF\x00\x00\x06\x00" "CValue", 14)));
  // The second object names its class by index 1, its variable's class by index 3.
  EXPECT_NE(std::string::npos, text.find(std::string("\x01w\x03\x80", 4)));
  const size_t second_at = text.find(std::string("\x01\x80", 2), list + 2 + tag.size());
  EXPECT_NE(std::string::npos, second_at);
}

void FillPage(CDrawDoc& doc) {
  doc.m_backColour = 0x102030;
  doc.m_nameCounters[9] = 4;
  doc.m_spareWord3 = 7;
  doc.m_spareReal = 1.5;
  doc.m_embedMode = 1;
  doc.m_spareText = "备用";
  doc.m_spareTexts[4] = "t4";
  doc.m_spareReals[2] = 2.5;
  doc.m_spareTable2[31] = 9;
  doc.m_pageEvents.SetSize(1);
  doc.m_pageEvents[0].m_strName = "页面事件";
  doc.m_pageActions.SetSize(2);
  doc.m_pageActions[1].m_strName = "页面动作";
  doc.SetPageSize(1024, 768);
  doc.m_backPictureFile = "背景.jpg";
  doc.m_transitionKind = 3;
  doc.m_transitionDirection = 1;
  doc.m_curtainColour = 0x0000FF;
  doc.m_stretchBackPicture = 0;
  auto* o = new CDrawObj(CRect(-5, 5, 5, -5));
  o->m_name = "对象";
  o->m_actions.SetSize(1);
  o->m_actions[0].m_strName = "动作";
  o->m_actions[0].m_nType = 1;
  doc.Add(o);
}

TEST(PageFile, RoundTripStoresAgainIdentically) {
  TestHost host;
  CDrawDoc doc;
  FillPage(doc);
  const Bytes first = StorePage(doc);
  CDrawDoc back;
  LoadFromBytes(first, [&](CArchive& ar) { back.Serialize(ar); });
  EXPECT_EQ(CSize(1024, 768), back.m_pageSize);
  EXPECT_STREQ("备用", back.m_spareText);
  EXPECT_STREQ("页面动作", back.m_pageActions[1].m_strName);
  ASSERT_EQ(1, back.m_objects.GetCount());
  EXPECT_STREQ("对象", static_cast<CDrawObj*>(back.m_objects.GetHead())->m_name);
  EXPECT_TRUE(Masked(first) == Masked(StorePage(back)));
  EXPECT_TRUE(first == StorePage(back));  // the time stamps travel with the page
}

struct Rejection {
  const char* what;
  std::function<Bytes(const Bytes& valid)> make;
  const char* message;  // null: the damaged-file message
};

TEST(PageFile, RejectedFilesLeaveThePageAsItWas) {
  TestHost host;
  CDrawDoc source;
  FillPage(source);
  const Bytes valid = StorePage(source);
  const size_t list = valid.size() - 1;  // re-found below from the object count
  (void)list;

  auto replaceFrom = [](const Bytes& b, const std::string& find, const std::string& with) {
    std::string s(b.begin(), b.end());
    const size_t at = s.find(find);
    if (at != std::string::npos) s.replace(at, find.size(), with);
    return Bytes(s.begin(), s.end());
  };
  const Rejection rows[] = {
      {"bad signature", [&](const Bytes& b) { return replaceFrom(b, "Zumi", "Zoom"); }, "文件格式不正确"},
      {"older version in the editor", [&](const Bytes& b) { return replaceFrom(b, "\x03" "1.2", "\x03" "1.1"); },
       "文件版本不正确"},
      {"truncated", [](const Bytes& b) { return Bytes(b.begin(), b.end() - 40); }, nullptr},
      {"unknown class", [&](const Bytes& b) { return replaceFrom(b, "CDrawObj", "CDrawXyz"); }, nullptr},
      {"a value in the object list", [&](const Bytes& b) {
         return replaceFrom(b, std::string("\x08\x00" "CDrawObj", 10), std::string("\x06\x00" "CValue", 8));
       }, nullptr},
      {"empty file", [](const Bytes&) { return Bytes(); }, nullptr},
      {"the player's document object", [](const Bytes&) {
         const std::string page = pagefiles::DocumentPageBytes(400, 300, RGB(255, 255, 255), CRect(-50, 40, 50, -40),
                                                               1, "doc.txt");
         return Bytes(page.begin(), page.end());
       }, nullptr},
  };
  const CString path = TempPath("rejected.rvx");
  for (const Rejection& r : rows) {
    SCOPED_TRACE(r.what);
    CDrawDoc doc;
    FillPage(doc);
    doc.SetPathName("C:\\keep\\current.rvx");
    const Bytes before = Masked(StorePage(doc));
    WriteFile(path, r.make(valid));
    MessageBoxCapture boxes;
    EXPECT_FALSE(doc.OnOpenDocument(path));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ(r.message ? r.message : "无法打开页面文件：文件已损坏，或不是本程序的页面文件。",
                 boxes.boxes()[0].text);
    EXPECT_STREQ("C:\\keep\\current.rvx", doc.GetPathName());
    EXPECT_TRUE(before == Masked(StorePage(doc)));
  }
  CFile::Remove(path);
}

TEST(PageFile, ABackReferenceInTheObjectListIsRefused) {
  TestHost host;
  CDrawDoc doc;
  auto* o = new CDrawObj(CRect(0, 1, 1, 0));
  doc.Add(o);
  Bytes bytes = StorePage(doc);
  // Claim two objects and make the second a back reference to the first (index 2).
  bytes[545] = 2;
  const size_t background = bytes.size();  // no background record, no embedded ones
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(background), {0x02, 0x00});
  CDrawDoc reader;
  try {
    LoadFromBytes(bytes, [&](CArchive& ar) { reader.Serialize(ar); });
    ADD_FAILURE() << "no exception";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(CArchiveException::badClass, e.m_cause);
  }
}

TEST(PageFile, ThePlayerReadsOlderVersions) {
  TestHost host;
  CDrawDoc source;
  FillPage(source);
  Bytes current = Masked(StorePage(source));
  std::string s(current.begin(), current.end());

  // "1.1" has the current layout.
  std::string v11 = s;
  v11.replace(v11.find("\x03" "1.2"), 4, "\x03" "1.1");
  CDrawDoc player(CDrawDoc::Reader::player);
  LoadFromBytes(Bytes(v11.begin(), v11.end()), [&](CArchive& ar) { player.Serialize(ar); });
  EXPECT_STREQ("1.1", player.m_fileVersion);
  EXPECT_EQ(2, player.m_pageActions.GetSize());

  // "1.0": signature, version, colour, 20 counters, then the page size on.
  Bytes v10;
  v10.push_back(0x15);
  AppendText(v10, "Zumi multi media tool");
  v10.push_back(3);
  AppendText(v10, "1.0");
  AppendDword(v10, 0x00FF00);
  for (int i = 0; i < 20; ++i) AppendDword(v10, static_cast<unsigned long>(i));
  const size_t sizeAt = s.find(std::string("\x00\x04\x00\x00\x00\x03\x00\x00", 8));
  ASSERT_NE(std::string::npos, sizeAt);
  v10.insert(v10.end(), current.begin() + static_cast<std::ptrdiff_t>(sizeAt), current.end());
  CDrawDoc old(CDrawDoc::Reader::player);
  old.m_spareText = "before";
  LoadFromBytes(v10, [&](CArchive& ar) { old.Serialize(ar); });
  EXPECT_EQ(0x00FF00u, old.m_backColour);
  EXPECT_EQ(19, old.m_nameCounters[19]);
  EXPECT_EQ(0, old.m_pageEvents.GetSize());
  EXPECT_STREQ("before", old.m_spareText);
  EXPECT_EQ(CSize(1024, 768), old.m_pageSize);
  EXPECT_EQ(1, old.m_objects.GetCount());

  // The control refuses without a word; the editor with its message.
  CDrawDoc control(CDrawDoc::Reader::control);
  std::string v13 = s;
  v13.replace(v13.find("\x03" "1.2"), 4, "\x03" "1.3");
  EXPECT_THROW(LoadFromBytes(Bytes(v13.begin(), v13.end()), [&](CArchive& ar) { control.Serialize(ar); }),
               CUserException);
}

TEST(PageFile, StoringPurgesDeletedObjectsAndEmptiesTheStacks) {
  TestHost host;
  CDrawDoc doc;
  CDrawObj* kept[2];
  for (int i = 0; i < 3; ++i) {
    auto* o = new CDrawObj(CRect(0, 1, 1, 0));
    o->m_name.Format("o%d", i);
    doc.Add(o);
    if (i != 1) kept[i / 2] = o;
    if (i == 1) {
      o->SetSuspended(TRUE);
      doc.m_undo.PushUndo(o);
    }
  }
  const Bytes bytes = StorePage(doc);
  EXPECT_EQ(2, bytes[545]);
  EXPECT_EQ(2, doc.m_objects.GetCount());
  EXPECT_EQ(kept[0], doc.m_objects.GetHead());
  EXPECT_EQ(kept[1], doc.m_objects.GetTail());
  EXPECT_TRUE(doc.m_undo.IsUndoEmpty());
  EXPECT_TRUE(doc.m_undo.IsRedoEmpty());
}

TEST(PageFile, TheBackgroundRecordIsWrittenExactlyWhenItsRuleHolds) {
  TestHost host;
  for (int mode : {0, 1, 2})
    for (const char* name : {"", "x.jpg"})
      for (int use : {0, 1}) {
        SCOPED_TRACE(std::to_string(mode) + name + std::to_string(use));
        CDrawDoc doc;
        doc.m_embedMode = mode;
        doc.m_backPictureFile = name;
        doc.m_useBackPicture = use;
        const Bytes bytes = StorePage(doc);
        const bool present = mode == 2 && *name && use;
        // No picture is held: the record is the name, length 0 and kind 0.
        EXPECT_EQ(547u + std::strlen(name) + (present ? 1 + std::strlen(name) + 8 : 0), bytes.size());
        CDrawDoc back;
        LoadFromBytes(bytes, [&](CArchive& ar) {
          back.Serialize(ar);
          EXPECT_EQ(0u, ar.BytesLeft());
        });
        EXPECT_EQ(nullptr, back.m_backPicture);
      }
}

TEST(PageFile, BackgroundPictureKeepsItsOrientationThroughTheFile) {
  TestHost host;
  CDrawDoc doc;
  // Held upside down as the model holds pictures: row 0 is the page's bottom.
  auto* bitmap = new Gdiplus::Bitmap(16, 8, PixelFormat24bppRGB);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      bitmap->SetPixel(x, y, y < 4 ? Gdiplus::Color(0, 0, 255) : Gdiplus::Color(255, 0, 0));
  doc.m_backPicture = new CPicture(bitmap);
  doc.m_backPictureFile = "C:\\图片\\Back.JPG";
  doc.m_useBackPicture = 1;
  const Bytes bytes = StorePage(doc);
  EXPECT_STREQ("back.jpg", doc.m_backPictureFile);  // bare and lower-cased in mode 2
  CDrawDoc back;
  LoadFromBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_NE(nullptr, back.m_backPicture);
  Gdiplus::Color bottom, top;
  back.m_backPicture->GetBitmap()->GetPixel(8, 1, &bottom);
  back.m_backPicture->GetBitmap()->GetPixel(8, 6, &top);
  EXPECT_GT(bottom.GetB(), 200);
  EXPECT_LT(bottom.GetR(), 60);
  EXPECT_GT(top.GetR(), 200);
  EXPECT_LT(top.GetB(), 60);
}

TEST(PageFile, AFailedSaveLeavesTheOldFile) {
  TestHost host;
  const CString path = TempPath("kept.rvx");
  const Bytes old = {1, 2, 3, 4, 5};
  WriteFile(path, old);
  // The page is written beside the target first; make that impossible.
  const std::wstring blocker = codepage::ToWide((path + ".tmp~").str());
  ::CreateDirectoryW(blocker.c_str(), nullptr);
  CDrawDoc doc;
  doc.m_backPicture = new CPicture(new Gdiplus::Bitmap(4, 4, PixelFormat24bppRGB));
  doc.m_backPictureFile = "a.jpg";
  doc.m_useBackPicture = 1;
  MessageBoxCapture boxes;
  EXPECT_FALSE(doc.OnSaveDocument(path));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("无法保存页面文件，原文件保持不变。", boxes.boxes()[0].text);
  EXPECT_TRUE(old == ReadFile(path));
  ::RemoveDirectoryW(blocker.c_str());

  EXPECT_TRUE(doc.OnSaveDocument(path));
  EXPECT_GT(ReadFile(path).size(), 547u);
  CFile probe;
  EXPECT_FALSE(probe.Open(path + ".tmp~", CFile::modeRead));
  CFile::Remove(path);
}

TEST(PageFile, SavingOverAReadOnlyFileIsRefused) {
  TestHost host;
  const CString path = TempPath("readonly.rvx");
  WriteFile(path, {9});
  ::SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY);
  CDrawDoc doc;
  doc.SetPathName(path);
  MessageBoxCapture boxes;
  EXPECT_FALSE(doc.SaveToCurrentPath());
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("文件为只读属性，不能保存!\n请修改文件属性之后再保存。", boxes.boxes()[0].text);
  ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  CFile::Remove(path);
}

// A page of 80 x 60 on a bitmap of the same size, mapped as the views map pages: the
// origin at the centre, y growing upwards.
struct PageBitmap {
  PageBitmap() : bitmap(80, 60), dc(bitmap.dc()) {
    ::SetMapMode(bitmap.dc(), MM_ANISOTROPIC);
    ::SetWindowExtEx(bitmap.dc(), 1, 1, nullptr);
    ::SetViewportExtEx(bitmap.dc(), 1, -1, nullptr);
    ::SetViewportOrgEx(bitmap.dc(), 40, 30, nullptr);
  }
  MemoryBitmap bitmap;
  CDC dc;
};

// The strongest channel of a pixel: 'r', 'g', 'b', or 'w' when all are bright.
char Dominant(COLORREF c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  if (r > 180 && g > 180 && b > 180) return 'w';
  if (r >= g && r >= b) return 'r';
  return g >= b ? 'g' : 'b';
}

TEST(PageDocument, BackgroundPictureStretchedOrTiledUpright) {
  TestHost host;
  // 8 x 8 in quadrants, held upside down: rows 0 to 3 are the page's lower half.
  auto* b = new Gdiplus::Bitmap(8, 8, PixelFormat32bppARGB);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      b->SetPixel(x, y, y < 4 ? (x < 4 ? Gdiplus::Color(255, 0, 0) : Gdiplus::Color(0, 255, 0))
                              : (x < 4 ? Gdiplus::Color(0, 0, 255) : Gdiplus::Color(255, 255, 255)));
  CDrawDoc doc;
  doc.SetPageSize(80, 60);
  doc.m_useBackPicture = 1;
  doc.m_backPicture = new CPicture(b);
  PageBitmap stretched;
  doc.Draw(&stretched.dc, nullptr);
  EXPECT_EQ('b', Dominant(stretched.bitmap.Pixel(10, 10)));  // top left
  EXPECT_EQ('w', Dominant(stretched.bitmap.Pixel(70, 10)));  // top right
  EXPECT_EQ('r', Dominant(stretched.bitmap.Pixel(10, 50)));  // bottom left
  EXPECT_EQ('g', Dominant(stretched.bitmap.Pixel(70, 50)));  // bottom right

  doc.m_stretchBackPicture = 0;
  PageBitmap tiled;
  tiled.bitmap.Fill(RGB(0, 0, 0));
  doc.Draw(&tiled.dc, nullptr);
  for (int y = 0; y < 60; ++y) {  // no background shows between tiles
    SCOPED_TRACE(y);
    EXPECT_NE(RGB(0, 0, 0), tiled.bitmap.Pixel(2, y));
  }
  // 8 x 8 tiles laid from the page's corner at its lowest y, each upright: in the
  // bottom tile row the lower half is red and green, the upper blue and white.
  EXPECT_EQ('r', Dominant(tiled.bitmap.Pixel(2, 57)));
  EXPECT_EQ('g', Dominant(tiled.bitmap.Pixel(6, 57)));
  EXPECT_EQ('b', Dominant(tiled.bitmap.Pixel(2, 54)));
  EXPECT_EQ('w', Dominant(tiled.bitmap.Pixel(14, 46)));
  EXPECT_EQ('g', Dominant(tiled.bitmap.Pixel(78, 49)));
}

TEST(PageDocument, DrawSkipsDeletedObjectsAndWidensDegenerateOnes) {
  struct Painter : CDrawObj {
    using CDrawObj::CDrawObj;
    int DrawObject(CDC*, CView*) override { return ++painted; }
    int painted = 0;
  };
  TestHost host;
  CDrawDoc doc;
  doc.SetPageSize(80, 60);
  auto* line = new Painter(CRect(-9, 10, -9, -10));  // zero width, on the clip edge
  auto* gone = new Painter(CRect(0, 10, 10, 0));
  auto* outside = new Painter(CRect(100, 10, 110, 0));
  doc.Add(line);
  doc.Add(gone);
  doc.Add(outside);
  gone->SetSuspended(TRUE);
  PageBitmap page;
  ::IntersectClipRect(page.bitmap.dc(), -9, 30, 40, -30);
  doc.Draw(&page.dc, nullptr);
  EXPECT_EQ(1, line->painted);
  EXPECT_EQ(0, gone->painted);
  EXPECT_EQ(0, outside->painted);
}

TEST(PageDocument, PageSizeLimits) {
  CDrawDoc doc;
  EXPECT_EQ(0, doc.SetPageSize(79, 600));
  EXPECT_EQ(0, doc.SetPageSize(800, 59));
  EXPECT_EQ(0, doc.SetPageSize(100000, 100000));  // the area must fit 32 bits
  EXPECT_EQ(CSize(800, 600), doc.m_pageSize);
  EXPECT_EQ(1, doc.SetPageSize(80, 60));
  EXPECT_EQ(CSize(80, 60), doc.m_pageSize);
}

TEST(PageDocument, UnnamedActionsAndEventsAreNumberedPerObject) {
  TestHost host;
  CDrawDoc doc;
  CDrawObj* objects[2];
  for (CDrawObj*& o : objects) {
    o = new CDrawObj(CRect(0, 1, 1, 0));
    o->m_actions.SetSize(4);
    o->m_actions[0].m_nType = 1;
    o->m_actions[1].m_nType = 1;
    o->m_actions[2].m_nType = 0x80000;  // no counter: stays unnamed
    o->m_actions[3].m_nType = 1;
    o->m_actions[3].m_strName = "平移运动1";  // names already set are not consulted
    o->m_events.SetSize(1);
    o->m_events[0].m_nTrigger = 1;
    doc.Add(o);
  }
  doc.m_pageActions.SetSize(1);
  doc.m_pageActions[0].m_nType = 1;
  CDrawDoc::NameUnnamedActions(doc.m_objects);
  CDrawDoc::NameUnnamedEvents(doc.m_objects);
  for (CDrawObj* o : objects) {
    EXPECT_STREQ("平移运动1", o->m_actions[0].m_strName);
    EXPECT_STREQ("平移运动2", o->m_actions[1].m_strName);
    EXPECT_STREQ("", o->m_actions[2].m_strName);
    EXPECT_STREQ("按下鼠标左键1", o->m_events[0].m_strName);
  }
  EXPECT_STREQ("", doc.m_pageActions[0].m_strName);
}

TEST(PageDocument, HitTestsRenumberingAndRemoval) {
  TestHost host;
  CDrawDoc doc;
  auto* back = new CDrawObj(CRect(0, 10, 10, 0));
  auto* front = new CDrawObj(CRect(5, 10, 15, 0));
  doc.Add(back);
  doc.Add(front);
  EXPECT_EQ(front, doc.ObjectAt(CPoint(7, 5)));
  front->SetSuspended(TRUE);
  EXPECT_EQ(back, doc.ObjectAt(CPoint(7, 5)));
  EXPECT_EQ(front, doc.ObjectAtExcept(CPoint(7, 5), back));
  EXPECT_EQ(nullptr, doc.ObjectAt(CPoint(50, 50)));

  const int layers[] = {3, 1, 3, 2};
  CDrawObj* objs[4];
  CDrawDoc order;
  for (int i = 0; i < 4; ++i) {
    objs[i] = new CDrawObj(CRect(0, 1, 1, 0));
    order.Add(objs[i]);
    objs[i]->m_layer = layers[i];
  }
  order.RenumberObjects(TRUE);
  // Selection sort: [3a,1,3b,2] -> [1,3a,3b,2] -> [1,2,3b,3a]
  CDrawObj* want[] = {objs[1], objs[3], objs[2], objs[0]};
  int i = 0;
  for (POSITION pos = order.m_objects.GetHeadPosition(); pos; ++i) {
    CDrawObj* o = static_cast<CDrawObj*>(order.m_objects.GetNext(pos));
    EXPECT_EQ(want[i], o) << i;
    EXPECT_EQ(i + 1, o->m_layer);
  }

  CDrawObj stranger(CRect(0, 1, 1, 0));
  host.selection.push_back(&stranger);
  doc.SetPageModified(FALSE);
  host.panelNotices.clear();
  doc.Remove(&stranger);
  EXPECT_TRUE(doc.IsPageModified());
  ASSERT_EQ(1u, host.panelNotices.size());
  EXPECT_EQ(4u, host.panelNotices[0].what);
  EXPECT_TRUE(host.selection.empty());
}

TEST(PageDocument, UndoAndRedoSetTheMarkByDirection) {
  TestHost host;
  CDrawDoc doc;
  auto* a = new CDrawObj(CRect(0, 1, 1, 0));
  auto* b = new CDrawObj(CRect(0, 1, 1, 0));
  doc.Add(a);
  doc.Add(b);
  for (CDrawObj* o : {a, b}) {
    o->SetSuspended(TRUE);
    doc.m_undo.PushUndo(o);
  }
  EXPECT_EQ(b, doc.UndoDelete());  // the last deleted comes back first
  EXPECT_FALSE(b->IsSuspended());
  doc.m_undo.PushRedo(b);          // an entry on both stacks must not flip it back
  EXPECT_EQ(b, doc.RedoDelete());
  EXPECT_TRUE(b->IsSuspended());
  EXPECT_EQ(b, doc.RedoDelete());
  EXPECT_TRUE(b->IsSuspended());

  doc.Remove(a);  // the caller owns it now: no stack may keep it
  delete a;
  while (!doc.m_undo.IsUndoEmpty()) EXPECT_NE(a, doc.m_undo.PopUndo());
}

}  // namespace
