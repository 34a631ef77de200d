// Shared by the player's tests: pages made in memory and stored as page files, packages
// composed from them, a probe object that records what the player asks of it, and a
// player — application, document, frame and view — opened on a package, hidden.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"
#include "framework/ui/SingleDocTemplate.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "player/DrawView.h"
#include "player/MainFrame.h"
#include "player/PlayerApp.h"
#include "player/PlayerDoc.h"
#include "resources/Mirabo.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/package/PackageFixture.h"
#include "tests/support/PageFiles.h"
#include "tests/support/Printers.h"

namespace playertest {

using namespace packagetest;

constexpr int kPageWidth = 400;
constexpr int kPageHeight = 300;

// The bytes of a page file: size 400 x 300, the background colour given, and whatever
// fill adds to it.
inline std::string PageBytes(COLORREF background, const std::function<void(CDrawDoc&)>& fill = {}) {
  return pagefiles::PageBytes(kPageWidth, kPageHeight, background, fill);
}

using pagefiles::FilledRect;
using pagefiles::JumpOnClick;

struct DriveCall {
  int index;
  int x, y;
  CString text;
  CDrawObj* second;
  CDrawObj* third;
};

// Records its steps and the triggers it is driven with, in a log shared by all probes
// of a test (probes belong to the page and may be gone when the test looks).
class CPlayerProbe : public CDrawObj {
 public:
  CPlayerProbe(const char* name, const CRect& position, std::vector<std::string>& log)
      : CDrawObj(position), m_log(log) {
    m_name = name;
    m_baseRect = position;
  }
  ~CPlayerProbe() override { m_log.push_back(Name() + " destroyed"); }

  void Step(int t, CView*) override {
    m_log.push_back(Name() + " step " + std::to_string(t));
    if (onStep) onStep(t);
  }
  int Drive(int index, int, int x, int y, int key, const CString& text, CDrawObj* second,
            CDrawObj* third) override {
    EXPECT_EQ(13, key);
    drives.push_back({index, x, y, text, second, third});
    m_log.push_back(Name() + " drive " + std::to_string(index));
    return answer;
  }
  void SavePlayState(CView* view, CDrawObj* owner) override {
    m_log.push_back(Name() + " save");
    if (onSave) onSave();
    CDrawObj::SavePlayState(view, owner);
  }
  void RestorePlayState(CView* view) override {
    m_log.push_back(Name() + " restore");
    CDrawObj::RestorePlayState(view);
  }

  std::string Name() const { return m_name.GetString(); }

  std::vector<DriveCall> drives;
  int answer = 0;
  std::function<void(int)> onStep;
  std::function<void()> onSave;

 private:
  std::vector<std::string>& m_log;
};

// The player on a package, as the program opens it but hidden: the document reads the
// package file given instead of the test's own executable.
class PlayerTest : public testing::Test {
 protected:
  void SetUp() override {
    // The view is a drop target: OLE is started on the thread, as the program starts it.
    m_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
    app = std::make_unique<CPlayerApp>();
    docTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPlayerDoc), RUNTIME_CLASS(CMainFrame),
                                         ViewClass());
    app->AddDocTemplate(docTemplate);
  }
  void TearDown() override {
    if (frame && ::IsWindow(frameWindow)) frame->DestroyWindow();
    DiscardPosted();
    app.reset();
    if (m_oleStarted) ::OleUninitialize();
  }

  // The player's view, or a test's class derived from it.
  virtual const CRuntimeClass* ViewClass() const { return RUNTIME_CLASS(CDrawView); }

  // Writes a package of the pages given (name, bytes) and opens the player on it; the
  // first update reads the home page and starts playing.
  void Open(const std::vector<std::pair<std::string, std::string>>& pages) {
    packagePath = folder / "player.exe";
    WriteFileBytes(packagePath, ComposePackage(Patterned(512, 3), pages));
    OpenOn(packagePath);
  }
  void OpenOn(const CString& path) {
    doc = static_cast<CPlayerDoc*>(docTemplate->CreateNewDocument());
    ASSERT_NE(nullptr, doc);
    doc->SetPackagePath(path);
    frame = static_cast<CMainFrame*>(docTemplate->CreateNewFrame(doc, nullptr));
    ASSERT_NE(nullptr, frame);
    frameWindow = frame->m_hWnd;
    app->m_pMainWnd = frame;
    docTemplate->InitialUpdateFrame(frame, doc, FALSE);
    view = static_cast<CDrawView*>(frame->GetActiveView());
    ASSERT_NE(nullptr, view);
    view->SendMessage(WM_INITIALUPDATE);
  }

  // Adds a probe to the end of the page; the page owns it.
  CPlayerProbe* AddProbe(const char* name, const CRect& position = CRect(-10, 10, 10, -10)) {
    auto* probe = new CPlayerProbe(name, position, log);
    doc->m_objects.AddTail(probe);
    return probe;
  }

  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) view->SendMessage(WM_TIMER, kPlaybackTimerId);
  }

  // Whether the application was asked to exit (the command is taken off the queue).
  bool ExitPosted() {
    MSG msg;
    bool posted = false;
    while (::PeekMessageA(&msg, frameWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE))
      if (LOWORD(msg.wParam) == ID_APP_EXIT) posted = true;
    return posted;
  }
  void DiscardPosted() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
  }

  std::vector<CString> PageObjectNames() const {
    std::vector<CString> names;
    for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;)
      names.push_back(static_cast<CDrawObj*>(doc->m_objects.GetNext(pos))->m_name);
    return names;
  }

  TempFolder folder;
  CString packagePath;
  std::unique_ptr<CPlayerApp> app;
  CSingleDocTemplate* docTemplate = nullptr;
  CPlayerDoc* doc = nullptr;
  CMainFrame* frame = nullptr;
  HWND frameWindow = nullptr;
  CDrawView* view = nullptr;
  std::vector<std::string> log;

 private:
  BOOL m_oleStarted = FALSE;
};

}  // namespace playertest
