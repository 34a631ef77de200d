#include "editor/CreateTool.h"

#include <algorithm>
#include <new>
#include <vector>

#include "behaviour/DrawFun.h"
#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "editor/SelectTool.h"
#include "editor/ToolStyle.h"
#include "framework/core/MessageBox.h"
#include "framework/core/ScopedHandle.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/ClientDC.h"
#include "framework/ui/DC.h"
#include "framework/ui/FileDialog.h"
#include "media/DrawAnimate.h"
#include "media/DrawMedia.h"
#include "media/DrawMeta.h"
#include "model/DrawDoc.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "resources/KordelIds.h"

int CCreateTool::s_pointPickerState = 0;

namespace {

constexpr int kMinimumCapture = 10;  // device units a captured region must exceed
constexpr int kSoundSize = 32;
constexpr char kCaptureFile[] = "kelvane001.bmp";

// The temporary folder's capture file.
CString TempCapturePath() {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return CString(folder) + kCaptureFile;
}

}  // namespace

void CCreateTool::OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) {
  CDrawTool::OnLButtonDown(view, flags, point);
  if (m_nShape == kToolCapture) return;
  CPoint local = point;
  view->DPtoLPPoint(local);
  view->SetCapture();
  if (m_nShape == kToolPoint && PickerState() != 0) {
    OnLButtonUp(view, flags, point);
    view->PostMessage(WM_COMMAND, ID_TOOL_SELECT);
    return;
  }
  CDrawObj* object = nullptr;
  switch (m_nShape) {
    case kToolText:
      if (auto* text = new (std::nothrow) CDrawText(CRect(local, local))) {
        CopyCurrentStyle(*text, *view, StyleCopy::shape);
        object = text;
      }
      break;
    case kToolLine:
      if (auto* line = new (std::nothrow) CDrawLine(CRect(local, local))) {
        CopyCurrentStyle(*line, *view, StyleCopy::line);
        object = line;
      }
      break;
    case kToolFunction:
      if (auto* plot = new (std::nothrow) CDrawFun(CRect(local, local))) {
        CopyCurrentStyle(*plot, *view, StyleCopy::shape);
        object = plot;
      }
      break;
    // Pictures, videos and sounds take no style.
    case kToolPicture:
      object = new (std::nothrow) CDrawMeta(CRect(local, local));
      break;
    case kToolVideo:
      object = new (std::nothrow) CDrawAnimate(CRect(local, local));
      break;
    case kToolSound:
      object = new (std::nothrow) CDrawMedia(CRect(local, local));
      break;
    case kToolPoint:
      if (auto* dot = new (std::nothrow) CDrawPoint(CRect(local.x, local.y, local.x + 1, local.y + 1))) {
        CopyCurrentStyle(*dot, *view, StyleCopy::point);
        object = dot;
      }
      break;
    default:
      return;
  }
  if (!object) {
    ::ReleaseCapture();
    AfxMessageBox(IDS_CREATE_OUT_OF_MEMORY, MB_ICONHAND);
    return;
  }
  AddNewObject(view, object, m_nShape);
  m_pCreated = object;
  c_selectMode = kSelectSize;
  c_nDragHandle = 1;
  c_lastLogical = local;
}

void CCreateTool::OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) {
  if (point == c_down && m_nShape != kToolPoint) return;
  CPoint adjusted = point;
  if (m_nShape == kToolLine) {
    ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
    if (flags & MK_SHIFT) {
      // The line stays horizontal or vertical: the smaller distance goes.
      if (std::abs(point.x - c_down.x) < std::abs(point.y - c_down.y))
        adjusted.x = c_down.x;
      else
        adjusted.y = c_down.y;
    }
  } else if (m_nShape == kToolSound) {
    ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
    adjusted = c_down + CPoint(kSoundSize, kSoundSize);
  } else if (m_nShape == kToolPoint) {
    CDrawObj* only = view->m_selection.GetCount() == 1 ? view->GetLastSelected() : nullptr;
    switch (PickerState()) {
      case 0: ::SetCursor(LoadToolCursor(102)); break;
      case 3:
        if (dynamic_cast<CDrawPoly*>(only)) ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
        break;
      case 4:
        if (dynamic_cast<CDrawPoly*>(only) || dynamic_cast<CDrawRect*>(only)) ::SetCursor(LoadToolCursor(190));
        break;
      default: break;  // the anchor states need anchored objects, which pages do not have yet
    }
  } else {
    ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
    adjusted = ConstrainDrag(point, c_down, flags);
  }
  CSelectTool::Get().OnMouseMove(view, flags, adjusted);
}

