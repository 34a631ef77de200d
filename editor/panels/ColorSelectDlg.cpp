#include "editor/panels/ColorSelectDlg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "framework/core/Module.h"
#include "framework/ui/Brush.h"
#include "framework/ui/PaintDC.h"
#include "framework/ui/Pen.h"
#include "framework/ui/SpinButtonCtrl.h"
#include "resources/KordelIds.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kWheelRadius = 100;
constexpr int kBarEntries = 256;  // the bar's colour table is indexed by row

const int kEditIds[] = {IDC_CS_RED, IDC_CS_GREEN, IDC_CS_BLUE, IDC_CS_HUE, IDC_CS_SATURATION, IDC_CS_BRIGHTNESS};
const int kSpinIds[] = {IDC_CS_RED_SPIN,        IDC_CS_GREEN_SPIN,         IDC_CS_BLUE_SPIN,
                        IDC_CS_HUE_SPIN,        IDC_CS_SATURATION_SPIN,    IDC_CS_BRIGHTNESS_SPIN};

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

RECT ItemRect(const CWnd& dialog, int id) {
  RECT rect = {};
  HWND item = ::GetDlgItem(dialog.m_hWnd, id);
  if (item) {
    ::GetWindowRect(item, &rect);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

// The picture's pixels of RGB(192,192,192) take the button face, so that the pictures
// sit on the dialog as if cut out.
void LoadPicture(CBitmap& bitmap, UINT id, SIZE& size) {
  bitmap.DeleteObject();
  size = {};
  HBITMAP loaded = static_cast<HBITMAP>(
      ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) return;
  BITMAP info = {};
  ::GetObjectA(loaded, sizeof info, &info);
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = -info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = ::GetDC(nullptr);
  if (::GetDIBits(screen, loaded, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS)) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const DWORD faceBits = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    for (DWORD& pixel : pixels)
      if ((pixel & 0xFFFFFF) == 0xC0C0C0) pixel = faceBits;
    ::SetDIBits(screen, loaded, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS);
  }
  ::ReleaseDC(nullptr, screen);
  bitmap.Attach(loaded);
  size = {info.bmWidth, info.bmHeight};
}

}  // namespace

CColorSelectDlg::CColorSelectDlg(COLORREF initial, CWnd* pParent) : CDialog(IDD_COLOUR_SELECT, pParent) {
  m_initialRed = m_red = GetRValue(initial);
  m_initialGreen = m_green = GetGValue(initial);
  m_initialBlue = m_blue = GetBValue(initial);
  RGBtoHSB(m_red, m_green, m_blue, m_hue, m_saturation, m_brightness);
  MapControl(EN_CHANGE, IDC_CS_RED, &CColorSelectDlg::OnChangeRed);
  MapControl(EN_CHANGE, IDC_CS_GREEN, &CColorSelectDlg::OnChangeGreen);
  MapControl(EN_CHANGE, IDC_CS_BLUE, &CColorSelectDlg::OnChangeBlue);
  MapControl(EN_CHANGE, IDC_CS_HUE, &CColorSelectDlg::OnChangeHue);
  MapControl(EN_CHANGE, IDC_CS_SATURATION, &CColorSelectDlg::OnChangeSaturation);
  MapControl(EN_CHANGE, IDC_CS_BRIGHTNESS, &CColorSelectDlg::OnChangeBrightness);
  MapMessage(WM_SYSCOLORCHANGE, &CColorSelectDlg::OnSysColourChange);
}

void CColorSelectDlg::RGBtoHSB(int red, int green, int blue, int& hue, int& saturation, int& brightness) {
  const int high = std::max({red, green, blue});
  const int low = std::min({red, green, blue});
  brightness = high;
  if (high == low) {
    hue = saturation = 0;
    return;
  }
  const double span = high - low;
  saturation = static_cast<int>(span / high * 255.0);
  double sector;
  if (red == high)
    sector = (green - blue) / span;
  else if (green == high)
    sector = (blue - red) / span + 2.0;
  else
    sector = (red - green) / span + 4.0;
  double degrees = sector * 60.0;
  if (degrees < 0) degrees += 360.0;
  hue = static_cast<int>(degrees);
  if (hue >= 360) hue = 0;
}

