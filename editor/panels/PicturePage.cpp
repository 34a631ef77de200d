#include "editor/panels/PicturePage.h"

#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include <algorithm>
#include <string>

#include "framework/core/Codepage.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/FileDialog.h"
#include "resources/KordelIds.h"

namespace gp = Gdiplus::DllExports;

namespace {

const char kPictureFilter[] =
    "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Windows Bitmap (*.bmp)|*.bmp|Graphics Interchange Format (*.gif)|*.gif|"
    "Exchangeable Image File(*.Exif)|*.Exif|Tag Image File Format(*.tiff)|*.tiff|Windows Metafile (*.WMF)|*.wmf|"
    "Portable Graphics (*.PNG)|*.png|All Files (*.*)|*.*|";

// The picture as a GDI+ image, or null when the file does not load as one.
Gdiplus::GpImage* LoadImage(const CString& path) {
  if (path.IsEmpty()) return nullptr;
  Gdiplus::GpImage* image = nullptr;
  const std::wstring wide = codepage::ToWide(std::string(path.GetString()));
  if (gp::GdipLoadImageFromFile(wide.c_str(), &image) != Gdiplus::Ok) return nullptr;
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(image, &width);
  gp::GdipGetImageHeight(image, &height);
  if (!width || !height) {
    gp::GdipDisposeImage(image);
    return nullptr;
  }
  return image;
}

}  // namespace

const char* const CPicturePage::kPlacements[6] = {
    "Tile", "Flip Horizontally", "Flip Vertically", "Flip Horizontally and Vertically ", "Center", "Stretch"};

CPicturePage::CPicturePage(FillEffect& effect) : CFillPage(IDD_PICTURE_PAGE, IDS_FE_PICTURE_TAB, effect) {
  MapControl(BN_CLICKED, IDC_FE_CHOOSE_PICTURE, &CPicturePage::OnChoosePicture);
  MapControl(CBN_SELCHANGE, IDC_FE_PLACEMENT, &CPicturePage::OnPlacementChange);
}

int CPicturePage::PlacementOf(const FillEffect& effect) {
  return effect.stretch ? kStretchItem : std::clamp(effect.wrapMode, 0, 4);
}

BOOL CPicturePage::OnInitDialog() {
  CFillPage::OnInitDialog();
  for (const char* item : kPlacements) SendDlgItemMessage(IDC_FE_PLACEMENT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  if (!m_effect.picturePath.IsEmpty()) SetDlgItemText(IDC_FE_NAME, m_effect.picturePath);
  m_placement = PlacementOf(m_effect);
  SendDlgItemMessage(IDC_FE_PLACEMENT, CB_SETCURSEL, static_cast<WPARAM>(m_placement));
  return TRUE;
}

void CPicturePage::OnChoosePicture() {
  CFileDialog dialog(TRUE, "gif", nullptr, OFN_HIDEREADONLY, kPictureFilter, this);
  if (dialog.DoModal() != IDOK) return;
  m_path = dialog.GetPathName();
  Gdiplus::GpImage* image = LoadImage(m_path);
  if (!image) {
    AfxMessageBox("Not valid image file!");
    m_path.Empty();
    return;
  }
  gp::GdipDisposeImage(image);
  m_effect.picturePath = m_path;
  SetDlgItemText(IDC_FE_NAME, m_path);
  StorePlacement();
  RedrawSample();
}

void CPicturePage::OnPlacementChange() {
  StorePlacement();
  RedrawSample();
}

void CPicturePage::StorePlacement() {
  m_effect.fillKind = FillEffect::kPicture;
  m_placement = static_cast<int>(SendDlgItemMessage(IDC_FE_PLACEMENT, CB_GETCURSEL));
  if (m_placement == kStretchItem) {
    m_effect.stretch = 1;
  } else if (m_placement >= 0) {
    m_effect.wrapMode = m_placement;
    m_effect.stretch = 0;
  }
}

void CPicturePage::DrawSample(HDC dc, const RECT& rect) {
  const int placement = m_hWnd ? static_cast<int>(SendDlgItemMessage(IDC_FE_PLACEMENT, CB_GETCURSEL)) : -1;
  if (placement < 0 || placement > kStretchItem) return;
  Gdiplus::GpImage* image = LoadImage(m_effect.picturePath);
  if (!image) return;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) {
    gp::GdipDisposeImage(image);
    return;
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  UINT imageWidth = 0, imageHeight = 0;
  gp::GdipGetImageWidth(image, &imageWidth);
  gp::GdipGetImageHeight(image, &imageHeight);
  if (placement == 4) {
    const int w = static_cast<int>(imageWidth), h = static_cast<int>(imageHeight);
    const int x = w < width ? rect.left + (width - w) / 2 : rect.left;
    const int y = h < height ? rect.top + (height - h) / 2 : rect.top;
    gp::GdipDrawImageRectI(graphics, image, x, y, w, h);
  } else {
    const auto wrap = placement == kStretchItem ? Gdiplus::WrapModeTile : static_cast<Gdiplus::WrapMode>(placement);
    Gdiplus::GpTexture* texture = nullptr;
    if (gp::GdipCreateTexture(image, wrap, &texture) == Gdiplus::Ok) {
      if (placement == kStretchItem)
        gp::GdipScaleTextureTransform(texture, static_cast<float>(width) / imageWidth,
                                      static_cast<float>(height) / imageHeight, Gdiplus::MatrixOrderPrepend);
      gp::GdipFillRectangleI(graphics, texture, rect.left, rect.top, width, height);
      gp::GdipDeleteBrush(texture);
    }
  }
  gp::GdipDeleteGraphics(graphics);
  gp::GdipDisposeImage(image);
}
