#include "editor/panels/WndImage.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "editor/MainFrame.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Brush.h"
#include "framework/ui/DC.h"
#include "framework/ui/Menu.h"
#include "framework/ui/OleDataSource.h"
#include "framework/ui/PaintDC.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "media/DrawAnimate.h"
#include "media/DrawMedia.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/ObjLib.h"
#include "model/PageClipFormats.h"
#include "resources/KordelIds.h"
#include "resources/MediaStrings.h"

IMPLEMENT_DYNCREATE(CWndImage, CWnd)

namespace {

constexpr int kMinCellSize = 3;
constexpr int kNameHeight = 18;  // kinds 0 and 1 keep this strip of a cell for the name

CString WithBackslash(const CString& folder) {
  return folder.IsEmpty() || folder.Right(1) == "\\" ? folder : folder + "\\";
}

}  // namespace

// ---- geometry ---------------------------------------------------------------------

CRect CWndImage::Grid::Cell(int column, int row) const {
  const int left = client.left + 1 + column * (cellWidth + 1);
  const int top = client.top + 1 + row * (cellHeight + 1);
  return CRect(left, top, left + cellWidth, top + cellHeight);
}

int CWndImage::Grid::HitTest(CPoint point, CRect* cell) const {
  if (!client.PtInRect(point) || point.x < client.left + 1 || point.y < client.top + 1) return -1;
  const int column = (point.x - client.left - 1) / (cellWidth + 1);
  const int row = (point.y - client.top - 1) / (cellHeight + 1);
  const int columns = Columns();
  if (column >= columns || row >= RowsShown()) return -1;
  const int index = row * columns + column;
  if (index >= columns * RowsShown()) return -1;
  if (cell) *cell = Cell(column, row);
  return index;
}

int CWndImage::Grid::ScrollMaximum(int items, BOOL* show) const {
  const int columns = Columns(), fullRows = FullRows();
  if (columns < 1 || fullRows < 1) {
    *show = FALSE;
    return 0;
  }
  int totalRows = (items + columns - 1) / columns;
  if (totalRows <= fullRows) totalRows = 0;
  *show = totalRows >= 1;
  return totalRows - 1;
}

int CWndImage::Grid::Scrolled(UINT code, int thumb, int firstRow, int maximum) const {
  const int page = std::max(0, FullRows());
  switch (code) {
    case SB_LINEUP:
      return std::max(0, firstRow - 1);
    case SB_LINEDOWN:
      return firstRow + 1 > maximum ? firstRow : firstRow + 1;
    case SB_PAGEUP:
      return std::max(0, firstRow - page);
    case SB_PAGEDOWN:
      return firstRow + page > maximum ? firstRow : firstRow + page;
    case SB_THUMBPOSITION:
      return thumb;
    case SB_TOP:
      return 0;
    default:
      return firstRow;
  }
}

CWndImage::Grid CWndImage::GetGrid() const {
  CRect client;
  if (m_hWnd) GetClientRect(&client);
  return Grid{client, m_nCellWidth, m_nCellHeight};
}

// ---- life -------------------------------------------------------------------------

CWndImage::CWndImage() {
  const UINT bitmaps[kKinds] = {IDB_GALLERY_SHAPES, IDB_GALLERY_PICTURES, IDB_SOUND_ICON, IDB_GALLERY_VIDEO,
                                IDB_GALLERY_COMPONENTS};
  for (int kind = 0; kind < kKinds; ++kind) m_kindBitmaps[kind].LoadBitmap(bitmaps[kind]);
  MapCommand(ID_DELETE_COMPONENT, &CWndImage::OnDeleteComponent);
}

CWndImage::~CWndImage() {
  if (CComponentSource::Get() == this) CComponentSource::Set(nullptr);
  DeleteObjects();
}

void CWndImage::DeleteObjects() {
  for (CDrawObj* object : m_objects) object->Delete();
  m_objects.clear();
}

BOOL CWndImage::Create(const RECT& rect, int columns, int rows, int cellWidth, int cellHeight, CWnd* parent) {
  if (m_hWnd) return TRUE;
  m_nColumns = columns;
  m_nRows = rows;
  // A size of 0 from the settings would divide by zero, one below 3 leave no inside.
  m_nCellWidth = std::max(kMinCellSize, cellWidth);
  m_nCellHeight = std::max(kMinCellSize, cellHeight);
  return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, rect, parent, IDC_THUMBNAILS);
}

void CWndImage::SetKind(int kind) {
  m_nKind = kind;
  if (kind == kComponents) CComponentSource::Set(this);
}

CDrawObj* CWndImage::GetComponent(int index) const {
  return index >= 0 && index < GetComponentCount() ? m_objects[static_cast<size_t>(index)] : nullptr;
}