void CColorSelectDlg::HSBtoRGB(int hue, int saturation, int brightness, int& red, int& green, int& blue) {
  const double delta = saturation * brightness / 255.0;
  const double low = brightness - delta;
  const double h = hue / 60.0;
  double r, g, b;
  if (hue < 61 || hue >= 301) {
    r = brightness;
    if (hue <= 60) {
      g = h * delta + low;
      b = low;
    } else {
      g = low;
      b = low - (hue - 360) / 60.0 * delta;
    }
  } else if (hue < 180) {
    g = brightness;
    if (hue < 120) {
      r = low - (h - 2) * delta;
      b = low;
    } else {
      r = low;
      b = (h - 2) * delta + low;
    }
  } else {
    b = brightness;
    if (hue < 240) {
      r = low;
      g = low - (h - 4) * delta;
    } else {
      g = low;
      r = (h - 4) * delta + low;
    }
  }
  red = Clamp(static_cast<int>(r), 0, 255);
  green = Clamp(static_cast<int>(g), 0, 255);
  blue = Clamp(static_cast<int>(b), 0, 255);
}

bool CColorSelectDlg::InWheel(POINT centre, POINT point) {
  return static_cast<int>(std::hypot(point.x - centre.x, point.y - centre.y)) < kWheelRadius + 1;
}

void CColorSelectDlg::WheelToHueSaturation(POINT centre, POINT point, int& hue, int& saturation) {
  const int dx = point.x - centre.x;
  const int dy = centre.y - point.y;
  hue = (dx == 0 && dy == 0) ? 0 : static_cast<int>(std::atan2(dy, dx) * 180.0 / kPi);
  if (hue < 0) hue += 360;
  if (hue >= 360) hue = 0;
  saturation = std::min(255, static_cast<int>(std::hypot(dx, dy) * 255 * 0.01));
}

POINT CColorSelectDlg::WheelMarker(POINT centre, int hue, int saturation) {
  const double angle = hue * kPi / 180.0;
  const double radius = saturation * kWheelRadius / 255.0;
  return {centre.x + static_cast<int>(std::cos(angle) * radius), centre.y - static_cast<int>(std::sin(angle) * radius)};
}

int CColorSelectDlg::BarBrightness(const RECT& bar, int y) {
  const int height = bar.bottom - bar.top;
  if (height <= 0) return 0;
  return Clamp((bar.bottom - y) * 255 / height, 0, 255);
}

BOOL CColorSelectDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_rgbArea = ItemRect(*this, IDC_CS_RGB_AREA);
  m_hsbArea = ItemRect(*this, IDC_CS_HSB_AREA);
  m_initialSwatch = ItemRect(*this, IDC_CS_INITIAL);
  m_currentSwatch = ItemRect(*this, IDC_CS_CURRENT);
  LoadPictures();

  m_wheelOrigin = {m_hsbArea.left + 5 + 10, m_hsbArea.top + 5 + 20};
  m_wheelCentre = {m_wheelOrigin.x + kWheelRadius, m_wheelOrigin.y + kWheelRadius};
  m_bar = {m_wheelOrigin.x + m_wheelSize.cx + 20, m_wheelOrigin.y, m_wheelOrigin.x + m_wheelSize.cx + 40,
           m_wheelOrigin.y + m_wheelSize.cy};
  m_triangleOrigin = {m_rgbArea.left + 15 - 3, m_rgbArea.top + 15 + 10};
  const POINT corners[4] = {{102, 108}, {102, 9}, {23, 147}, {181, 147}};
  for (int i = 0; i < 4; ++i) m_triangle[i] = {corners[i].x + m_triangleOrigin.x, corners[i].y + m_triangleOrigin.y};
  for (int i = 0; i < 3; ++i)
    m_axisLength[i] = std::hypot(m_triangle[i + 1].x - m_triangle[0].x, m_triangle[i + 1].y - m_triangle[0].y);

  for (int field = 0; field < kFields; ++field) {
    HWND spin = ::GetDlgItem(m_hWnd, kSpinIds[field]);
    ::SendMessageA(spin, UDM_SETRANGE32, 0, field == kHue ? 360 : 255);
  }
  Refresh();
  CenterWindow(GetDesktopWindow());
  m_ready = 1;
  return TRUE;
}

void CColorSelectDlg::LoadPictures() {
  LoadPicture(m_trianglePicture, IDB_COLOUR_TRIANGLE, m_triangleSize);
  LoadPicture(m_wheelPicture, IDB_COLOUR_WHEEL, m_wheelSize);
}

LRESULT CColorSelectDlg::OnSysColourChange(WPARAM, LPARAM) {
  LoadPictures();
  Invalidate();
  return 0;
}

