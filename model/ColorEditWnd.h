// CColorEditWnd: the box in which a text object is typed on the page. An edit control
// in the text object's colours that can hand the Enter key to its parent window (the
// page view), which then takes the typed text and fires the object's key events.
//
// The colours are answered through the control-colour message the parent reflects back
// to the control, so the parent must be a window object of the framework (every page
// view is).
#pragma once

#include "framework/core/String.h"
#include "framework/ui/Brush.h"
#include "framework/ui/Edit.h"

class CColorEditWnd : public CEdit {
 public:
  CColorEditWnd();
  ~CColorEditWnd() override;

  // The text in code page 936, whatever the window's own character set.
  void SetText(const CString& text);
  CString GetText() const;

  COLORREF m_textColour = 0;
  COLORREF m_backColour = 0xFFFFFF;
  // Enter goes to the parent as a key-down of 13 instead of into the text.
  BOOL m_forwardEnter = FALSE;

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;

 private:
  // Whether the key went to the parent. The parent may close the box, deleting this
  // object, before the call returns: nothing of this object is touched afterwards.
  bool ForwardEnter(UINT nChar, UINT nRepCnt, UINT nFlags);

  CBrush m_backBrush;
};