int CWndImage::ItemCount() const {
  return m_nKind == kComponents ? GetComponentCount() : static_cast<int>(m_fileNames.GetSize());
}

int CWndImage::SelectedItem() const {
  if (m_nSelected < 0) return -1;
  const int item = m_nFirstRow * GetGrid().Columns() + m_nSelected;
  return item < ItemCount() ? item : -1;
}

CString CWndImage::FolderOfKind() const {
  const CDrawApp* app = GetDrawApp();
  if (!app) return CString();
  switch (m_nKind) {
    case kShapes:
      return app->m_strShapesFolder;
    case kPictures:
      return app->m_strPicturesFolder;
    case kSounds:
      return app->m_strSoundsFolder;
    case kVideo:
      return app->m_strVideoFolder;
    default:
      return CString();
  }
}

// ---- scrolling --------------------------------------------------------------------

void CWndImage::UpdateScrollBar() {
  m_nScrollPos = m_nFirstRow = 0;
  BOOL show = FALSE;
  m_nScrollMax = GetGrid().ScrollMaximum(ItemCount(), &show);
  SetScrollRange(SB_VERT, 0, std::max(0, m_nScrollMax), FALSE);
  SetScrollPos(SB_VERT, 0, TRUE);
  ShowScrollBar(SB_VERT, show);
}

void CWndImage::OnSize(UINT nType, int cx, int cy) {
  if (m_bResizeEnabled && (cx != m_lastSize.cx || cy != m_lastSize.cy)) {
    UpdateScrollBar();
    m_lastSize = CSize(cx, cy);
  }
  CWnd::OnSize(nType, cx, cy);
}

void CWndImage::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  m_nScrollPos = m_nFirstRow =
      GetGrid().Scrolled(nSBCode, static_cast<int>(nPos), m_nFirstRow, m_nScrollMax);
  SetScrollPos(SB_VERT, m_nScrollPos, TRUE);
  Invalidate(TRUE);
  CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

// ---- painting ---------------------------------------------------------------------

void CWndImage::FlipBitmapVertically(CBitmap& bitmap) {
  BITMAP bm = {};
  if (!bitmap.GetBitmap(&bm) || bm.bmHeight < 2) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const size_t line = static_cast<size_t>(bm.bmWidth) * 4;
  std::vector<BYTE> bits(line * static_cast<size_t>(bm.bmHeight));
  HDC screen = ::GetDC(nullptr);
  const HBITMAP handle = bitmap;
  if (::GetDIBits(screen, handle, 0, static_cast<UINT>(bm.bmHeight), bits.data(), &info, DIB_RGB_COLORS)) {
    std::vector<BYTE> swap(line);
    for (size_t top = 0, bottom = static_cast<size_t>(bm.bmHeight) - 1; top < bottom; ++top, --bottom) {
      std::memcpy(swap.data(), &bits[top * line], line);
      std::memcpy(&bits[top * line], &bits[bottom * line], line);
      std::memcpy(&bits[bottom * line], swap.data(), line);
    }
    ::SetDIBits(screen, handle, 0, static_cast<UINT>(bm.bmHeight), bits.data(), &info, DIB_RGB_COLORS);
  }
  ::ReleaseDC(nullptr, screen);
}

void CWndImage::OnPaint() {
  CPaintDC dc(this);
  const CDrawApp* app = GetDrawApp();
  if (app && app->m_nMode != kModeEditing) return;  // nothing is painted during a run
  CRect client;
  GetClientRect(&client);
  if (!m_cache.GetSafeHandle() || client != m_cacheRect || m_cacheKeys[0] != m_nFirstRow ||
      m_cacheKeys[1] != m_nCellWidth || m_cacheKeys[2] != m_nCellHeight || m_bDirty)
    RebuildCache(dc, client);
  CDC cache;
  cache.CreateCompatibleDC(&dc);
  CBitmap* old = cache.SelectObject(&m_cache);
  dc.BitBlt(0, 0, client.Width(), client.Height(), &cache, 0, 0, SRCCOPY);
  cache.SelectObject(old);
  if (SelectedItem() >= 0) {
    CBrush red(RGB(255, 0, 0));
    ::FrameRect(dc.GetSafeHdc(), &m_selectedRect, static_cast<HBRUSH>(red.GetSafeHandle()));
  }
}

