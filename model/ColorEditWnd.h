// CColorEditWnd: the box in which a text object is typed on the page. An edit control
// in the text object's colours that can hand the Enter key to its parent window (the
// page view), which then takes the typed text and fires the object's key events.
//
// The colours are answered through the control-colour message the parent reflects back
// to the control: a page view of the framework reflects it to the child's object, the
// browser control (a window the page view only borrows) sends kColorMessage instead.
#pragma once

#include "framework/core/String.h"
#include "framework/ui/Brush.h"
#include "framework/ui/Edit.h"

class CColorEditWnd : public CEdit {
 public:
  // The control-colour request a parent that is no page view sends the box: wParam is
  // the device context; the answer is the background brush.
  static constexpr UINT kColorMessage = 0x734;

  CColorEditWnd();
  ~CColorEditWnd() override;

  // The text in code page 936, whatever the window's own character set.
  void SetText(const CString& text);
  CString GetText() const;

  COLORREF m_textColour = 0;
  COLORREF m_backColour = 0xFFFFFF;
  // Enter goes to the parent (its key-down and key-up) instead of into the text.
  BOOL m_forwardEnter = FALSE;

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;

 private:
  // Whether the key went to the parent. The parent may close the box, deleting this
  // object, before the call returns: nothing of this object is touched afterwards.
  bool ForwardEnter(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags);
  // Sets the context's colours; the brush is made afresh, so a colour changed since the
  // last paint shows at once.
  HBRUSH PaintColours(HDC dc);
  LRESULT OnColorMessage(WPARAM wParam, LPARAM lParam);

  CBrush m_backBrush;
};
