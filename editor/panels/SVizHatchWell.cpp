#include "editor/panels/SVizHatchWell.h"

#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include "framework/ui/DC.h"

namespace {

// The tips of the hatch styles; the last name, "No", is no style of its own.
const char* const kHatchNames[CSVizHatchWell::kHatchStyles + 1] = {
    "Horizontal", "Vertical", "ForwardDiagonal", "BackwardDiagonal", "Cross", "???", "???", "???", "???",
    "???",        "???",      "???",             "???",              "???",   "???", "???", "???", "???",
    "???",        "???",      "???",             "???",              "???",   "???", "???", "???", "???",
    "???",        "???",      "???",             "???",              "???",   "???", "???", "???", "???",
    "???",        "???",      "???",             "???",              "???",   "???", "???", "???", "???",
    "???",        "???",      "???",             "???",              "???",   "???", "???", "???", "No"};

}  // namespace

CSVizHatchWell::CSVizHatchWell() { CSVizHatchWell::SetDefaults(); }

void CSVizHatchWell::SetDefaults() {
  CSVizWellCtrl::SetDefaults();
  m_count = kHatchStyles;
  m_columns = 9;
  m_cellWidth = m_cellHeight = 30;
}

CString CSVizHatchWell::GetCellTip(int index) {
  return index >= 0 && index < kHatchStyles ? kHatchNames[index] : "";
}

void CSVizHatchWell::DrawCellContent(CDC* dc, int index, int left, int top, int right, int bottom) {
  if (index < 0 || index >= kHatchStyles) return;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (Gdiplus::DllExports::GdipCreateFromHDC(*dc, &graphics) != Gdiplus::Ok) return;
  Gdiplus::GpHatch* brush = nullptr;
  if (Gdiplus::DllExports::GdipCreateHatchBrush(static_cast<Gdiplus::GpHatchStyle>(index), m_hatchForeground,
                                                m_hatchBackground, &brush) == Gdiplus::Ok) {
    Gdiplus::DllExports::GdipFillRectangleI(graphics, brush, left, top, right - left, bottom - top);
    Gdiplus::DllExports::GdipDeleteBrush(brush);
  }
  Gdiplus::DllExports::GdipDeleteGraphics(graphics);
}