void CWndImage::RebuildCache(CDC& windowDC, const CRect& client) {
  m_cacheRect = client;
  m_cacheKeys[0] = m_nFirstRow;
  m_cacheKeys[1] = m_nCellWidth;
  m_cacheKeys[2] = m_nCellHeight;
  m_bDirty = FALSE;
  CDC cache;
  cache.CreateCompatibleDC(&windowDC);
  m_cache.CreateCompatibleBitmap(&windowDC, std::max(1, client.Width()), std::max(1, client.Height()));
  CBitmap* old = cache.SelectObject(&m_cache);
  cache.FillSolidRect(&client, RGB(255, 255, 255));
  cache.Draw3dRect(&client, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_WINDOWFRAME));

  const Grid grid{client, m_nCellWidth, m_nCellHeight};
  m_nColumns = std::max(0, grid.Columns());
  m_nRows = std::max(0, grid.RowsShown());
  const int first = m_nFirstRow * m_nColumns, items = ItemCount();
  if (m_nColumns * m_nRows > items - first) windowDC.BitBlt(0, 0, client.Width(), client.Height(), &cache, 0, 0, SRCCOPY);
  for (int row = 0; row < m_nRows; ++row) {
    for (int column = 0; column < m_nColumns; ++column) {
      const int item = first + row * m_nColumns + column;
      if (item >= items) {
        cache.SelectObject(old);
        return;
      }
      DrawCell(cache, grid.Cell(column, row), item);
      // The grid shows up cell by cell.
      windowDC.BitBlt(0, 0, client.Width(), client.Height(), &cache, 0, 0, SRCCOPY);
    }
  }
  cache.SelectObject(old);
}

void CWndImage::DrawCell(CDC& cache, const CRect& cell, int item) {
  cache.Draw3dRect(&cell, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_WINDOWFRAME));
  CRect inner = cell;
  inner.DeflateRect(1, 1);
  cache.FillSolidRect(&inner, RGB(255, 255, 255));
  if (m_nKind == kComponents) {
    DrawComponentCell(cache, inner, m_objects[static_cast<size_t>(item)]);
    return;
  }
  const CString& name = m_fileNames[item];
  if (m_nKind == kShapes || m_nKind == kPictures) {
    DrawPictureCell(cache, inner, WithBackslash(FolderOfKind()) + name);
  } else {
    CDC icon;
    icon.CreateCompatibleDC(&cache);
    CBitmap* old = icon.SelectObject(&m_kindBitmaps[m_nKind]);
    const CPoint centre = cell.CenterPoint();
    cache.BitBlt(centre.x - 16, centre.y - 25, 32, 32, &icon, 0, 0, SRCCOPY);
    icon.SelectObject(old);
  }
  CRect text(cell.left + 2, cell.bottom - 20, cell.right - 2, cell.bottom - 2);
  const int mode = cache.SetBkMode(TRANSPARENT);
  cache.DrawText(name, &text, DT_CENTER | DT_END_ELLIPSIS | DT_SINGLELINE | DT_NOPREFIX);
  cache.SetBkMode(mode);
}

void CWndImage::DrawPictureCell(CDC& cache, const CRect& inner, const CString& path) {
  // One picture decoded at a time, released before the next.
  ++m_nPictureLoads;
  std::unique_ptr<CPicture> picture = LoadImageFile(path, FALSE);
  if (!picture || !picture->IsValid()) return;
  const int areaW = inner.Width(), areaH = inner.Height() - kNameHeight;
  const double w = picture->GetWidth(), h = picture->GetHeight();
  if (areaW < 1 || areaH < 1 || w <= 0 || h <= 0) return;
  int drawW = areaW, drawH = areaH;
  if (w * areaH > h * areaW)
    drawH = std::max(1, static_cast<int>(h * areaW / w));
  else if (w * areaH < h * areaW)
    drawW = std::max(1, static_cast<int>(w * areaH / h));
  Gdiplus::Graphics graphics(cache.GetSafeHdc());
  graphics.DrawImage(picture->GetImage(), inner.left + (areaW - drawW) / 2, inner.top + (areaH - drawH) / 2, drawW,
                     drawH);
}

