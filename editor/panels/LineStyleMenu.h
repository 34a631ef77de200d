// The effect bar's line-style menus: owner-drawn pop-ups whose items are 5-pixel black
// sample lines in the dash cap, dash style, start cap or end cap they stand for. Each
// item's id is also a string id ("1", "2", ...) whose text sets the item's width.
#pragma once

#include "framework/ui/Menu.h"

class CLineStyleMenu : public CMenu {
 public:
  enum Kind { dashCap, dashStyle, startCap, endCap };

  // The menu's pop-up with its items, in id order.
  explicit CLineStyleMenu(Kind kind);

  Kind GetKind() const { return m_kind; }
  // The GDI+ value an item of a kind stands for (dash cap, dash style or line cap),
  // -1 for an id outside the kind's range.
  static int ValueOf(Kind kind, UINT id);
  static UINT FirstId(Kind kind);
  static int ItemCount(Kind kind);

  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 private:
  Kind m_kind;
};

class CDashCapMenu : public CLineStyleMenu {
 public:
  CDashCapMenu() : CLineStyleMenu(dashCap) {}
};

class CDashStyleMenu : public CLineStyleMenu {
 public:
  CDashStyleMenu() : CLineStyleMenu(dashStyle) {}
};

class CStartCapMenu : public CLineStyleMenu {
 public:
  CStartCapMenu() : CLineStyleMenu(startCap) {}
};

class CEndCapMenu : public CLineStyleMenu {
 public:
  CEndCapMenu() : CLineStyleMenu(endCap) {}
};
