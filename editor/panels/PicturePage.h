// CPicturePage: the fill effects dialog's picture page: a picture file and how it is
// placed over the shape (tiled, flipped, centred or stretched).
#pragma once

#include "editor/panels/FillPage.h"

class CPicturePage : public CFillPage {
 public:
  // The placement combo's items, in index order: 0..4 are GDI+ wrap modes, 5 stretches.
  static const char* const kPlacements[6];
  static constexpr int kStretchItem = 5;

  explicit CPicturePage(FillEffect& effect);

  void DrawSample(HDC dc, const RECT& rect) override;
  // The placement item a fill opens on.
  static int PlacementOf(const FillEffect& effect);

  CString m_path;  // the file chosen last; empty when it would not load
  int m_placement = -1;

 protected:
  BOOL OnInitDialog() override;

 private:
  void OnChoosePicture();
  void OnPlacementChange();
  void StorePlacement();
};
