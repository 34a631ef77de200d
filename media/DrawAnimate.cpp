#include "media/DrawAnimate.h"

#include <new>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DC.h"
#include "framework/ui/View.h"
#include "media/MediaObjectHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "resources/MediaStrings.h"
#include "resources/ModelStrings.h"

// Last: its <windowsx.h> defines macros named like framework members.
#include <dshow.h>

IMPLEMENT_SERIAL(CDrawAnimate, CDrawObj, 0)

namespace {

bool IsRunning() {
  CDrawHost* host = GetDrawHost();
  return host && host->GetMode() == kModeRunning;
}

// Boxes reported while a view paints are shown once the paint is over: a box's own
// message loop repaints the view, and a paint must not wait on the user.
std::vector<CString>& PendingBoxes() {
  static std::vector<CString> boxes;
  return boxes;
}

void CALLBACK ShowPendingBoxes(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  std::vector<CString> boxes;
  boxes.swap(PendingBoxes());
  for (const CString& text : boxes) AfxMessageBox(text, MB_ICONSTOP);
}

void ReportAfterPaint(const CString& text) {
  PendingBoxes().push_back(text);
  if (PendingBoxes().size() == 1) ::SetTimer(nullptr, 0, 0, ShowPendingBoxes);
}

CString ErrorText(HRESULT hr) {
  char text[201] = {};
  if (::AMGetErrorTextA(hr, text, 200) && text[0]) return text;
  CString code;
  code.Format("0x%08lX", static_cast<unsigned long>(hr));
  return code;
}

bool EndsWith(const CString& text, const char* tail) {
  const int n = static_cast<int>(strlen(tail));
  return text.GetLength() >= n && text.Right(n) == tail;
}

}  // namespace

AnimatePlayer AnimatePlayerFor(const CString& fileName) {
  CString name = fileName;
  name.MakeLower();
  if (EndsWith(name, ".swf")) return AnimatePlayer::flash;
  if (EndsWith(name, "mpeg") || EndsWith(name, "mpg") || EndsWith(name, "dat") || EndsWith(name, "avi"))
    return AnimatePlayer::graph;
  return AnimatePlayer::realPlayer;
}

int AnimateTicksOf(LONGLONG duration) {
  if (duration <= 0) return 0;
  const LONGLONG seconds = duration / 10000000;
  const LONGLONG ticks = seconds * 182 / 10;
  return ticks > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(ticks);
}

CDrawAnimate::CDrawAnimate() = default;

CDrawAnimate::CDrawAnimate(const CRect& position) : CDrawObj(position) {}

CDrawAnimate::~CDrawAnimate() {
  DeletePlayerWindows();
  ReleaseGraph();
}

// ---- the file and the players ------------------------------------------------------------

void CDrawAnimate::SetMediaFile(const CString& path) {
  DeletePlayerWindows();
  Stop(TRUE);
  CString newName = path.Mid(path.ReverseFind('\\') + 1), oldName = m_fileName.Mid(m_fileName.ReverseFind('\\') + 1);
  newName.MakeLower();
  oldName.MakeLower();
  m_nameChanged = newName != oldName;
  m_fileName = path;
  m_fileName.MakeLower();
  m_playerTried = FALSE;
  m_playLength = 0;
}

void CDrawAnimate::ClearMedia() {
  m_fileName.Empty();
  DeletePlayerWindows();
  Stop(TRUE);
  m_playerTried = FALSE;
  m_playLength = 0;
  Invalidate();
}

CRect CDrawAnimate::DeviceRect() const {
  CRect rect = m_position;
  if (CDrawHost* host = GetDrawHost()) host->LPtoDPRect(rect);
  rect.NormalizeRect();
  return rect;
}

void CDrawAnimate::EnsurePlayer() {
  if (m_playerTried || m_fileName.IsEmpty()) return;
  CDrawHost* host = GetDrawHost();
  HWND viewWindow = host ? host->GetViewWindow() : nullptr;
  if (!viewWindow) return;
  m_playerTried = TRUE;
  switch (AnimatePlayerFor(m_fileName)) {
    case AnimatePlayer::graph: OpenGraph(GetPlayPath(), viewWindow, DeviceRect()); break;
    case AnimatePlayer::flash: CreateFlash(viewWindow); break;
    case AnimatePlayer::realPlayer: CreateRealPlayer(viewWindow); break;
  }
}

// A player that is not installed cannot be created: the object then shows nothing.
void CDrawAnimate::CreateFlash(HWND viewWindow) {
  auto flash = std::make_unique<CShockwaveFlash>(m_flashClsid);
  if (!flash->Create(DeviceRect(), CWnd::FromHandle(viewWindow), GetPlayPath())) return;
  flash->Play();
  m_flash = std::move(flash);
}

