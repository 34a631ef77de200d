// The gallery's thumbnail window: its grid arithmetic, the flip of component bitmaps,
// the cached paint, clicks that apply files to the page, the drag of a component and
// the deletion of one from its library file.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/panels/WndImage.h"
#include "framework/core/Codepage.h"
#include "framework/ui/ClientDC.h"
#include "framework/ui/OleDataObject.h"
#include "media/DrawAnimate.h"
#include "media/DrawMedia.h"
#include "model/DrawRect.h"
#include "model/ObjLib.h"
#include "model/PageClipFormats.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/SoundFiles.h"
#include "tests/media/TempFolder.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"
#include "tests/support/PictureFiles.h"

namespace {

CString Narrow(const std::wstring& s) { return CString(codepage::FromWide(s)); }

CDrawRect* NamedRect(const char* name, COLORREF fill) {
  auto* rect = new CDrawRect(CRect(4, 40, 60, 4));
  rect->m_name = name;
  rect->m_brush.lbColor = fill;
  return rect;
}

}  // namespace

// ---- arithmetic without a window ---------------------------------------------------

TEST(ThumbnailGrid, ScrollRangeFollowsItemsAndSize) {
  struct Row {
    int width, height, items;
    int maximum;
    BOOL shown;
  } rows[] = {
      {200, 140, 10, 3, TRUE},   // 3 columns, 2 full rows: 4 rows in all
      {200, 140, 6, -1, FALSE},  // everything fits
      {64, 140, 10, 0, FALSE},   // narrower than one cell
      {200, 64, 10, 0, FALSE},   // lower than one cell
      {200, 140, 0, -1, FALSE},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.width << "x" << r.height << " items " << r.items);
    const CWndImage::Grid grid{CRect(0, 0, r.width, r.height), 64, 64};
    BOOL shown = -1;
    EXPECT_EQ(r.maximum, grid.ScrollMaximum(r.items, &shown));
    EXPECT_EQ(r.shown, shown);
  }
}

TEST(ThumbnailGrid, HitTestGivesTheCellBeforeAGap) {
  const CWndImage::Grid grid{CRect(0, 0, 200, 140), 64, 64};  // 3 columns, 3 rows shown
  struct Row {
    int x, y, cell;
    CRect rect;
  } rows[] = {
      {1, 1, 0, CRect(1, 1, 65, 65)},
      {65, 10, 0, CRect(1, 1, 65, 65)},  // the gap pixel
      {66, 10, 1, CRect(66, 1, 130, 65)},
      {140, 131, 8, CRect(131, 131, 195, 195)},  // the partly shown last row
      {0, 10, -1, CRect()},                      // the frame
      {196, 10, -1, CRect()},                    // right of the last column
      {10, 140, -1, CRect()},                    // outside
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.x << "," << r.y);
    CRect cell(-7, -7, -7, -7);
    EXPECT_EQ(r.cell, grid.HitTest(CPoint(r.x, r.y), &cell));
    EXPECT_EQ(r.cell >= 0 ? r.rect : CRect(-7, -7, -7, -7), cell);
  }
}

TEST(ThumbnailGrid, ScrollStepsStayInRange) {
  const CWndImage::Grid grid{CRect(0, 0, 200, 140), 64, 64};  // a page is 2 rows
  struct Row {
    UINT code;
    int thumb, first, maximum, want;
  } rows[] = {
      {SB_PAGEDOWN, 0, 2, 3, 2},  // a whole page would pass the end: no move at all
      {SB_PAGEDOWN, 0, 1, 3, 3},
      {SB_LINEDOWN, 0, 3, 3, 3},
      {SB_LINEUP, 0, 0, 3, 0},
      {SB_PAGEUP, 0, 1, 3, 0},
      {SB_THUMBPOSITION, 2, 0, 3, 2},
      {SB_THUMBTRACK, 2, 0, 3, 0},
      {SB_TOP, 0, 3, 3, 0},
      {SB_BOTTOM, 0, 1, 3, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "code " << r.code << " from " << r.first);
    EXPECT_EQ(r.want, grid.Scrolled(r.code, r.thumb, r.first, r.maximum));
  }
}

