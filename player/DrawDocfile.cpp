#include "player/DrawDocfile.h"

#include "framework/core/Archive.h"
#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/View.h"
#include "model/DrawHost.h"
#include "player/DocRichEdit.h"
#include "player/WebBrowser2.h"
#include "resources/Mirabo.h"

IMPLEMENT_SERIAL(CDrawDocfile, CDrawObj, 0)

namespace {

// Above the rich edit's default of 32,767 characters, which would cut longer documents
// short without a word.
constexpr long kTextLimit = 0x7FFFFFFE;

// The archive's side of a transfer between the rich edit and a file.
struct Transfer {
  CArchive& ar;
  BYTE held = 0;
  bool holding = false;
};

// Fills the block from the archive. A full block ends on a whole character and never
// between the "\r" and "\n" of a line end: the rich edit may read each block on its own
// (Wine's does, and loses a character split between two blocks); the byte held back
// starts the next block.
LONG ReadBlock(Transfer& t, LPBYTE buffer, LONG count) {
  LONG n = 0;
  if (t.holding) {
    buffer[n++] = t.held;
    t.holding = false;
  }
  const UINT want = static_cast<UINT>(count - n);
  const UINT got = t.ar.Read(buffer + n, want);
  n += static_cast<LONG>(got);
  if (got < want || n < 2) return n;  // the end of the file: everything goes
  LONG i = 0, last = 0;
  while (i < n) {
    last = i;
    i += codepage::IsLeadByte(buffer[i]) ? 2 : 1;
  }
  const bool splitCharacter = i > n;
  if (splitCharacter || buffer[last] == '\r') {
    t.held = buffer[n - 1];
    t.holding = true;
    --n;
  }
  return n;
}

// Moves the transfer between the rich edit and the archive's file. The rich edit is C
// code: nothing may be thrown through it, so failures become the system's error code.
DWORD CALLBACK RichEditStreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* t = reinterpret_cast<Transfer*>(cookie);
  *done = 0;
  try {
    if (t->ar.IsLoading()) {
      *done = ReadBlock(*t, buffer, count);
    } else {
      t->ar.Write(buffer, static_cast<UINT>(count));
      *done = count;
    }
    return 0;
  } catch (const CFileException& e) {
    return e.m_lOsError > 0 ? static_cast<DWORD>(e.m_lOsError) : ERROR_READ_FAULT;
  } catch (const CException&) {
    return ERROR_READ_FAULT;
  }
}

bool IsTextKind(DWORD kind) { return kind == CDrawDocfile::kindText || kind == CDrawDocfile::kindRichText; }
bool IsWebKind(DWORD kind) { return kind == CDrawDocfile::kindWeb || kind == CDrawDocfile::kindWebOther; }

}  // namespace

CString ResolveDocumentPath(const CString& programmeFolder, const CString& name) {
  CString path;
  if (name.Find(':') >= 0 || name.Find('\\') >= 0) {
    path = name;
  } else {
    const int last = programmeFolder.GetLength() - 1;
    const bool endsInSlash = last >= 0 && programmeFolder.ReverseFind('\\') == last;
    path = programmeFolder + (endsInSlash ? "res\\" : "\\res\\") + name;
  }
  path.MakeLower();
  return path;
}

CDrawDocfile::CDrawDocfile() = default;

CDrawDocfile::~CDrawDocfile() { DestroyWindows(); }

// Destroyed while the window objects are whole, so their own handlers see the end.
void CDrawDocfile::DestroyWindows() {
  for (CWnd* window : {static_cast<CWnd*>(m_richEdit.get()), static_cast<CWnd*>(m_browser.get())})
    if (window) window->DestroyWindow();
  m_richEdit.reset();
  m_browser.reset();
}

void CDrawDocfile::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_kind << m_fileName;
    return;
  }
  CString name;
  ar >> m_kind >> name;
  m_fileName = name.IsEmpty() ? name : ResolveDocumentPath(ProgrammeFolder(), name);
}

CRect CDrawDocfile::GetInnerRect() const {
  CRect r = m_position;
  r.NormalizeRect();
  if (r.Width() > 8 && r.Height() > 10) r.DeflateRect(4, 5);
  if (CDrawHost* host = GetDrawHost()) host->LPtoDPRect(r);
  return r;
}

