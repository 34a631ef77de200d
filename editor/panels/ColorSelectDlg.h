// CColorSelectDlg: the editor's own colour chooser ("选择颜色"). The colour shows in two
// models kept in step: red, green and blue on a triangle whose three handles slide
// along their axes, and hue, saturation and brightness on a wheel and a brightness bar.
// Each model has three fields with spins; two swatches show the opening and the
// current colour. After IDOK the caller reads m_red, m_green and m_blue.
#pragma once

#include "framework/ui/Bitmap.h"
#include "framework/ui/Dialog.h"
#include "graphics/Dib.h"

class CDC;

class CColorSelectDlg : public CDialog {
 public:
  CColorSelectDlg(COLORREF initial, CWnd* pParent);

  COLORREF GetColor() const { return RGB(m_red, m_green, m_blue); }

  // The colour models, computed in real arithmetic and truncated at the end.
  static void RGBtoHSB(int red, int green, int blue, int& hue, int& saturation, int& brightness);
  static void HSBtoRGB(int hue, int saturation, int brightness, int& red, int& green, int& blue);
  // The wheel has radius 100 for saturation 255, hue counter-clockwise from the right.
  static bool InWheel(POINT centre, POINT point);
  static void WheelToHueSaturation(POINT centre, POINT point, int& hue, int& saturation);
  static POINT WheelMarker(POINT centre, int hue, int saturation);
  // 255 at the bar's top, 0 at its bottom; 0 for a bar of no height.
  static int BarBrightness(const RECT& bar, int y);

  BOOL OnInitDialog() override;

  int m_hue = 0;
  int m_saturation = 0;
  int m_brightness = 0;
  int m_red = 0;
  int m_green = 0;
  int m_blue = 0;
  int m_initialRed = 0;
  int m_initialGreen = 0;
  int m_initialBlue = 0;

  // Where the pictures lie, in client coordinates (read by tests to point at them).
  POINT m_wheelCentre = {};
  RECT m_bar = {};
  POINT m_triangle[4] = {};     // centre, red, green and blue corners
  RECT m_handleRect[3] = {};    // red, green and blue handles

 protected:
  void OnPaint() override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;

 private:
  enum Field { kRed, kGreen, kBlue, kHue, kSaturation, kBrightness, kFields };

  void OnFieldChange(int field);
  void OnChangeRed() { OnFieldChange(kRed); }
  void OnChangeGreen() { OnFieldChange(kGreen); }
  void OnChangeBlue() { OnFieldChange(kBlue); }
  void OnChangeHue() { OnFieldChange(kHue); }
  void OnChangeSaturation() { OnFieldChange(kSaturation); }
  void OnChangeBrightness() { OnFieldChange(kBrightness); }
  LRESULT OnSysColourChange(WPARAM, LPARAM);

  int& FieldValue(int field);
  void LoadPictures();
  void BuildBar();
  void PlaceHandles();
  void ApplyPoint(POINT point);
  void Refresh();
  void DrawMarkers(CDC& dc) const;

  CBitmap m_trianglePicture;
  CBitmap m_wheelPicture;
  CDib m_barDib;
  SIZE m_triangleSize = {};
  SIZE m_wheelSize = {};
  POINT m_wheelOrigin = {};
  POINT m_triangleOrigin = {};
  int m_dragMode = 0;   // 0 none, 1 wheel, 2 brightness bar
  double m_axisLength[3] = {};
  int m_handleDrag = 0;
  int m_handle = 0;
  RECT m_rgbArea = {};
  RECT m_hsbArea = {};
  RECT m_initialSwatch = {};
  RECT m_currentSwatch = {};
  int m_ready = 0;
  int m_refreshing = 0;
};
