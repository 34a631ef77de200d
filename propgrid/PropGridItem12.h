// CPropGridItem12: the row of a drop-down list (kind 12), drawn with a drop arrow in
// place of a button.
#pragma once

#include "propgrid/PropGridItem.h"

class CPropGridItem12 : public CPropGridItem {
  DECLARE_DYNAMIC(CPropGridItem12)

 public:
  void Draw(CDC* dc) override;
};
