// GDI owners: move-only, releasing what they own; device contexts drawing into a
// memory bitmap; menus and image lists.
#include <gtest/gtest.h>

#include <type_traits>

#include "framework/ui/Bitmap.h"
#include "framework/ui/Brush.h"
#include "framework/ui/DC.h"
#include "framework/ui/WindowDC.h"
#include "framework/ui/Font.h"
#include "framework/ui/ImageList.h"
#include "framework/ui/Menu.h"
#include "framework/ui/PaintDC.h"
#include "framework/ui/Pen.h"
#include "framework/ui/Rgn.h"
#include "tests/framework/UiTestIds.h"

namespace {

static_assert(!std::is_copy_constructible<CPen>::value && std::is_move_constructible<CPen>::value, "");
static_assert(!std::is_copy_constructible<CDC>::value && std::is_move_constructible<CDC>::value, "");
static_assert(!std::is_copy_constructible<CMenu>::value && std::is_move_constructible<CMenu>::value, "");
static_assert(!std::is_copy_constructible<CImageList>::value && std::is_move_constructible<CImageList>::value, "");
static_assert(!std::is_copy_constructible<CPaintDC>::value, "");

TEST(Gdi, OwnersReleaseWhatTheyOwnAndMovesHandItOn) {
  HGDIOBJ pen;
  {
    CPen first(PS_SOLID, 2, RGB(255, 0, 0));
    pen = first.m_hObject;
    ASSERT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(pen));
    CPen second(std::move(first));
    EXPECT_EQ(nullptr, first.m_hObject);
    EXPECT_EQ(pen, second.m_hObject);
    LOGPEN logPen = {};
    second.GetLogPen(&logPen);
    EXPECT_EQ(2, logPen.lopnWidth.x);
  }
  EXPECT_EQ(0u, static_cast<unsigned>(::GetObjectType(pen)));  // deleted with its owner

  HGDIOBJ kept;
  {
    CBrush brush(RGB(0, 0, 255));
    kept = brush.Detach();
  }
  EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(kept));
  ::DeleteObject(kept);
}

TEST(Gdi, AMemoryDCDrawsIntoItsBitmap) {
  CDC screen;
  screen.Attach(::GetDC(nullptr));
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 40, 30));
  ::ReleaseDC(nullptr, screen.Detach());
  BITMAP info = {};
  bitmap.GetBitmap(&info);
  EXPECT_EQ(40, info.bmWidth);

  CBitmap* old = memory.SelectObject(&bitmap);
  ASSERT_NE(nullptr, old);
  memory.FillSolidRect(0, 0, 40, 30, RGB(255, 255, 255));
  memory.Draw3dRect(CRect(5, 5, 25, 20), RGB(255, 0, 0), RGB(0, 0, 255));
  CPen pen(PS_SOLID, 1, RGB(0, 128, 0));
  CPen* oldPen = memory.SelectObject(&pen);
  memory.MoveTo(30, 0);
  memory.LineTo(30, 30);
  EXPECT_EQ(pen.m_hObject, memory.SelectObject(oldPen)->m_hObject);  // the wrapper of what was selected

  const struct {
    int x, y;
    COLORREF colour;
  } pixels[] = {
      {5, 5, RGB(255, 0, 0)},    {23, 5, RGB(255, 0, 0)},  {5, 18, RGB(255, 0, 0)},  // top and left edges
      {24, 10, RGB(0, 0, 255)},  {10, 19, RGB(0, 0, 255)},                           // right and bottom
      {10, 10, RGB(255, 255, 255)}, {25, 10, RGB(255, 255, 255)},                    // inside, outside
      {30, 15, RGB(0, 128, 0)},
  };
  for (const auto& p : pixels) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(p.colour, memory.GetPixel(p.x, p.y));
  }
  memory.SelectObject(old);
}

TEST(Gdi, MappingModesConvertPointsAndSizes) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(100, -100);
  dc.SetViewportExt(200, 200);
  dc.SetViewportOrg(50, 60);
  CPoint point(10, 10);
  dc.LPtoDP(&point);
  EXPECT_EQ(CPoint(70, 40), point);
  CSize size(10, 10);
  dc.LPtoDP(&size);  // a size ignores the origins
  EXPECT_EQ(CSize(20, -20), size);
  dc.DPtoLP(&point);
  EXPECT_EQ(CPoint(10, 10), point);
}

TEST(Gdi, MenusFromResourcesAndImageListsFromBitmaps) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_TEST_FRAME));
  EXPECT_EQ(3, menu.GetMenuItemCount());
  CMenu* file = menu.GetSubMenu(0);
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(static_cast<UINT>(ID_FILE_NEW), file->GetMenuItemID(0));
  CString text;
  file->GetMenuString(ID_APP_EXIT, text, MF_BYCOMMAND);
  EXPECT_STREQ("退出(&X)", text);
  EXPECT_EQ(&menu, CMenu::FromHandlePermanent(menu.m_hMenu));
  HMENU handle = menu.Detach();
  EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(handle));
  EXPECT_TRUE(::IsMenu(handle));
  ::DestroyMenu(handle);

  CImageList images;
  ASSERT_TRUE(images.Create(16, 15, ILC_COLOR8 | ILC_MASK, 0, 4));
  CBitmap strip;
  ASSERT_TRUE(strip.LoadBitmap(IDR_TEST_FRAME));
  EXPECT_EQ(0, images.Add(&strip, RGB(192, 192, 192)));
  EXPECT_EQ(3, images.GetImageCount());
  HIMAGELIST list = images.Detach();
  EXPECT_EQ(3, ImageList_GetImageCount(list));
  ImageList_Destroy(list);
}

}  // namespace
