// CDocRichEdit: the text window of a document object. It lies over the page, so it
// passes the page's clicks on to its parent, the playback view: a left click arrives
// there as a left click at the same place, a right click as a context-menu request.
#pragma once

#include "framework/ui/RichEditCtrl.h"

class CDocRichEdit : public CRichEditCtrl {
 protected:
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
};
