#include "media/DrawMedia.h"

#include <optional>

#include "framework/core/Archive.h"
#include "framework/core/WaitCursor.h"
#include "framework/ui/DC.h"
#include "framework/ui/FileDialog.h"
#include "media/MediaObjectHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "resources/MediaStrings.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CDrawMedia, CDrawObj, 0)

namespace {

constexpr int kIconSize = 32;

// Milliseconds to playback ticks (18.2 a second), rounded down without floating point.
int TicksOf(DWORD_PTR ms) { return static_cast<int>(static_cast<unsigned long long>(ms) * 91 / 5000); }

bool IsRunning() {
  CDrawHost* host = GetDrawHost();
  return host && host->GetMode() == kModeRunning;
}

}  // namespace

CDrawMedia::CDrawMedia() = default;

CDrawMedia::CDrawMedia(const CRect& position) : CDrawObj(position) {}

CDrawMedia::~CDrawMedia() {
  // Whatever the deleted flag says: a device left open would outlive its object.
  m_mciSound.Close();
  m_mp3Player.Stop();
}

BOOL CDrawMedia::IsReadingBuild() const {
  CDrawHost* host = GetDrawHost();
  CDrawDoc* page = host ? host->GetDocument() : nullptr;
  return page && page->m_reader != CDrawDoc::Reader::editor;
}

// ---- the sound ----------------------------------------------------------------------------

int CDrawMedia::KindOfFile(const CString& path) {
  const CString name = path.Mid(path.ReverseFind('\\') + 1);
  const int dot = name.ReverseFind('.');
  if (dot < 0) return -1;
  CString extension = name.Mid(dot + 1);
  extension.MakeLower();
  if (extension == "mid") return kSoundMidi;
  if (extension == "wav") return kSoundWave;
  if (extension == "mp3") return kSoundMp3;
  return kSoundUnknown;
}

void CDrawMedia::SetMediaFile(const CString& path) {
  const int kind = KindOfFile(path);
  if (kind < 0) return;
  m_kind = static_cast<WORD>(kind);
  if (kind == kSoundUnknown) return;
  const CString name = path.Mid(path.ReverseFind('\\') + 1);
  CString newName = name, oldName = m_fileName.Mid(m_fileName.ReverseFind('\\') + 1);
  newName.MakeLower();
  oldName.MakeLower();
  m_nameChanged = newName != oldName;
  m_fileName = path;
  m_fileName.MakeLower();
}

void CDrawMedia::PlayMci(const CString& path) {
  m_mciSound.SetReportErrors(TRUE);
  DWORD_PTR ms = 0;
  bool playing = m_mciSound.OpenFile(path, m_kind) == 0 && m_mciSound.SetTimeFormat(MCI_FORMAT_MILLISECONDS) == 0 &&
                 m_mciSound.QueryStatus(MCI_STATUS_LENGTH, ms) == 0;
  if (playing) {
    m_playLength = TicksOf(ms);
    playing = m_mciSound.Play(TRUE) == 0;
  }
  m_mciSound.SetReportErrors(FALSE);
  // A device that failed on its way stays silent and is not kept open.
  if (!playing) m_mciSound.Close();
}

void CDrawMedia::Play(BOOL loop) {
  if (IsSuspended()) return;
  const CString path = GetPlayPath();
  if (m_kind == kSoundMidi || m_kind == kSoundWave) {
    m_mciSound.Close();
    PlayMci(path);
  } else if (m_kind == kSoundMp3) {
    m_mp3Player.SetFile(path);
    const int ms = m_mp3Player.GetDuration();
    if (ms <= 0) return;  // the player has said why
    m_playLength = TicksOf(static_cast<DWORD_PTR>(ms));
    m_mp3Player.Play(loop);
  }
}

void CDrawMedia::Restart() {
  if (m_kind != kSoundMidi && m_kind != kSoundWave) return;
  m_mciSound.SeekToStart(TRUE);
  m_mciSound.Play(TRUE);
}

void CDrawMedia::Stop() {
  const BOOL reading = IsReadingBuild();
  if (!reading && IsSuspended()) return;
  std::optional<CWaitCursor> wait;
  if (!reading) wait.emplace();
  // Both players, whatever the kind is now: a file changed while playing must not leave
  // the other player running.
  if (m_mciSound.IsOpen()) {
    m_mciSound.Stop();
    m_mciSound.Close();
  }
  m_mp3Player.Stop();
}

// ---- the record -------------------------------------------------------------------------

void CDrawMedia::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_kind << m_fileName;
    return;
  }
  ar >> m_kind >> m_fileName;
}

void CDrawMedia::SerializeEmbedded(CArchive& ar, int mode) {
  if (mode != 2 || m_fileName.IsEmpty()) return;
  if (ar.IsStoring()) {
    const CString copy = m_embedded.Store(ar, m_fileName, m_kind);
    if (!copy.IsEmpty()) SetMediaFile(copy);
    return;
  }
  CDrawDoc* page = PageOfArchive(ar);
  const BOOL report = page && page->m_reader != CDrawDoc::Reader::editor;
  const CString copy = m_embedded.Load(ar, m_fileName, report);
  if (!copy.IsEmpty()) SetMediaFile(copy);
}