void CDrawAnimate::CreateRealPlayer(HWND viewWindow) {
  std::unique_ptr<CRealAudio> player(new (std::nothrow) CRealAudio(m_realPlayerClsid));
  if (!player) {
    CString text;
    text.LoadString(IDS_OUT_OF_MEMORY);
    ReportAfterPaint(text);
    return;
  }
  if (!player->Create(DeviceRect(), CWnd::FromHandle(viewWindow), CRealAudio::kControlId)) return;
  player->Load(GetPlayPath());
  m_realPlayer = std::move(player);
}

void CDrawAnimate::StopRealPlayer() {
  // The wait is bounded and runs the thread's messages; a stop that comes in under it
  // (a timer of the run) does not stop or wait again.
  if (m_realPlayer && m_realPlayer->GetPlayState() != 0 && !m_realPlayer->IsWaitingForStop() &&
      m_realPlayer->Halt())
    m_realPlayer->WaitForStop(kRealPlayerStopWait);
}

void CDrawAnimate::DeletePlayerWindows() {
  StopRealPlayer();
  m_realPlayer.reset();
  if (m_flash) {
    m_flash->StopPlay();
    m_flash.reset();
  }
}

void CDrawAnimate::OpenGraph(const CString& path, HWND viewWindow, const CRect& rect) {
  ReleaseGraph();
  ComPtr<IGraphBuilder> graph;
  if (FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.outVoid())))
    return;
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.GetString(), -1, nullptr, 0);
  std::vector<WCHAR> wide(length > 0 ? length : 1);
  ::MultiByteToWideChar(CP_ACP, 0, path.GetString(), -1, wide.data(), length);
  const HRESULT rendered = graph->RenderFile(wide.data(), nullptr);
  if (FAILED(rendered)) {
    // Nothing of a clip that cannot be rendered is shown or played; the partial graph
    // goes, and the file is not tried again until it changes.
    ReportAfterPaint(ErrorText(rendered));
    return;
  }
  m_graph = std::move(graph);
  m_videoWindow = m_graph.as<IVideoWindow>(IID_IVideoWindow);
  m_seeking = m_graph.as<IMediaSeeking>(IID_IMediaSeeking);
  m_control = m_graph.as<IMediaControl>(IID_IMediaControl);
  LONGLONG duration = 0;
  if (m_seeking && SUCCEEDED(m_seeking->GetDuration(&duration)))
    m_playLength = AnimateTicksOf(duration);
  else
    m_playLength = 0;
  if (m_videoWindow) {
    m_videoWindow->put_Owner(reinterpret_cast<OAHWND>(viewWindow));
    m_videoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    m_videoWindow->SetWindowPosition(rect.left, rect.top, rect.Width(), rect.Height());
  }
}

BOOL CDrawAnimate::RunGraph() {
  if (!m_graph || !m_control || !m_videoWindow) return FALSE;
  m_videoWindow->put_Visible(OATRUE);
  m_control->Run();
  return TRUE;
}

void CDrawAnimate::RewindGraph() {
  if (!m_seeking || !m_control) return;
  LONGLONG start = 0;
  m_seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  m_control->Run();
}

void CDrawAnimate::StopGraph() {
  if (m_control) m_control->Stop();
  if (m_seeking) {
    LONGLONG start = 0;
    m_seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  }
  if (m_videoWindow) m_videoWindow->put_Visible(OAFALSE);
}

void CDrawAnimate::ReleaseGraph() {
  if (m_control) m_control->Stop();
  if (m_videoWindow) {
    m_videoWindow->put_Visible(OAFALSE);
    m_videoWindow->put_Owner(0);
  }
  m_videoWindow.reset();
  m_seeking.reset();
  m_control.reset();
  m_graph.reset();
}

void CDrawAnimate::Play(BOOL loop) {
  if (IsSuspended()) return;
  // A play before the first paint of the page still finds its player.
  EnsurePlayer();
  // A RealPlayer that is stopped (0) or paused (4) starts; one that plays goes on.
  if (m_realPlayer && (m_realPlayer->GetPlayState() == 0 || m_realPlayer->GetPlayState() == 4))
    m_realPlayer->Start(loop);
  if (m_flash) m_flash->Play();
  if (m_graph) RunGraph();
  m_playing = TRUE;
}

void CDrawAnimate::Stop(BOOL destroy) {
  if (m_graph) {
    StopGraph();
    if (destroy) {
      ReleaseGraph();
      // Made again at the next draw.
      m_playerTried = FALSE;
      Invalidate();
    }
  }
  StopRealPlayer();
  if (m_flash) {
    m_flash->StopPlay();
    if (destroy) {
      m_flash.reset();
      m_playerTried = FALSE;
      Invalidate();
    }
  }
  m_playing = FALSE;
  m_preview = FALSE;
}

// ---- the record -------------------------------------------------------------------------

void CDrawAnimate::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_setting0 << m_setting2 << m_setting3 << m_fileName;
    return;
  }
  ar >> m_setting0 >> m_setting2 >> m_setting3 >> m_fileName;
}

