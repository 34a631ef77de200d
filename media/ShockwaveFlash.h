// CShockwaveFlash: the Flash player hosted as a control over a video object, as a child
// of the page's view. It loads and plays a movie by the player's dispatch ids and
// passes clicks and key presses on to the view, so that the page's triggers still work
// over a playing movie.
#pragma once

#include "framework/core/Rect.h"
#include "framework/ui/Wnd.h"

// {D27CDB6E-AE6D-11CF-96B8-444553540000}
extern const CLSID CLSID_ShockwaveFlash;

class CShockwaveFlash : public CWnd {
 public:
  // The control id its events come from.
  static constexpr UINT kControlId = 2004;

  // clsid: the control to host (tests host one of their own).
  explicit CShockwaveFlash(const CLSID& clsid = CLSID_ShockwaveFlash);

  // Creates the player over rect (the parent's client coordinates) and loads the movie
  // at path; FALSE when the player cannot be created.
  BOOL Create(const RECT& rect, CWnd* pParentWnd, const CString& path);
  void Play();
  void StopPlay();

  BOOL PreTranslateMessage(MSG* pMsg) override;

 private:
  void OnReadyStateChange(long newState);
  void OnProgress(long percentDone);
  void FSCommand(CString command, long args);

  CLSID m_clsid;
};