TEST(ThumbnailGrid, FlipReversesTheScanLines) {
  const DWORD pixels[4][3] = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(3, 4, 1, 32, pixels));
  CWndImage::FlipBitmapVertically(bitmap);
  DWORD got[4][3] = {};
  ASSERT_EQ(static_cast<LONG>(sizeof got), ::GetBitmapBits(bitmap, sizeof got, got));
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 3; ++column) EXPECT_EQ(static_cast<DWORD>(4 - row), got[row][column] & 0xFFFFFF);
}

// ---- the window on a page ---------------------------------------------------------

class WndImageTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(NewPage());
  }
  void TearDown() override {
    window.reset();
    EditorTest::TearDown();
  }

  // A window of the kind over the frame: 230 x 140, three columns of 64 x 64 cells.
  CWndImage& Make(int kind) {
    window = std::make_unique<CWndImage>();
    EXPECT_TRUE(window->Create(CRect(0, 0, 230, 140), 2, 2, 64, 64, Frame()));
    window->SetKind(kind);
    return *window;
  }
  CPoint CellCentre(int cell) const {
    const CWndImage::Grid grid = window->GetGrid();
    return grid.Cell(cell % grid.Columns(), cell / grid.Columns()).CenterPoint();
  }
  void Click(CPoint p) {
    window->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    window->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  void Paint() {
    window->Invalidate(FALSE);
    window->UpdateWindow();
  }
  // Library objects in the window and in the library file it names.
  void MakeLibrary(const char* const* names, int count) {
    Make(CWndImage::kComponents);
    window->m_strDescription = "parts";
    for (int i = 0; i < count; ++i) window->m_objects.push_back(NamedRect(names[i], RGB(0, 0, 255)));
    CObjLib lib;
    lib.m_strDescription = window->m_strDescription;
    for (CDrawObj* o : window->m_objects) lib.AddObject(o);
    app->m_strComponentLibrary = Narrow(files.Path() + L"\\parts.lib");
    lib.StoreFile(app->m_strComponentLibrary);
    window->UpdateScrollBar();
  }
  std::vector<BYTE> LibraryFile() const { return files.Read(L"parts.lib"); }

  TempFolder files;
  std::unique_ptr<CWndImage> window;
};

TEST_F(WndImageTest, CellSizesBelowThreeAreThree) {
  window = std::make_unique<CWndImage>();
  ASSERT_TRUE(window->Create(CRect(0, 0, 100, 100), 2, 2, 0, -5, Frame()));
  EXPECT_EQ(3, window->GetGrid().cellWidth);
  EXPECT_EQ(3, window->GetGrid().cellHeight);
}

TEST_F(WndImageTest, APaintLoadsEachPictureOnceAndARunPaintsNothing) {
  files.Write(L"a.bmp", SolidBmpFile(8, 4, RGB(255, 0, 0)));
  files.Write(L"b.bmp", SolidBmpFile(4, 8, RGB(0, 255, 0)));
  app->m_strPicturesFolder = Narrow(files.Path());
  CWndImage& w = Make(CWndImage::kPictures);
  w.m_fileNames.Add("a.bmp");
  w.m_fileNames.Add("b.bmp");
  w.UpdateScrollBar();
  Paint();
  EXPECT_EQ(2, w.m_nPictureLoads);
  // The red picture is wider than its area: it fills the width, centred in height.
  CClientDC dc(&w);
  const CRect cell = w.GetGrid().Cell(0, 0);
  EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(cell.CenterPoint().x, cell.top + (cell.Height() - 18) / 2));
  EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(cell.CenterPoint().x, cell.top + 3));
  Paint();
  EXPECT_EQ(2, w.m_nPictureLoads);

  app->m_nMode = kModeRunning;
  w.m_bDirty = TRUE;
  Paint();
  EXPECT_EQ(2, w.m_nPictureLoads);
  app->m_nMode = kModeEditing;

  // Narrower than a cell: no cell at all.
  w.MoveWindow(0, 0, 50, 140);
  Paint();
  EXPECT_EQ(2, w.m_nPictureLoads);
}

