// CRaveloCtrl: the control a web page embeds to play one page. Its one property, SRC,
// names the page; the control finds the address of the hosting web page itself, lets
// its document resolve SRC against it and lets its view play the page in the control's
// window. One control per thread: the thread's registry record is how the page model
// reaches it, and a second control on a thread stays empty.
#pragma once

#include <mshtml.h>

#include <memory>

#include "control/ControlHost.h"
#include "framework/ole/OleControl.h"
#include "framework/ole/OleObjectFactoryEx.h"
#include "model/ColorEditWnd.h"

class CGdiplusSession;
class CMainDoc;
class CMainView;

class CRaveloCtrl : public COleControl {
 public:
  // The message by which the document gives the control its page size.
  static constexpr UINT kPageSizeMessage = WM_USER + 0x100;
  // The message by which the control asks an edit window for its colours.
  static constexpr UINT kEditColorMessage = CColorEditWnd::kColorMessage;
  // How long a hosting window may take to answer for its document.
  static constexpr UINT kHostTimeoutMs = 1000;

  CRaveloCtrl();
  ~CRaveloCtrl() override;

  static COleObjectFactoryEx& Factory();
  static BOOL UpdateRegistry(BOOL bRegister);

  BSTR GetSRC();
  void SetSRC(const char* text);
  const CString& GetSRCText() const { return m_src; }
  // The address of the hosting web page, in the system code page; empty when none.
  const CString& GetHostAddress() const { return m_hostAddress; }
  CMainView* GetView() const { return m_view; }
  CMainDoc* GetDocument() const { return m_document; }

  // The HTML document that hosts the browser window, or null; the caller releases it.
  static IHTMLDocument2* GetHostDocument(HWND window);
  // The page size as the size message carries it: 16 bits each, clamped.
  static LPARAM MakePageSizeParam(int width, int height);

  void DoPropExchange(CPropExchange* pPX) override;
  void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

 protected:
  // Seams of the start-up: GDI+ and the view.
  virtual bool StartGdiplus();
  virtual CMainView* CreateView();

  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnDestroy() override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnTimer(UINT_PTR nIDEvent) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;

 private:
  LRESULT OnPageSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColorEdit(WPARAM wParam, LPARAM lParam);
  // Reads the hosting page's address again; it keeps its value when no host answers.
  void ReadHostAddress();

  std::unique_ptr<CGdiplusSession> m_gdiplus;
  CMainView* m_view = nullptr;
  CMainDoc* m_document = nullptr;
  CString m_src;
  CString m_hostAddress;
  CControlHost m_host;
  CDrawHost* m_previousHost = nullptr;
  bool m_hostInstalled = false;
};
