// Document objects on a played page: their record and the path rule for their names;
// the rich edit window a text or RTF document shows in over the page, which follows the
// object, passes clicks on to the page and goes with it; and the web browser window of
// the other kinds, navigated once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <exdispid.h>

#include "framework/core/ModulePath.h"
#include "framework/ui/DC.h"
#include "framework/ui/RichEditCtrl.h"
#include "player/DocRichEdit.h"
#include "player/DrawDocfile.h"
#include "player/WebBrowser2.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

using namespace playertest;

namespace {

constexpr COLORREF kPageColour = RGB(0, 120, 200);
const CRect kArea(-100, 80, 100, -80);

TEST(DocumentPath, NamesAreResolvedAgainstTheProgrammeFolderAndLowerCased) {
  struct Row {
    const char* folder;
    const char* name;
    const char* path;
  } rows[] = {
      {"D:\\Course", "Doc.TXT", "d:\\course\\res\\doc.txt"},
      {"D:\\", "Doc.txt", "d:\\res\\doc.txt"},
      {"", "doc.txt", "\\res\\doc.txt"},
      {"D:\\Course", "C:\\Docs\\A.TXT", "c:\\docs\\a.txt"},
      {"D:\\Course", "C:A.txt", "c:a.txt"},
      {"D:\\Course", "\\\\Server\\Share\\B.HTM", "\\\\server\\share\\b.htm"},
      {"D:\\Course", "Sub\\C.txt", "sub\\c.txt"},
      // Trail bytes that look like capitals (0x41..0x5A) and a backslash (0x5C) are
      // halves of characters: kept, and no path separator.
      {"D:\\课件", "\x81\x41\x95\x5C.TXT", "d:\\课件\\res\\\x81\x41\x95\x5C.txt"},
      {"D:\\\x95\x5C", "A.txt", "d:\\\x95\x5C\\res\\a.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_STREQ(row.path, ResolveDocumentPath(row.folder, row.name));
  }
}

// Refuses, while it lives, to let the thread create windows of the class given, as a
// system out of resources would.
class RefusedWindowClass {
 public:
  explicit RefusedWindowClass(const char* className) {
    s_className = className;
    m_hook = ::SetWindowsHookExA(WH_CBT, &Filter, nullptr, ::GetCurrentThreadId());
  }
  ~RefusedWindowClass() { ::UnhookWindowsHookEx(m_hook); }
  RefusedWindowClass(const RefusedWindowClass&) = delete;
  RefusedWindowClass& operator=(const RefusedWindowClass&) = delete;

 private:
  static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
    char name[64] = {};
    if (code == HCBT_CREATEWND && ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        lstrcmpiA(name, s_className) == 0)
      return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline const char* s_className = nullptr;
  HHOOK m_hook;
};

class PlayerDocumentTest : public PlayerTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxInitRichEdit2());
    PlayerTest::SetUp();
  }

  void OpenPage(const std::function<void(CDrawDoc&)>& fill = {}) { Open({{"home.rvx", PageBytes(kPageColour, fill)}}); }

  CDrawDocfile* AddDocument(DWORD kind, const CString& path, const CRect& area = kArea) {
    auto* document = new CDrawDocfile;
    document->m_name = "document";
    document->m_position = document->m_baseRect = area;
    document->m_kind = kind;
    document->m_fileName = path;
    doc->m_objects.AddTail(document);
    return document;
  }
  CString WriteText(const char* name, const std::string& text) {
    const CString path = folder / name;
    WriteFileBytes(path, text);
    return path;
  }

  // Paints the whole view off screen, as a repaint does, and reads a page point of it.
  COLORREF Paint(CPoint at = CPoint(0, 0)) {
    CRect client;
    view->GetClientRect(&client);
    MemoryBitmap bitmap(client.Width(), client.Height());
    CDC dc(bitmap.dc());
    view->OnPrepareDC(&dc);
    view->OnDraw(&dc);
    const CPoint p = view->PageToClient(at);
    return bitmap.Pixel(p.x, p.y);
  }

  HWND Child(UINT id) const { return ::GetDlgItem(view->m_hWnd, static_cast<int>(id)); }
  HWND TextWindow() const { return Child(CDrawDocfile::kTextWindowId); }
  static bool Shown(HWND window) { return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }
  // Wine's rich edit counts characters, not bytes, for WM_GETTEXTLENGTH: the buffer
  // takes two bytes a character.
  static std::string TextOf(HWND window) {
    std::string text(2 * static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
  }
  CRect PlacedAt(HWND window) const {
    CRect placed;
    ::GetWindowRect(window, &placed);
    ::MapWindowPoints(nullptr, view->m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
    return placed;
  }
  // The object's rectangle less 4 pixels left and right and 5 top and bottom.
  CRect InnerOf(const CRect& area) const {
    CRect inner(view->PageToClient(area.TopLeft()), view->PageToClient(area.BottomRight()));
    inner.NormalizeRect();
    inner.DeflateRect(4, 5);
    return inner;
  }
};

TEST_F(PlayerDocumentTest, ARecordIsReadWithItsNameResolvedAndOnlyTextKindsMakeATextWindow) {
  const CString path = WriteText("Doc.TXT", "hello");
  CString lowered = path;
  lowered.MakeLower();
  struct Row {
    DWORD kind;
    const char* name;
    CString fileName;
    bool window;
  } rows[] = {
      {1, path, lowered, true},
      {2, "Bare.TXT", ModuleFolder(nullptr) + "\\res\\bare.txt", true},
      {0, path, lowered, false},
      {5, path, lowered, false},
      {0xFFFFFFFF, path, lowered, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind);
    CString expected = row.fileName;
    expected.MakeLower();
    MessageBoxCapture boxes;  // the bare name has no file
    Open({{"home.rvx", pagefiles::DocumentPageBytes(kPageWidth, kPageHeight, kPageColour, kArea, row.kind, row.name)}});
    ASSERT_EQ(1, doc->m_objects.GetCount());
    auto* document = dynamic_cast<CDrawDocfile*>(static_cast<CDrawObj*>(doc->m_objects.GetHead()));
    ASSERT_NE(nullptr, document);
    EXPECT_EQ(row.kind, document->m_kind);
    EXPECT_STREQ(expected, document->m_fileName);
    EXPECT_EQ(kPageColour, Paint(CPoint(150, 0)));
    EXPECT_EQ(row.window, TextWindow() != nullptr);
    EXPECT_EQ(nullptr, Child(CDrawDocfile::kBrowserWindowId));
    frame->DestroyWindow();
  }
}

TEST_F(PlayerDocumentTest, ATextDocumentShowsWholeOverTheInnerRectangleAndFollowsTheObject) {
  std::string text;
  // Double-byte characters and line ends at every offset, so some fall on the rich
  // edit's block boundaries.
  for (int line = 0; text.size() < 100 * 1024; ++line)
    text += "第 " + std::to_string(line) + " 行" + std::string(static_cast<size_t>(line % 7), 'x') + " Line\r\n";
  const CString path = WriteText("long.txt", text);
  OpenPage();
  CDrawDocfile* document = AddDocument(CDrawDocfile::kindText, path);
  Paint();
  HWND window = TextWindow();
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(document->GetTextWindow()->m_hWnd, window);
  EXPECT_EQ(CDrawDocfile::kTextWindowStyle, ::GetWindowLongA(window, GWL_STYLE) & 0xFFFF00FF);
  EXPECT_EQ(InnerOf(kArea), PlacedAt(window));
  // Windows cuts a stream at the default limit of 32,767 characters; Wine does not.
  EXPECT_GE(::SendMessageA(window, EM_GETLIMITTEXT, 0, 0), static_cast<LRESULT>(text.size()));
  EXPECT_TRUE(TextOf(window) == text);

  // Hidden and shown again: the same window, not read again (the file changed meanwhile).
  document->m_visible = 0;
  Paint();
  EXPECT_FALSE(Shown(window));
  WriteText("long.txt", "changed");
  document->m_visible = 1;
  Paint();
  EXPECT_EQ(window, TextWindow());
  EXPECT_TRUE(Shown(window));
  EXPECT_TRUE(TextOf(window) == text);

  const CRect moved(-150, 100, 20, -20);
  document->SetRect(moved, view);
  EXPECT_EQ(InnerOf(moved), PlacedAt(window));
}

TEST_F(PlayerDocumentTest, AnRtfDocumentShowsItsPlainText) {
  const CString path = WriteText("note.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Plain {\\b bold} end\\par}");
  OpenPage();
  AddDocument(CDrawDocfile::kindRichText, path);
  Paint();
  ASSERT_NE(nullptr, TextWindow());
  std::string shown = TextOf(TextWindow());
  while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n')) shown.pop_back();
  EXPECT_EQ("Plain bold end", shown);
}

TEST_F(PlayerDocumentTest, ClicksInTheTextReachThePage) {
  const CString path = WriteText("doc.txt", "click me");
  OpenPage();
  CDrawDocfile* document = AddDocument(CDrawDocfile::kindText, path);
  AddEvent(*document, 1u << CHPEvent::triggerLeftButtonDown, "B", "show");
  CPlayerProbe* b = AddProbe("B", CRect(150, 10, 170, -10));
  AddAction(*b, MakeAction(CMethod::typeShowHide, "show", 0, 10, -1));
  ASSERT_TRUE(view->StartObjects());
  Paint();
  HWND window = TextWindow();
  ASSERT_NE(nullptr, window);

  ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_GE(b->m_actions[0].m_nActivation, 0) << "the left-button event of the object under the text";

  ModalCapture menus;
  ::SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
  ASSERT_EQ(1u, menus.calls().size());
  EXPECT_EQ(ModalCall::popupMenu, menus.calls()[0].kind);
}

TEST_F(PlayerDocumentTest, APageJumpTakesTheWindowAway) {
  const CString path = WriteText("doc.txt", "first page");
  Open({{"home.rvx", pagefiles::DocumentPageBytes(kPageWidth, kPageHeight, kPageColour, kArea, 1, path)},
        {"page2.rvx", PageBytes(RGB(0, 160, 0))}});
  Paint();
  HWND window = TextWindow();
  ASSERT_NE(nullptr, window);
  ASSERT_TRUE(view->GoToPage("page2.rvx"));
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(nullptr, ::GetWindow(view->m_hWnd, GW_CHILD));
}

TEST_F(PlayerDocumentTest, AFileThatCannotBeReadIsReportedOnceAndThePagePaints) {
  OpenPage();
  const CString missing = folder / "missing.txt";
  AddDocument(CDrawDocfile::kindText, missing);
  MessageBoxCapture boxes;
  for (int repaint = 0; repaint < 3; ++repaint) EXPECT_EQ(kPageColour, Paint(CPoint(150, 0)));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_GE(boxes.boxes()[0].text.Find(missing), 0) << boxes.boxes()[0].text.GetString();
  EXPECT_NE(nullptr, TextWindow());
}

TEST_F(PlayerDocumentTest, ATextWindowThatCannotBeMadeIsReportedOnceAndTheNameForgotten) {
  const CString path = WriteText("doc.txt", "never shown");
  OpenPage();
  CDrawDocfile* document = AddDocument(CDrawDocfile::kindText, path);
  RefusedWindowClass refused(RICHEDIT_CLASSA);
  MessageBoxCapture boxes;
  for (int repaint = 0; repaint < 3; ++repaint) EXPECT_EQ(kPageColour, Paint(CPoint(150, 0)));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("内存不足", boxes.boxes()[0].text);
  EXPECT_EQ(UINT(MB_ICONSTOP), boxes.boxes()[0].flags & MB_ICONMASK);
  EXPECT_EQ(nullptr, TextWindow());
  EXPECT_TRUE(document->m_fileName.IsEmpty());
}

}  // namespace