TEST_F(WndImageTest, APictureClickGoesToTheSelectedShapeOrTheBackground) {
  files.Write(L"a.bmp", SolidBmpFile(8, 4, RGB(255, 0, 0)));
  files.Write(L"b.bmp", SolidBmpFile(8, 4, RGB(0, 0, 255)));
  app->m_strPicturesFolder = Narrow(files.Path()) + "\\";  // a trailing backslash is not doubled
  CWndImage& w = Make(CWndImage::kPictures);
  w.m_fileNames.Add("a.bmp");
  w.m_fileNames.Add("b.bmp");
  w.UpdateScrollBar();

  CDrawRect* rect = NamedRect("r", RGB(0, 255, 0));
  Doc()->Add(rect);
  View()->Select(rect);
  Doc()->SetModifiedFlag(FALSE);
  Click(CellCentre(1));
  EXPECT_STREQ(Narrow(files.Path() + L"\\b.bmp"), rect->m_pictureFile);
  EXPECT_TRUE(rect->HasPicture());
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_STREQ("", Doc()->m_backPictureFile);

  View()->Select(nullptr);
  Click(CellCentre(0));
  EXPECT_STREQ(Narrow(files.Path() + L"\\a.bmp"), Doc()->m_backPictureFile);
  EXPECT_EQ(1, Doc()->m_useBackPicture);
  EXPECT_TRUE(Doc()->m_backPicture != nullptr);
  EXPECT_STREQ(Narrow(files.Path() + L"\\b.bmp"), rect->m_pictureFile);
}

TEST_F(WndImageTest, AMissAfterAScrollAppliesNothing) {
  for (int i = 0; i < 12; ++i) files.Write(std::to_wstring(i) + L".bmp", SolidBmpFile(4, 4, RGB(i * 20, 0, 0)));
  app->m_strPicturesFolder = Narrow(files.Path());
  CWndImage& w = Make(CWndImage::kPictures);
  for (int i = 0; i < 12; ++i) w.m_fileNames.Add(CString(std::to_string(i).c_str()) + ".bmp");
  w.UpdateScrollBar();
  CDrawRect* rect = NamedRect("r", RGB(0, 255, 0));
  Doc()->Add(rect);
  View()->Select(rect);
  Click(CellCentre(0));
  EXPECT_STREQ(Narrow(files.Path() + L"\\0.bmp"), rect->m_pictureFile);

  w.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  CRect client;
  w.GetClientRect(&client);
  Doc()->SetModifiedFlag(FALSE);
  Click(CPoint(client.right - 2, 10));  // right of the last column
  EXPECT_STREQ(Narrow(files.Path() + L"\\0.bmp"), rect->m_pictureFile);
  EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(WndImageTest, ASoundGoesOnlyToASoundObject) {
  files.Write(L"tone.wav", soundtest::WaveFile(soundtest::WaveData(441)));
  app->m_strSoundsFolder = Narrow(files.Path());
  CWndImage& w = Make(CWndImage::kSounds);
  w.m_fileNames.Add("tone.wav");
  w.UpdateScrollBar();

  CDrawRect* rect = NamedRect("r", RGB(0, 255, 0));
  Doc()->Add(rect);
  View()->Select(rect);
  Doc()->SetModifiedFlag(FALSE);
  Click(CellCentre(0));
  EXPECT_STREQ("", rect->m_pictureFile);
  EXPECT_FALSE(Doc()->IsModified());

  auto* sound = new CDrawMedia(CRect(0, 32, 32, 0));
  Doc()->Add(sound);
  View()->Select(sound);
  MessageBoxCapture boxes;  // without a wave device the play is refused with a box
  Click(CellCentre(0));
  CString lower = Narrow(files.Path() + L"\\tone.wav");
  lower.MakeLower();
  EXPECT_STREQ(lower, sound->GetFileName());
  EXPECT_TRUE(Doc()->IsModified());
  sound->Stop();
}

TEST_F(WndImageTest, AVideoGoesToAVideoObject) {
  files.Write(L"clip.avi", {'R', 'I', 'F', 'F'});
  app->m_strVideoFolder = Narrow(files.Path());
  CWndImage& w = Make(CWndImage::kVideo);
  w.m_fileNames.Add("clip.avi");
  w.UpdateScrollBar();
  auto* video = new CDrawAnimate(CRect(0, 60, 80, 0));
  Doc()->Add(video);
  View()->Select(video);
  Doc()->SetModifiedFlag(FALSE);
  MessageBoxCapture boxes(IDOK);  // the clip is not playable
  Click(CellCentre(0));
  CString lower = Narrow(files.Path() + L"\\clip.avi");
  lower.MakeLower();
  EXPECT_STREQ(lower, video->GetFileName());
  EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(WndImageTest, PressingOnAComponentDragsItsIndex) {
  const char* names[] = {"p0", "p1", "p2", "p3", "p4", "p5"};
  MakeLibrary(names, 6);
  std::vector<BYTE> block;
  int index = -1;
  ModalCapture modal([&](ModalCall& call) -> INT_PTR {
    EXPECT_EQ(ModalCall::dragDrop, call.kind);
    auto* data = reinterpret_cast<IDataObject*>(call.data);
    data->AddRef();
    COleDataObject object;
    object.Attach(data);
    HGLOBAL global = object.GetGlobalData(GetPageClipFormats().objectDraw);
    if (global) {
      const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(global));
      block.assign(bytes, bytes + ::GlobalSize(global));
      ::GlobalUnlock(global);
      ::GlobalFree(global);
    }
    ReadObjectDrawIndex(object, &index);
    return DROPEFFECT_COPY;
  });
  const CPoint p = CellCentre(5);
  window->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  ASSERT_EQ(1u, modal.calls().size());
  ASSERT_EQ(52u, block.size());
  std::vector<BYTE> want(52, 0);
  want[0] = 52;
  want[48] = 5;
  EXPECT_EQ(Hex(want, 52), Hex(block, 52));
  EXPECT_EQ(5, index);
  EXPECT_EQ(window.get(), CComponentSource::Get());

  // A press beside the cells starts nothing.
  CRect client;
  window->GetClientRect(&client);
  window->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 2, 10));
  EXPECT_EQ(1u, modal.calls().size());
}