void CCreateTool::OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) {
  if (m_nShape == kToolCapture) {
    FinishCapture(view, point);
    return;
  }
  CDrawObj* object = m_nShape == kToolPoint && PickerState() != 0 ? view->GetLastSelected() : m_pCreated;
  m_pCreated = nullptr;
  if (object && (object == view->GetLastSelected())) {
    CPoint local = point;
    view->DPtoLPPoint(local);
    if (point == c_down && m_nShape != kToolPoint) {
      // A click without a drag selects what is there instead of drawing.
      CDrawDoc* doc = view->GetDocument();
      doc->Remove(object);
      view->Deselect(object);
      object->Delete();
      CSelectTool::Get().OnLButtonDown(view, flags, point);
    } else if (m_nShape == kToolPoint) {
      switch (PickerState()) {
        case 3:
          if (auto* poly = dynamic_cast<CDrawPoly*>(object)) poly->AddPoint(local, view);
          break;
        case 4: object->SetControlPoint(local.x, local.y); break;
        default: break;
      }
    }
  }
  CSelectTool::Get().OnLButtonUp(view, flags, point);
}

void CCreateTool::FinishCapture(CDrawView* view, const CPoint& point) {
  if (point.x - c_down.x > kMinimumCapture && point.y - c_down.y > kMinimumCapture) {
    const CString temp = TempCapturePath();
    // Inside the drag: the focus rectangle drawn on its edges stays out of the picture.
    const CRect area(c_down.x + 1, c_down.y + 1, point.x - 1, point.y - 1);
    // The band is still drawn on the window: erase it before copying.
    {
      CRect band(c_down.x, c_down.y, c_last.x, c_last.y);
      band.NormalizeRect();
      CClientDC dc(view);
      dc.DrawFocusRect(&band);
    }
    if (CaptureToFile(view, area, temp)) {
      CString title, filter;
      title.LoadString(IDS_SAVE_FILE_TITLE);
      filter.LoadString(IDS_BITMAP_FILTER);
      CFileDialog dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, view);
      dialog.m_ofn.lpstrTitle = title.GetString();
      if (dialog.DoModal() == IDOK) {
        if (CDrawApp* app = GetDrawApp()) ::SetCurrentDirectoryA(app->m_strWorkingFolder.GetString());
        ::CopyFileA(temp.GetString(), dialog.GetPathName().GetString(), FALSE);
      }
      // Cancelled or not, the temporary copy goes.
      ::DeleteFileA(temp.GetString());
    }
    c_selectMode = kSelectNone;  // the band is gone: the select tool must not erase it again
  }
  view->Invalidate(FALSE);
  CSelectTool::Get().OnLButtonUp(view, 0, point);
  view->PostMessage(WM_COMMAND, ID_TOOL_SELECT);
}

BOOL CCreateTool::CaptureToFile(CDrawView* view, const CRect& area, const CString& path) {
  const int width = area.Width(), height = area.Height();
  if (width <= 0 || height <= 0) return FALSE;
  CClientDC window(view);
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&window) || !bitmap.CreateCompatibleBitmap(&window, width, height)) return FALSE;
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.BitBlt(0, 0, width, height, &window, area.left, area.top, SRCCOPY);
  memory.SelectObject(old);

  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD imageSize = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  info.biSizeImage = imageSize;
  std::vector<BYTE> pixels(imageSize);
  if (::GetDIBits(memory.m_hDC, static_cast<HBITMAP>(bitmap.m_hObject), 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height)
    return FALSE;

  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + imageSize;
  BOOL ok = FALSE;
  {
    CScopedFileHandle file(
        ::CreateFileA(path.GetString(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FALSE;
    auto write = [&](const void* data, DWORD size) {
      DWORD written = 0;
      return ::WriteFile(file.get(), data, size, &written, nullptr) && written == size;
    };
    ok = write(&header, sizeof header) && write(&info, sizeof info) && write(pixels.data(), imageSize);
  }
  if (!ok) ::DeleteFileA(path.GetString());  // no half-written picture is left behind
  return ok;
}