// ---- documents in the web browser ----------------------------------------------------

namespace {

// The player's view, recording the navigations its browser children report.
class CNavigationRecordingView : public CDrawView {
  DECLARE_DYNCREATE(CNavigationRecordingView)

 public:
  struct Navigation {
    UINT id;
    CString url;
  };
  BOOL OnControlEvent(UINT nCtrlID, DISPID dispid, DISPPARAMS* pParams) override {
    if (dispid == DISPID_BEFORENAVIGATE2) navigations.push_back({nCtrlID, AfxEventArg<CString>(pParams, 1)});
    return CDrawView::OnControlEvent(nCtrlID, dispid, pParams);
  }
  std::vector<Navigation> navigations;
};

IMPLEMENT_DYNCREATE(CNavigationRecordingView, CDrawView)

// A class factory that stands in for the browser's while it lives and makes nothing, as
// a system without the control (or without memory for it) would.
class FailingBrowserFactory : public IClassFactory {
 public:
  FailingBrowserFactory() {
    m_registered = SUCCEEDED(::CoRegisterClassObject(CWebBrowser2::kClassId, this, CLSCTX_INPROC_SERVER,
                                                     REGCLS_MULTIPLEUSE, &m_cookie));
  }
  ~FailingBrowserFactory() {
    if (m_registered) ::CoRevokeClassObject(m_cookie);
  }
  bool Registered() const { return m_registered; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    *ppv = riid == IID_IUnknown || riid == IID_IClassFactory ? this : nullptr;
    return *ppv ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  DWORD m_cookie = 0;
  bool m_registered = false;
};

class PlayerBrowserDocumentTest : public PlayerDocumentTest {
 protected:
  const CRuntimeClass* ViewClass() const override { return RUNTIME_CLASS(CNavigationRecordingView); }
  std::vector<CNavigationRecordingView::Navigation>& Navigations() {
    return static_cast<CNavigationRecordingView*>(view)->navigations;
  }
  // Runs the thread's messages (the browser reports from posted tasks) for the time
  // given, or until the condition holds.
  template <typename Condition>
  static bool PumpUntil(Condition condition, DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (;;) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      if (condition()) return true;
      if (::GetTickCount64() > end) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
};

TEST_F(PlayerBrowserDocumentTest, ABrowserDocumentNavigatesOnceWhenItsWindowIsMade) {
  const CString path = WriteText("page.htm", "<html><body>课件</body></html>");
  for (DWORD kind : {CDrawDocfile::kindWeb, CDrawDocfile::kindWebOther}) {
    SCOPED_TRACE(kind);
    OpenPage();
    CDrawDocfile* document = AddDocument(kind, path);
    MessageBoxCapture boxes;
    Paint();
    HWND window = Child(CDrawDocfile::kBrowserWindowId);
    ASSERT_NE(nullptr, window) << "the web browser control could not be made";
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(nullptr, TextWindow());
    EXPECT_EQ(InnerOf(kArea), PlacedAt(window));
    EXPECT_TRUE(PumpUntil([&] { return !Navigations().empty(); }, 5000));

    // Repaints, hiding and showing place and show the same window, and navigate no more.
    Paint();
    document->m_visible = 0;
    Paint();
    EXPECT_FALSE(Shown(window));
    document->m_visible = 1;
    Paint();
    EXPECT_TRUE(Shown(window));
    EXPECT_EQ(window, Child(CDrawDocfile::kBrowserWindowId));
    const CRect moved(-150, 100, 20, -20);
    document->SetRect(moved, view);
    EXPECT_EQ(InnerOf(moved), PlacedAt(window));
    PumpUntil([] { return false; }, 300);
    ASSERT_EQ(1u, Navigations().size());
    EXPECT_EQ(UINT(CDrawDocfile::kBrowserWindowId), Navigations()[0].id);
    EXPECT_STREQ(path, Navigations()[0].url);
    frame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(window));
  }
}

TEST_F(PlayerBrowserDocumentTest, ABrowserThatCannotBeMadeIsReportedOnceAndThePagePlaysOn) {
  const CString path = WriteText("page.htm", "<html></html>");
  OpenPage();
  CDrawDocfile* document = AddDocument(CDrawDocfile::kindWeb, path);
  FailingBrowserFactory failing;
  ASSERT_TRUE(failing.Registered());
  MessageBoxCapture boxes;
  for (int repaint = 0; repaint < 3; ++repaint) EXPECT_EQ(kPageColour, Paint(CPoint(150, 0)));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("内存不足", boxes.boxes()[0].text);
  EXPECT_EQ(UINT(MB_ICONSTOP), boxes.boxes()[0].flags & MB_ICONMASK);
  EXPECT_EQ(nullptr, Child(CDrawDocfile::kBrowserWindowId));
  EXPECT_TRUE(document->m_fileName.IsEmpty());
  const int tick = view->GetTick();
  Tick(4);
  EXPECT_EQ(tick + 4, view->GetTick());
}

}  // namespace
