// What the editor's in-process tests share: a Kordel application with its page
// template and scratch settings, a page shown in its frame and view, message pumping,
// and small page objects.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "editor/EditorHost.h"
#include "editor/MainFrame.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"

// The registry key (in place of the maker's name) the tests keep their settings under.
constexpr char kTestRegistryKey[] = "KordelTests";
void DeleteTestSettings();

// Handles, then removes, every message waiting for this thread, as the loop would.
void PumpMessages(CWinThread& thread);

class EditorTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A new empty page in a new main frame, shown at 1000 x 700.
  CMainFrame* NewPage();
  CMainFrame* Frame() const { return app->GetMainFrame(); }
  CDrawView* View() const { return app->GetActiveDrawView(); }
  CDrawDoc* Doc() const { return app->GetActiveDrawDoc(); }
  // An object of the page at that rectangle (page units, y up), added to the document.
  CDrawObj* AddObject(const CRect& rect, const char* name = "");
  void Pump() { PumpMessages(*app); }

  std::unique_ptr<CDrawApp> app;
  std::unique_ptr<CEditorHost> host;

 private:
  BOOL m_oleStarted = FALSE;
};
