#include "tests/editor/EditorFixture.h"

#include <ole2.h>

#include "framework/ui/SingleDocTemplate.h"
#include "framework/ui/ThreadState.h"
#include "resources/KordelIds.h"

void DeleteTestSettings() {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, (CString("Software\\") + kTestRegistryKey).GetString());
}

void PumpMessages(CWinThread& thread) {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
      continue;
    }
    thread.PumpMessage();
  }
}

void EditorTest::SetUp() {
  // Drop targets need OLE on the thread, as the program has it from its start-up.
  m_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
  DeleteTestSettings();
  app = std::make_unique<CDrawApp>();
  app->SetRegistryKey(kTestRegistryKey);
  host = std::make_unique<CEditorHost>();
  app->AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDrawDoc), RUNTIME_CLASS(CMainFrame),
                                             RUNTIME_CLASS(CDrawView)));
}

void EditorTest::TearDown() {
  if (app->m_pMainWnd) {
    // Nothing asks to save a test's page.
    if (CDrawDoc* doc = Doc()) doc->SetModifiedFlag(FALSE);
    app->m_pMainWnd->DestroyWindow();
  }
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) ::DispatchMessageA(&msg);
  }
  host.reset();
  app.reset();
  AfxDeleteTempMaps();
  DeleteTestSettings();
  if (m_oleStarted) ::OleUninitialize();
}

CMainFrame* EditorTest::NewPage() {
  app->OnFileNew();
  CMainFrame* frame = Frame();
  if (frame) {
    frame->MoveWindow(0, 0, 1000, 700);
    frame->RecalcLayout();
  }
  Pump();
  return frame;
}

CDrawObj* EditorTest::AddObject(const CRect& rect, const char* name) {
  auto* object = new CDrawObj(rect);
  object->m_name = name;
  Doc()->Add(object);
  return object;
}
