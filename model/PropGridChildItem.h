// CPropGridChildItem: the property row of an action's control point, with a wide
// "选择控制点" button that starts picking the point on the page (the host's pick tool).
#pragma once

#include "propgrid/PropGridItem.h"

class CPropGridChildItem : public CPropGridItem {
  DECLARE_DYNAMIC(CPropGridChildItem)

 public:
  void OnPickButton() override;
  void Draw(CDC* dc) override;
};