int CDrawMedia::CollectResources(int mode) { return m_embedded.CollectResources(m_fileName, mode); }

// ---- names and properties ----------------------------------------------------------------

CString CDrawMedia::ActionTypeName(DWORD flag, int& index) { return MediaActionName(flag, index); }

int CDrawMedia::ActionTypeFromName(const CString& name) { return MediaActionFromName(name); }

DWORD CDrawMedia::ActionTypeAt(int index) { return MediaActionTypeAt(index); }

void CDrawMedia::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  ListMediaFileRow(grid, m_fileName, IDS_SOUND_FILE_FILTER);
}

void CDrawMedia::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  const CString file = ReadFileRow(grid, IDS_ROW_PICTURE_FILE, m_fileName);
  if (file == m_fileName) return;
  if (file.IsEmpty()) {
    m_fileName.Empty();
    return;
  }
  // A file that is not there, or of a kind no player takes, would leave the object
  // silent under a name it cannot play: the old sound stays.
  if (KindOfFile(file) <= kSoundUnknown || !IsExistingFile(file)) {
    RefuseFileRow(grid, IDS_ROW_PICTURE_FILE, file, m_fileName);
    return;
  }
  SetMediaFile(file);
}

void CDrawMedia::ListActions(CPropGrid* grid, int type) { ListMediaActions(*this, grid, type); }

void CDrawMedia::ShowExistingAction(CPropGrid* grid, int index) { ShowExistingMediaAction(*this, grid, index); }

int CDrawMedia::ListExtraActionRows(CPropGrid* grid, CMethod& action) { return ListMediaActionRows(grid, action); }

BOOL CDrawMedia::ApplyExtraActionRows(CPropGrid* grid, CMethod& action) { return ApplyMediaActionRows(grid, action); }

void CDrawMedia::ResetPropertyPage(int group, CView* view) {
  if (group == 0) m_fileName.Empty();
  CDrawObj::ResetPropertyPage(group, view);
}

// ---- drawing and editing ------------------------------------------------------------------

int CDrawMedia::DrawObject(CDC* dc, CView*) {
  if (!m_visible) return 0;
  if (!IsRunning()) {
    if (!m_icon.m_hObject) m_icon.LoadBitmap(IDB_SOUND_ICON);
    HDC hdc = dc->GetSafeHdc();
    HDC source = ::CreateCompatibleDC(hdc);
    if (source && m_icon.m_hObject) {
      HGDIOBJ old = ::SelectObject(source, m_icon.m_hObject);
      // Upright whichever way the mapping turns y: the icon's top row goes to the edge
      // that shows on top.
      POINT probe[2] = {{0, 0}, {0, 1}};
      ::LPtoDP(hdc, probe, 2);
      const bool yUp = probe[1].y < probe[0].y;
      const CRect r = m_position;
      const int top = yUp ? std::max(r.top, r.bottom) : std::min(r.top, r.bottom);
      const int height = std::abs(r.bottom - r.top);
      ::StretchBlt(hdc, std::min(r.left, r.right), top, std::abs(r.right - r.left), yUp ? -height : height, source, 0,
                   0, kIconSize, kIconSize, SRCCOPY);
      ::SelectObject(source, old);
    }
    if (source) ::DeleteDC(source);
  }
  if (m_buttonised) {
    if (GetButtonState() & 1)
      DrawRaisedFrame(dc);
    else
      DrawSunkenFrame(dc);
  }
  return 1;
}

int CDrawMedia::OnOpen(CView*) {
  CString path;
  if (!ChooseMediaFile(IDS_SOUND_FILE_FILTER, path)) return 0;
  SetMediaFile(path);
  return 1;
}

CDrawObj* CDrawMedia::Clone(CDrawObj* target) {
  return ShapeEditing::CloneShape(*this, target, [&](CDrawMedia* clone) {
    clone->m_kind = m_kind;
    clone->m_fileName = m_fileName;
    // The clone plays the same copy, which lives until neither plays it.
    m_embedded.ShareWith(clone->m_embedded);
  });
}

CDrawObj* CDrawMedia::Duplicate(CDrawDoc* document) {
  return ShapeEditing::PlaceDuplicate(Clone(nullptr), document);
}

// ---- the run -----------------------------------------------------------------------------

void CDrawMedia::RestorePlayState(CView* view) {
  Stop();
  CDrawObj::RestorePlayState(view);
}

void CDrawMedia::OnDeselect(CView* view) {
  if (IsRunning()) Stop();
  CDrawObj::OnDeselect(view);
}

void CDrawMedia::SetSuspended(BOOL deleted) {
  Stop();
  CDrawObj::SetSuspended(deleted);
}