int& CColorSelectDlg::FieldValue(int field) {
  int* const values[] = {&m_red, &m_green, &m_blue, &m_hue, &m_saturation, &m_brightness};
  return *values[field];
}

void CColorSelectDlg::OnFieldChange(int field) {
  if (!m_ready) return;
  CString text;
  GetDlgItemText(kEditIds[field], text);
  const int value = static_cast<int>(std::strtol(text, nullptr, 10));
  if (value == FieldValue(field)) return;
  FieldValue(field) = Clamp(value, 0, field == kHue ? 359 : 255);
  if (field <= kBlue)
    RGBtoHSB(m_red, m_green, m_blue, m_hue, m_saturation, m_brightness);
  else
    HSBtoRGB(m_hue, m_saturation, m_brightness, m_red, m_green, m_blue);
  Refresh();
}

void CColorSelectDlg::BuildBar() {
  const int height = m_bar.bottom - m_bar.top;
  const int width = m_bar.right - m_bar.left;
  if (height <= 0 || width <= 0 || !m_barDib.Create(width, height, 8)) return;
  // A bar taller than the table shares entries between neighbouring rows.
  const int entries = std::min(height, kBarEntries);
  BYTE table[kBarEntries * 3] = {};
  for (int k = 0; k < entries; ++k) {
    int r, g, b;
    HSBtoRGB(m_hue, m_saturation, entries > 1 ? k * 255 / (entries - 1) : 255, r, g, b);
    table[k * 3] = static_cast<BYTE>(r);
    table[k * 3 + 1] = static_cast<BYTE>(g);
    table[k * 3 + 2] = static_cast<BYTE>(b);
  }
  m_barDib.SetColorTable(table);
  for (int row = 0; row < height; ++row) {
    BYTE* line = m_barDib.GetLine(height - 1 - row);
    if (line) std::fill(line, line + width, static_cast<BYTE>(row * entries / height));
  }
}

void CColorSelectDlg::PlaceHandles() {
  const int components[3] = {m_red, m_green, m_blue};
  for (int i = 0; i < 3; ++i) {
    const POINT& c = m_triangle[0];
    const POINT& corner = m_triangle[i + 1];
    const int x = c.x + static_cast<int>((corner.x - c.x) * components[i] / 255.0);
    const int y = c.y + static_cast<int>((corner.y - c.y) * components[i] / 255.0);
    m_handleRect[i] = {x - 5, y - 5, x + 5, y + 5};
  }
}

void CColorSelectDlg::Refresh() {
  if (m_refreshing) return;
  m_refreshing = 1;
  PlaceHandles();
  BuildBar();
  for (int field = 0; field < kFields; ++field) {
    // A field the user has just emptied (read as 0) stays empty while they type; the
    // spins set their buddies' texts, and a clamped value typed in must show as well.
    CString text;
    GetDlgItemText(kEditIds[field], text);
    if (m_ready && text.IsEmpty()) continue;
    ::SendDlgItemMessageA(m_hWnd, kSpinIds[field], UDM_SETPOS32, 0, FieldValue(field));
    GetDlgItemText(kEditIds[field], text);
    if (!m_ready || std::strtol(text, nullptr, 10) != FieldValue(field)) SetDlgItemInt(kEditIds[field], FieldValue(field));
  }
  InvalidateRect(&m_rgbArea, FALSE);
  InvalidateRect(&m_hsbArea, FALSE);
  InvalidateRect(&m_currentSwatch, FALSE);
  m_refreshing = 0;
}

void CColorSelectDlg::ApplyPoint(POINT point) {
  if (m_dragMode == 1) {
    WheelToHueSaturation(m_wheelCentre, point, m_hue, m_saturation);
  } else if (m_dragMode == 2) {
    m_brightness = BarBrightness(m_bar, point.y);
  } else if (m_handleDrag) {
    const POINT& c = m_triangle[0];
    double distance;
    if (m_handle == 0) {
      distance = c.y - std::min<int>(point.y, c.y);
    } else {
      const int handleY = (m_handleRect[m_handle].top + m_handleRect[m_handle].bottom) / 2;
      const int x = m_handle == 1 ? std::min<int>(point.x, c.x) : std::max<int>(point.x, c.x);
      distance = std::hypot(x - c.x, handleY - c.y);
    }
    const double axis = m_axisLength[m_handle];
    const int component = axis > 0 ? static_cast<int>(std::min(distance, axis) / axis * 255) : 0;
    (m_handle == 0 ? m_red : m_handle == 1 ? m_green : m_blue) = component;
    RGBtoHSB(m_red, m_green, m_blue, m_hue, m_saturation, m_brightness);
    Refresh();
    return;
  } else {
    return;
  }
  HSBtoRGB(m_hue, m_saturation, m_brightness, m_red, m_green, m_blue);
  Refresh();
}

