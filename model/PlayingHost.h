// CPlayingHost: the common part of the hosts of programs that play pages and never edit
// them (the player, the browser control): the page is always running, nothing marks it
// modified, no folder of the editor is known, and the editor's panels and toggles are
// absent.
#pragma once

#include "model/DrawDoc.h"
#include "model/DrawHost.h"

class CPlayingHost : public CDrawHost {
 public:
  int GetPageObjectCount() override {
    CDrawDoc* doc = GetDocument();
    return doc ? doc->m_objects.GetCount() : 0;
  }
  void SetPageModified() override {}
  int GetMode() override { return kModeRunning; }
  CString GetProgrammeFolder() override { return CString(); }
  CString GetPageFolder() override { return CString(); }
  // Pages hold no embedded items.
  void CloseInPlaceItem() override {}

  LRESULT NotifyPropertyPanel(WPARAM, CDrawObj*) override { return 0; }
  void SetClosedCheck(BOOL) override {}
  void SetFilledCheck(BOOL) override {}
  void SyncFormatBar() override {}
};