TEST_F(WndImageTest, AComponentThumbnailShowsTheObjectsColour) {
  const char* names[] = {"blue"};
  MakeLibrary(names, 1);
  Paint();
  CClientDC dc(window.get());
  EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(CellCentre(0).x, CellCentre(0).y));
}

TEST_F(WndImageTest, DeletingAComponentRewritesTheLibraryWithoutIt) {
  const char* names[] = {"first", "middle", "last"};
  MakeLibrary(names, 3);
  const std::vector<BYTE> before = LibraryFile();
  UINT command = ID_DELETE_COMPONENT;
  ModalCapture modal([&](ModalCall& call) -> INT_PTR { return call.kind == ModalCall::popupMenu ? command : 0; });
  auto rightClick = [&](CPoint p) {
    window->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    Pump();
  };

  {
    MessageBoxCapture boxes(IDCANCEL);
    rightClick(CellCentre(1));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ("确要删除此项吗", boxes.boxes()[0].text);
  }
  EXPECT_EQ(3u, window->m_objects.size());
  EXPECT_TRUE(before == LibraryFile());

  // Beside the cells nothing is offered, whatever was selected before.
  CRect client;
  window->GetClientRect(&client);
  rightClick(CPoint(client.right - 2, 10));
  rightClick(CellCentre(4));
  EXPECT_EQ(1u, modal.calls().size());

  {
    MessageBoxCapture boxes(IDOK);
    rightClick(CellCentre(1));
    EXPECT_EQ(1u, boxes.boxes().size());
  }
  ASSERT_EQ(2u, window->m_objects.size());
  CObjLib two;
  two.m_strDescription = "parts";
  two.AddObject(window->m_objects[0]);
  two.AddObject(window->m_objects[1]);
  EXPECT_STREQ("first", window->m_objects[0]->m_name);
  EXPECT_STREQ("last", window->m_objects[1]->m_name);
  const Bytes want = StoreToBytes([&](CArchive& ar) { two.Serialize(ar); });
  EXPECT_EQ(Hex(want, 4000), Hex(LibraryFile(), 4000));
}

TEST_F(WndImageTest, AFailedRewriteIsReportedAndTheListKept) {
  const char* names[] = {"a", "b"};
  MakeLibrary(names, 2);
  app->m_strComponentLibrary = Narrow(files.Path() + L"\\missing\\parts.lib");
  ModalCapture modal([](ModalCall&) -> INT_PTR { return ID_DELETE_COMPONENT; });
  MessageBoxCapture boxes(IDOK);
  const CPoint p = CellCentre(0);
  window->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
  Pump();
  ASSERT_EQ(2u, boxes.boxes().size());
  EXPECT_STREQ("生成文件失败", boxes.boxes()[1].text);
  EXPECT_EQ(window->m_hWnd, boxes.boxes()[1].owner);
  ASSERT_EQ(1u, window->m_objects.size());
  EXPECT_STREQ("b", window->m_objects[0]->m_name);
}