void CColorSelectDlg::OnLButtonDown(UINT, CPoint point) {
  if (::PtInRect(&m_hsbArea, point)) {
    if (InWheel(m_wheelCentre, point))
      m_dragMode = 1;
    else if (::PtInRect(&m_bar, point))
      m_dragMode = 2;
    else
      return;
    SetCapture();
    ApplyPoint(point);
  } else if (::PtInRect(&m_rgbArea, point)) {
    for (int i = 0; i < 3; ++i) {
      if (::PtInRect(&m_handleRect[i], point)) {
        SetCapture();
        m_handleDrag = 1;
        m_handle = i;
        return;
      }
    }
  }
}

void CColorSelectDlg::OnMouseMove(UINT, CPoint point) {
  if (::GetCapture() == m_hWnd) ApplyPoint(point);
}

void CColorSelectDlg::OnLButtonUp(UINT, CPoint) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  m_handleDrag = 0;
  m_dragMode = 0;
}

void CColorSelectDlg::OnPaint() {
  CPaintDC dc(this);
  CBrush black(RGB(0, 0, 0));
  dc.FillSolidRect(&m_initialSwatch, RGB(m_initialRed, m_initialGreen, m_initialBlue));
  dc.FrameRect(&m_initialSwatch, &black);
  dc.FillSolidRect(&m_currentSwatch, RGB(m_red, m_green, m_blue));
  dc.FrameRect(&m_currentSwatch, &black);

  CDC memory;
  memory.CreateCompatibleDC(&dc);
  if (m_wheelPicture.m_hObject) {
    HGDIOBJ old = memory.SelectObject(m_wheelPicture.m_hObject);
    ::BitBlt(dc, m_wheelOrigin.x, m_wheelOrigin.y, m_wheelSize.cx, m_wheelSize.cy, memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
  if (m_trianglePicture.m_hObject) {
    HGDIOBJ old = memory.SelectObject(m_trianglePicture.m_hObject);
    ::BitBlt(dc, m_triangleOrigin.x, m_triangleOrigin.y, m_triangleSize.cx, m_triangleSize.cy, memory, 0, 0,
             SRCCOPY);
    memory.SelectObject(old);
  }
  if (!m_barDib.IsEmpty())
    m_barDib.SetToDevice(&dc, m_bar.left, m_bar.top, m_bar.right - m_bar.left, m_bar.bottom - m_bar.top, 0, 0);
  DrawMarkers(dc);
}

// Markers are drawn with XOR so that they show on every colour beneath them.
void CColorSelectDlg::DrawMarkers(CDC& dc) const {
  const int oldMode = dc.SetROP2(R2_XORPEN);
  HGDIOBJ oldBrush = dc.SelectObject(::GetStockObject(NULL_BRUSH));
  CPen thin(PS_SOLID, 1, RGB(255, 255, 255));
  CPen wide(PS_SOLID, 2, RGB(255, 255, 255));
  HGDIOBJ oldPen = dc.SelectObject(thin.m_hObject);

  const POINT marker = WheelMarker(m_wheelCentre, m_hue, m_saturation);
  dc.Rectangle(marker.x - 5, marker.y - 5, marker.x + 5, marker.y + 5);
  for (const RECT& handle : m_handleRect) dc.Rectangle(&handle);

  dc.SelectObject(::GetStockObject(WHITE_PEN));
  POINT middles[3];
  for (int i = 0; i < 3; ++i)
    middles[i] = {(m_handleRect[i].left + m_handleRect[i].right) / 2, (m_handleRect[i].top + m_handleRect[i].bottom) / 2};
  for (int i = 0; i < 3; ++i) {
    dc.MoveTo(middles[i]);
    dc.LineTo(middles[(i + 1) % 3]);
  }

  dc.SelectObject(wide.m_hObject);
  const int height = m_bar.bottom - m_bar.top;
  const int y = m_bar.bottom - height * m_brightness / 255;
  dc.Rectangle(m_bar.left - 2, y - 4, m_bar.right + 2, y + 4);

  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
  dc.SetROP2(oldMode);
}