void CDrawAnimate::SerializeEmbedded(CArchive& ar, int mode) {
  if (mode != 2 || m_fileName.IsEmpty()) return;
  if (ar.IsStoring()) {
    const CString copy = m_embedded.Store(ar, m_fileName, m_setting0);
    if (!copy.IsEmpty()) SetMediaFile(copy);
    return;
  }
  CDrawDoc* page = PageOfArchive(ar);
  const BOOL report = page && page->m_reader != CDrawDoc::Reader::editor;
  const CString copy = m_embedded.Load(ar, m_fileName, report);
  if (!copy.IsEmpty()) SetMediaFile(copy);
}

int CDrawAnimate::CollectResources(int mode) { return m_embedded.CollectResources(m_fileName, mode); }

// ---- names and properties ----------------------------------------------------------------

CString CDrawAnimate::ActionTypeName(DWORD flag, int& index) { return MediaActionName(flag, index); }

int CDrawAnimate::ActionTypeFromName(const CString& name) { return MediaActionFromName(name); }

DWORD CDrawAnimate::ActionTypeAt(int index) { return MediaActionTypeAt(index); }

void CDrawAnimate::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  ListMediaFileRow(grid, m_fileName, IDS_ANIMATE_FILE_FILTER);
}

void CDrawAnimate::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  const CString file = ReadFileRow(grid, IDS_ROW_PICTURE_FILE, m_fileName);
  if (file == m_fileName) return;
  if (file.IsEmpty()) {
    ClearMedia();
    return;
  }
  // A clip that is not there keeps the one the object has.
  if (!IsExistingFile(file)) {
    RefuseFileRow(grid, IDS_ROW_PICTURE_FILE, file, m_fileName);
    return;
  }
  SetMediaFile(file);
  Invalidate();
}

void CDrawAnimate::ListActions(CPropGrid* grid, int type) { ListMediaActions(*this, grid, type); }

void CDrawAnimate::ShowExistingAction(CPropGrid* grid, int index) { ShowExistingMediaAction(*this, grid, index); }

int CDrawAnimate::ListExtraActionRows(CPropGrid* grid, CMethod& action) { return ListMediaActionRows(grid, action); }

BOOL CDrawAnimate::ApplyExtraActionRows(CPropGrid* grid, CMethod& action) {
  return ApplyMediaActionRows(grid, action);
}

void CDrawAnimate::ResetPropertyPage(int group, CView* view) {
  if (group == 0) ClearMedia();
  CDrawObj::ResetPropertyPage(group, view);
}

// ---- drawing and editing ------------------------------------------------------------------

int CDrawAnimate::DrawObject(CDC* dc, CView*) {
  if (!m_visible) return 0;
  EnsurePlayer();
  if (m_preview && !IsRunning()) {
    m_preview = FALSE;
    if (RunGraph()) m_playing = TRUE;
  }
  if (!IsRunning()) {
    // While editing, the frame shows where the clip plays.
    CRect frame = m_position;
    frame.NormalizeRect();
    HDC hdc = dc->GetSafeHdc();
    HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    ::Rectangle(hdc, frame.left, frame.top, frame.right, frame.bottom);
    ::SelectObject(hdc, oldPen);
    ::SelectObject(hdc, oldBrush);
  }
  return 1;
}

void CDrawAnimate::SetRect(const CRect& rect, CView* view) {
  CDrawObj::SetRect(rect, view);
  const CRect device = DeviceRect();
  if (m_videoWindow) m_videoWindow->SetWindowPosition(device.left, device.top, device.Width(), device.Height());
  if (m_flash && m_flash->m_hWnd) m_flash->MoveWindow(device);
  if (m_realPlayer && m_realPlayer->m_hWnd) m_realPlayer->MoveWindow(device);
}

int CDrawAnimate::OnOpen(CView*) {
  CString path;
  if (!ChooseMediaFile(IDS_ANIMATE_FILE_FILTER, path)) return 0;
  SetMediaFile(path);
  Invalidate();
  return 1;
}

CDrawObj* CDrawAnimate::Clone(CDrawObj* target) {
  return ShapeEditing::CloneShape(*this, target, [&](CDrawAnimate* clone) {
    clone->m_fileName = m_fileName;
    clone->m_setting0 = m_setting0;
    clone->m_setting1 = m_setting1;
    clone->m_setting2 = m_setting2;
    clone->m_setting3 = m_setting3;
    m_embedded.ShareWith(clone->m_embedded);
  });
}

CDrawObj* CDrawAnimate::Duplicate(CDrawDoc* document) { return ShapeEditing::PlaceDuplicate(Clone(nullptr), document); }

// ---- the run -----------------------------------------------------------------------------

void CDrawAnimate::RestorePlayState(CView* view) {
  Stop(FALSE);
  CDrawObj::RestorePlayState(view);
}

void CDrawAnimate::OnDeselect(CView* view) {
  Stop(FALSE);
  CDrawObj::OnDeselect(view);
}

void CDrawAnimate::SetSuspended(BOOL deleted) {
  Stop(TRUE);
  CDrawObj::SetSuspended(deleted);
}
