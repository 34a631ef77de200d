// A small application built on the window layer for its tests: a document holding a
// line of text, a view and a frame with command handlers that write to a log, and an
// application that can end its loop when it first runs out of idle work.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Document.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/SingleDocTemplate.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"
#include "tests/framework/UiTestIds.h"

// What the handlers did, in order ("view", "frame", "doc", "app", ...).
std::vector<std::string>& UiLog();

class CTestUiDoc : public CDocument {
  DECLARE_DYNCREATE(CTestUiDoc)

 public:
  CTestUiDoc();
  void Serialize(CArchive& ar) override;
  void DeleteContents() override { m_text.Empty(); }

  CString m_text;
  // Storing: after the header and this many more bytes, the disk is full.
  int m_failAfterBytes = -1;

 private:
  void OnDocOnly() { UiLog().push_back("doc"); }
};

class CTestUiView : public CView {
  DECLARE_DYNCREATE(CTestUiView)

 public:
  CTestUiView();
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override;

  static BOOL s_enableViewCommand;
  int m_initialUpdates = 0;

  // Printing: this many pages, each filled with its own colour (PageColour).
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  static COLORREF PageColour(UINT page) { return RGB(40 * page, 200, 255 - 40 * page); }
  static UINT s_printPages;

 private:
  void OnViewOnly() { UiLog().push_back("view"); }
  void OnViewAndFrame() { UiLog().push_back("view"); }
  void OnUpdateViewOnly(CCmdUI* pCmdUI) { pCmdUI->Enable(s_enableViewCommand); }
  void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  void OnFormatNotify(NMHDR*, LRESULT* result);
};

class CTestUiFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CTestUiFrame)

 public:
  CTestUiFrame();
  // A toolbar docked at the top, a second one at the left, a status bar.
  BOOL CreateBars();

  CToolBar m_toolBar;
  CToolBar m_sideBar;
  CStatusBar m_statusBar;

 private:
  void OnFrameOnly() { UiLog().push_back("frame"); }
  void OnViewAndFrame() { UiLog().push_back("frame"); }
  void OnDisabled() { UiLog().push_back("disabled command ran"); }
  void OnAccelDisabled() { UiLog().push_back("disabled accelerator ran"); }
  void OnViewOnlyInFrame() { UiLog().push_back("frame got the view's command"); }
};

class CTestUiApp : public CWinApp {
 public:
  CTestUiApp();
  BOOL OnIdle(LONG lCount) override;

  // Ends Run when the idle work is done.
  BOOL m_quitWhenIdle = FALSE;
  int m_idleCalls = 0;

 private:
  void OnAppOnly() { UiLog().push_back("app"); }
};

// Handles, then removes, every message waiting for this thread, as the loop would.
void PumpMessages(CWinThread& thread);

// A test with a fresh application (and its test template) for each case.
class UiAppTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The frame of a new document, shown at a known size.
  CTestUiFrame* NewDocumentFrame();
  CTestUiDoc* ActiveDocument() const;
  CTestUiView* ActiveView() const;

  std::unique_ptr<CTestUiApp> app;
};