void CWndImage::DrawComponentCell(CDC& cache, const CRect& inner, CDrawObj* object) {
  const int innerW = std::max(1, inner.Width()), innerH = std::max(1, inner.Height());
  CDC memory;
  memory.CreateCompatibleDC(&cache);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&cache, innerW, innerH);
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.FillSolidRect(0, 0, innerW, innerH, RGB(255, 255, 255));
  CRect extent = object->m_position;
  extent.NormalizeRect();
  // A flat object (a horizontal line, a point) still maps to something.
  const long long objectW = std::max(1, std::abs(extent.Width())), objectH = std::max(1, std::abs(extent.Height()));
  const int dpiX = memory.GetDeviceCaps(LOGPIXELSX), dpiY = memory.GetDeviceCaps(LOGPIXELSY);
  memory.SetMapMode(MM_ANISOTROPIC);
  memory.SetWindowExt(static_cast<int>(std::max(1LL, dpiX * objectW / innerW)),
                      static_cast<int>(std::max(1LL, dpiY * objectH / innerH)));
  memory.SetViewportExt(dpiX, dpiY);
  object->Draw(&memory, nullptr);
  memory.SetMapMode(MM_TEXT);
  memory.SelectObject(old);
  // Drawn with y growing downwards, the page's y-up object stands on its head.
  FlipBitmapVertically(bitmap);
  old = memory.SelectObject(&bitmap);
  cache.BitBlt(inner.left, inner.top, innerW, innerH, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

// ---- the mouse --------------------------------------------------------------------

int CWndImage::HitTest(int x, int y, CRect* cell) const { return GetGrid().HitTest(CPoint(x, y), cell); }

void CWndImage::OnLButtonDown(UINT, CPoint point) {
  CRect cell;
  const int hit = HitTest(point.x, point.y, &cell);
  // Only a press on a cell counts: a miss must not apply the old selection's file,
  // which after a scroll is another item.
  m_bPressedOnCell = hit >= 0;
  if (hit >= 0) {
    m_nSelected = hit;
    m_selectedRect = cell;
  }
  Invalidate(TRUE);
  UpdateWindow();
  if (m_nKind == kComponents && m_bPressedOnCell && SelectedItem() >= 0) StartComponentDrag(SelectedItem());
}

void CWndImage::StartComponentDrag(int item) {
  HGLOBAL block = MakeObjectDrawBlock(item);
  if (!block) return;
  auto* source = new COleDataSource;
  source->CacheGlobalData(GetPageClipFormats().objectDraw, block);
  source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  source->InternalRelease();
}

void CWndImage::OnLButtonUp(UINT, CPoint) {
  const bool pressed = std::exchange(m_bPressedOnCell, false);
  if (!pressed || m_nKind == kComponents) return;
  const int item = SelectedItem();
  if (item >= 0) ApplyFile(item);
}

void CWndImage::ApplyFile(int item) {
  CDrawApp* app = GetDrawApp();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  CDrawView* view = app ? app->GetActiveDrawView() : nullptr;
  if (!frame || !view || !view->GetDocument()) return;
  const CString path = WithBackslash(FolderOfKind()) + m_fileNames[item];
  CDrawObj* current = view->GetLastSelected();
  switch (m_nKind) {
    case kShapes:
    case kPictures:
      if (!current)
        frame->DropOnBackground(path);
      else if (CMainFrame::HoldsPicture(current))
        frame->ApplyPictureFile(current, path);
      break;
    case kSounds:
      if (auto* sound = dynamic_cast<CDrawMedia*>(current)) frame->ApplySoundFile(sound, path);
      break;
    case kVideo:
      if (auto* video = dynamic_cast<CDrawAnimate*>(current)) {
        video->ClearMedia();
        video->SetMediaFile(path);
        video->Invalidate();
        if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(kPanelObjectSelected, video);
        view->GetDocument()->SetModifiedFlag(TRUE);
      }
      break;
    default:
      break;
  }
}

void CWndImage::OnRButtonDown(UINT, CPoint point) {
  CRect cell;
  const int hit = HitTest(point.x, point.y, &cell);
  if (hit < 0) return;  // a miss offers nothing: the old selection may be out of sight
  m_nSelected = hit;
  m_selectedRect = cell;
  if (m_nKind != kComponents || SelectedItem() < 0) return;
  CMenu menu;
  if (!menu.LoadMenu(IDR_MENU_COMPONENT)) return;
  CPoint screen = point;
  ClientToScreen(&screen);
  menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CWndImage::OnDeleteComponent() {
  const int item = SelectedItem();
  if (m_nKind != kComponents || item < 0) return;
  if (AfxMessageBox(IDS_CONFIRM_DELETE_COMPONENT, MB_OKCANCEL) != IDOK) return;
  m_objects[static_cast<size_t>(item)]->Delete();
  m_objects.erase(m_objects.begin() + item);
  m_bDirty = TRUE;
  Invalidate(TRUE);

  CObjLib lib;
  lib.m_strDescription = m_strDescription;
  for (CDrawObj* object : m_objects) lib.AddObject(object);
  const CDrawApp* app = GetDrawApp();
  try {
    lib.StoreFile(app ? app->m_strComponentLibrary : CString());
  } catch (const CException&) {
    CString text;
    text.LoadString(IDS_CREATE_FILE_FAILED);
    AfxMessageBoxWithCaption(m_hWnd, text, nullptr, MB_OK);
  }
}