// The child windows are the drawing: made on the first paint that shows the object,
// hidden and shown with it afterwards.
int CDrawDocfile::DrawObject(CDC*, CView* view) {
  CWnd* const windows[] = {m_richEdit.get(), m_browser.get()};
  for (CWnd* window : windows) {
    const bool shown = window && (window->GetStyle() & WS_VISIBLE);
    if (window && shown != !!m_visible) window->ShowWindow(m_visible ? SW_SHOW : SW_HIDE);
  }
  if (!m_visible) return 0;
  if (m_position.left == m_position.right || m_position.top == m_position.bottom) return 0;
  if (m_version <= 1 || m_fileName.IsEmpty()) return 0;
  CDrawHost* host = GetDrawHost();
  if (CView* active = host ? host->GetActiveView() : nullptr) view = active;
  if (!view || !view->m_hWnd) return 0;
  if (IsTextKind(m_kind) && !m_richEdit)
    ShowText(view);
  else if (IsWebKind(m_kind) && !m_richEdit && !m_browser)
    ShowInBrowser(view);
  return 0;
}

void CDrawDocfile::ReportNoWindow() {
  // Forgotten before the box, whose message loop repaints the page.
  m_fileName.Empty();
  AfxMessageBox(IDS_NO_MEMORY, MB_ICONSTOP);
}

void CDrawDocfile::ShowInBrowser(CView* view) {
  auto window = std::make_unique<CWebBrowser2>();
  if (!window->Create(nullptr, WS_VISIBLE, GetInnerRect(), view, kBrowserWindowId)) {
    ReportNoWindow();
    return;
  }
  m_browser = std::move(window);
  m_browser->Navigate(m_fileName);
}

void CDrawDocfile::ShowText(CView* view) {
  if (m_browser) m_browser->DestroyWindow();
  m_browser.reset();
  auto window = std::make_unique<CDocRichEdit>();
  if (!window->Create(kTextWindowStyle, GetInnerRect(), view, kTextWindowId)) {
    ReportNoWindow();
    return;
  }
  m_richEdit = std::move(window);
  m_richEdit->SetTargetDevice(nullptr, 0);  // wrap to the window
  // The window stays when the file cannot be read: later paints show it empty rather
  // than report the file again.
  try {
    OpenDocumentFile(m_fileName);
  } catch (const CFileException& e) {
    e.ReportError(MB_ICONEXCLAMATION);
  }
}

void CDrawDocfile::OpenDocumentFile(const CString& path) {
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) throw error;
  CArchive ar(&file, CArchive::load);
  StreamIn(ar, TRUE);
  Invalidate();
}

void CDrawDocfile::StreamIn(CArchive& ar, BOOL selectionOnly) {
  if (!m_richEdit) return;
  Transfer transfer{ar};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&transfer), 0, RichEditStreamCallback};
  const int format = (m_kind == kindRichText ? SF_RTF : SF_TEXT) | (selectionOnly ? SFF_SELECTION : 0);
  if (ar.IsLoading()) {
    m_richEdit->LimitText(kTextLimit);
    m_richEdit->StreamIn(format, stream);
  } else {
    m_richEdit->StreamOut(format, stream);
  }
  if (stream.dwError != 0) {
    const CFile* file = ar.GetFile();
    CFileException::ThrowOsError(static_cast<LONG>(stream.dwError), file ? file->GetFilePath() : CString());
  }
}

void CDrawDocfile::SetRect(const CRect& rect, CView* view) {
  if (rect == m_position) return;
  CDrawObj::SetRect(rect, view);
  const CRect inner = GetInnerRect();
  if (m_richEdit) m_richEdit->MoveWindow(inner);
  if (m_browser) m_browser->MoveWindow(inner);
}

void CDrawDocfile::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  m_savedFileName = m_fileName;
  m_savedKind = m_kind;
}

void CDrawDocfile::RestorePlayState(CView* view) {
  const BOOL saved = m_playState.saved;  // once per run, as the base restores
  CDrawObj::RestorePlayState(view);
  if (!saved) return;
  m_fileName = m_savedFileName;
  m_kind = m_savedKind;
}
