#include "media/DrawMeta.h"

#include <algorithm>
#include <climits>

#include "framework/core/Archive.h"
#include "framework/ui/DC.h"
#include "framework/ui/FileDialog.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "media/MediaObjectHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/PictureRecord.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "resources/MediaStrings.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CDrawMeta, CDrawObj, 0)

namespace {

constexpr PROPID kFrameDelay = 0x5100;  // PropertyTagFrameDelay: hundredths of a second per frame
constexpr int kDefaultFrameStep = 3;
// A file may claim any number of pages; frames beyond these are not decoded.
constexpr UINT kMaxFrames = 1024;

// The kinds of action a picture takes, in the order of its kind list.
struct ActionKind {
  DWORD flag;
  UINT name;
};
constexpr ActionKind kKinds[] = {
    {CMethod::typeTranslate, IDS_ACTION_TRANSLATE},  {CMethod::typeEffect, IDS_ACTION_EFFECT},
    {CMethod::typePageSwitch, IDS_ACTION_PAGE_SWITCH}, {CMethod::typeShowHide, IDS_ACTION_SHOW_HIDE},
    {CMethod::typeLayer, IDS_ACTION_LAYER},          {CMethod::typeExit, IDS_ACTION_EXIT},
    {CMethod::typeRunProgram, IDS_ACTION_RUN_PROGRAM}, {CMethod::typeControlPoint, IDS_ACTION_CONTROL_POINT},
    {CMethod::typeGif, IDS_ACTION_GIF},
};
constexpr int kGifKindIndex = 8;

CString KindName(int index) {
  CString name;
  name.LoadString(kKinds[index].name);
  return name;
}

bool IsReadingBuild(CDrawDoc* page) { return page && page->m_reader != CDrawDoc::Reader::editor; }

CDrawDoc* HostPage() {
  CDrawHost* host = GetDrawHost();
  return host ? host->GetDocument() : nullptr;
}

// The first delay of the picture's frame-delay property, when it has one.
bool FirstFrameDelay(CPicture& picture, unsigned long long& delay) {
  Gdiplus::Image* image = picture.GetImage();
  const UINT size = image->GetPropertyItemSize(kFrameDelay);
  // A picture without delays (a TIFF's pages) is no failure: the wrapper's error is
  // cleared, or every copy made of the picture afterwards would inherit it.
  image->GetLastStatus();
  if (size < sizeof(Gdiplus::PropertyItem)) return false;
  std::vector<BYTE> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (image->GetPropertyItem(kFrameDelay, size, item) != Gdiplus::Ok || !item->value || item->length < 4) return false;
  delay = *static_cast<const UINT32*>(item->value);
  // A GIF stores its delays in 16 bits; some decoders widen them with their sign, so a
  // larger value is the 16-bit delay of the file.
  if (delay > 0xFFFF) delay &= 0xFFFF;
  return true;
}

std::unique_ptr<CPicture> CopyOf(const CPicture& frame) {
  std::unique_ptr<CPicture> copy = frame.Clone();
  if (!copy || !copy->IsValid()) return nullptr;
  return copy;
}

}  // namespace

CDrawMeta::CDrawMeta() { m_pictureFill = 1; }

CDrawMeta::CDrawMeta(const CRect& position) : CDrawObj(position) { m_pictureFill = 1; }

CDrawMeta::~CDrawMeta() = default;

CPicture* CDrawMeta::GetFrame(int index) const {
  if (index == 0) return m_picture;
  if (index < 0 || static_cast<size_t>(index) > m_moreFrames.size()) return nullptr;
  return m_moreFrames[static_cast<size_t>(index) - 1].get();
}

void CDrawMeta::DropPicture() {
  delete m_picture;
  m_picture = nullptr;
  m_moreFrames.clear();
  m_frameCount = 1;
  m_frameIndex = 0;
  m_framePeriod = 0;
  m_colourKeyApplied = 0;
}

// ---- loading ---------------------------------------------------------------------------------

void CDrawMeta::TakeFrames(std::unique_ptr<CPicture> source, UINT count) {
  DropPicture();
  unsigned long long delay = 0;
  const bool delayed = FirstFrameDelay(*source, delay);
  int step = 0;
  if (delayed) {
    // Hundredths of a second to ticks of 1/18.2 s, rounded; at least one tick.
    step = static_cast<int>(std::min<unsigned long long>((9 * delay + 25) / 50, INT_MAX));
    step = std::max(step, 1);
    GifStepSetting() = step;
  } else if (count > 1) {
    step = GifStepSetting() ? GifStepSetting() : kDefaultFrameStep;
  }
  const bool metafile = source->GetType() == 2;
  if (count > 1 && !metafile) {
    // Each frame is selected on the source and then copied: a copy of the first frame
    // does not switch frames (observed under Wine's GDI+).
    std::vector<std::unique_ptr<CPicture>> frames;
    for (UINT i = 0; i < std::min(count, kMaxFrames); ++i) {
      if (source->SelectActiveFrame(i) != Gdiplus::Ok) break;
      std::unique_ptr<CPicture> frame = CopyOf(*source);
      if (!frame) break;
      frame->RotateFlip(Gdiplus::Rotate180FlipX);
      frames.push_back(std::move(frame));
    }
    source->SelectActiveFrame(0);
    if (frames.size() > 1) {
      m_picture = frames[0].release();
      for (size_t i = 1; i < frames.size(); ++i) m_moreFrames.push_back(std::move(frames[i]));
      m_frameCount = static_cast<int>(frames.size());
      m_framePeriod = step;
      if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(2, this);  // now with "GIF动画"
      return;
    }
  }
  if (!metafile) source->RotateFlip(Gdiplus::Rotate180FlipX);
  m_picture = source.release();
  m_framePeriod = 0;
}

BOOL CDrawMeta::LoadPicture(const CString& path) {
  if (path.Find('\\') < 0) return FALSE;
  CDrawHost* host = GetDrawHost();
  if (host ? !host->FileExists(path) : ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return FALSE;
  UINT count = 1;
  std::unique_ptr<CPicture> source = LoadImageFile(path, FALSE, &count);
  if (!source || !source->IsValid()) return FALSE;
  TakeFrames(std::move(source), count);
  m_failedFile.Empty();
  return TRUE;
}

int CDrawMeta::SetPictureFile(const CString& file) {
  m_pictureFile = file;
  DropPicture();
  Invalidate();
  return 1;
}

void CDrawMeta::ApplyColourKey(Gdiplus::Graphics* graphics) {
  if (!m_picture || m_filled || m_colourKeyApplied) return;
  for (int i = 0; i < m_frameCount; ++i) {
    CPicture* frame = GetFrame(i);
    if (!frame || frame->GetWidth() == 0 || frame->GetHeight() == 0) continue;
    std::unique_ptr<CPicture> keyed = CopyWithColourKey(*frame, graphics, m_colourKey);
    if (!keyed || !keyed->IsValid()) continue;
    if (i == 0) {
      delete m_picture;
      m_picture = keyed.release();
    } else {
      m_moreFrames[static_cast<size_t>(i) - 1] = std::move(keyed);
    }
  }
  m_colourKeyApplied = 1;
}

// ---- the records ---------------------------------------------------------------------------

void CDrawMeta::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_picturePlacement) << m_reserved << m_pictureFile << static_cast<DWORD>(m_colourKey);
    return;
  }
  DWORD stretch, key;
  ar >> stretch >> m_reserved >> m_pictureFile >> key;
  m_picturePlacement = static_cast<int>(stretch);
  m_colourKey = key;
  // The reading programs take the picture from the page's bytes or from the first draw.
  CDrawDoc* page = dynamic_cast<CDrawDoc*>(ar.m_pDocument);
  if (!page) page = HostPage();
  if (!m_pictureFile.IsEmpty() && !IsReadingBuild(page)) LoadPicture(m_pictureFile);
}

void CDrawMeta::SerializeEmbedded(CArchive& ar, int mode) {
  if (ar.IsLoading()) m_pictureFile.MakeLower();
  // Written whenever the name is set, empty without a picture: the reader expects a
  // record exactly then.
  if (mode != 2 || m_pictureFile.IsEmpty()) return;
  if (ar.IsStoring()) {
    std::vector<CPicture*> frames;
    for (int i = 0; i < m_frameCount; ++i) frames.push_back(GetFrame(i));
    PictureRecord::WriteFrames(ar, m_pictureFile, frames.data(), m_picture ? m_frameCount : 0, L"image/tiff");
    return;
  }
  DropPicture();
  const std::vector<BYTE> bytes = PictureRecord::ReadBytes(ar);
  if (bytes.empty()) return;
  UINT count = 1;
  std::unique_ptr<CPicture> source = LoadImageBytes(bytes.data(), bytes.size(), FALSE, &count);
  if (source && source->IsValid()) TakeFrames(std::move(source), count);
}

// ---- names ------------------------------------------------------------------------------------

CString CDrawMeta::ActionTypeName(DWORD flag, int& index) {
  for (int i = 0; i < static_cast<int>(std::size(kKinds)); ++i) {
    if (kKinds[i].flag == flag) {
      index = i;
      return KindName(i);
    }
  }
  index = -1;
  return CString();
}

// "GIF动画" is offered only by a picture that has frames to show.
DWORD CDrawMeta::ActionTypeAt(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kKinds))) return 0;
  if (index == kGifKindIndex && m_frameCount <= 1) return 0;
  return kKinds[index].flag;
}

int CDrawMeta::ActionTypeFromName(const CString& name) {
  for (int i = 0; i < static_cast<int>(std::size(kKinds)); ++i)
    if (KindName(i) == name) return i;
  return -1;
}

std::vector<CString> CDrawMeta::ActionKindNames() {
  std::vector<CString> names;
  for (int i = 0; i < kGifKindIndex; ++i) names.push_back(KindName(i));
  if (m_frameCount > 1) names.push_back(KindName(kGifKindIndex));
  return names;
}

void CDrawMeta::MakeGifAction(CMethod& action) {
  action.m_nType = CMethod::typeGif;
  action.m_bGifPlay = 1;
  action.m_nValue = 0;
  if (m_selectedAction >= 0 && m_selectedAction < m_actions.GetSize()) {
    action.m_strName = m_actions[m_selectedAction].m_strName;
    return;
  }
  const CString kind = KindName(kGifKindIndex);
  int n = 1;
  for (int i = 0; i < m_actions.GetSize(); ++i) n += m_actions[i].m_nType == CMethod::typeGif;
  for (;; ++n) {
    action.m_strName.Format("%s%d", kind.GetString(), n);
    if (FindActionByName(action.m_strName) < 0) break;
  }
}

// ---- property rows ------------------------------------------------------------------------

void CDrawMeta::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  AddFlagRow(grid, IDS_ROW_PICTURE_STRETCH, m_picturePlacement);
  AddRow(grid, IDS_ROW_IMAGE_FILE, kPropFile, [this](PropertyEntry& e) {
    e.text = m_pictureFile;
    e.extra = LoadLabel(IDS_PICTURE_FILTER);
    e.openFile = TRUE;
  });
}

void CDrawMeta::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  ReadFlagRow(grid, IDS_ROW_PICTURE_STRETCH, m_picturePlacement);
  const CString file = ReadFileRow(grid, IDS_ROW_IMAGE_FILE, m_pictureFile);
  if (file != m_pictureFile) {
    if (file.IsEmpty())
      SetPictureFile(file);
    else if (LoadPicture(file))
      m_pictureFile = file;
    else
      // The name and the picture shown stay together: a file that does not load
      // changes neither.
      RefuseFileRow(grid, IDS_ROW_IMAGE_FILE, file, m_pictureFile);
  }
  Invalidate();
}

int CDrawMeta::ListExtraActionRows(CPropGrid*, CMethod&) {
  Invalidate();
  return 1;
}

BOOL CDrawMeta::ApplyExtraActionRows(CPropGrid*, CMethod& action) {
  if (action.m_nType != CMethod::typeGif) return FALSE;
  MakeGifAction(action);
  return TRUE;
}

void CDrawMeta::ResetPropertyPage(int group, CView* view) {
  if (group == 0) {
    m_pictureFile.Empty();
    DropPicture();
    m_filled = 1;
    m_colourKey = 0xFFFFFF;
  }
  CDrawObj::ResetPropertyPage(group, view);
}

// ---- drawing --------------------------------------------------------------------------------

int CDrawMeta::DrawObject(CDC* dc, CView*) {
  if (!m_visible) return 0;
  HDC hdc = dc->GetSafeHdc();
  const int saved = ::SaveDC(hdc);
  // A file that cannot be loaded keeps its name (it may come back) and is tried again
  // only when the name changes.
  if (!m_pictureFile.IsEmpty() && !m_picture && m_pictureFile != m_failedFile && !LoadPicture(m_pictureFile))
    m_failedFile = m_pictureFile;
  if (!m_picture && !m_moreFrames.empty()) DropPicture();  // the base let frame 0 go
  CRect r = m_position;
  r.NormalizeRect();
  if (!m_picture) {
    if (!m_placeholder) m_placeholder = LoadPlaceholderMetafile();
    if (m_placeholder) {
      // Upright whichever way the mapping turns y.
      POINT probe[2] = {{0, 0}, {0, 1}};
      ::LPtoDP(hdc, probe, 2);
      const bool yUp = probe[1].y < probe[0].y;
      m_placeholder->Play(dc, yUp ? CRect(r.left, r.bottom, r.right, r.top) : r);
    }
  } else {
    Gdiplus::Graphics graphics(hdc);
    if (CDrawHost* host = GetDrawHost())
      graphics.SetSmoothingMode(static_cast<Gdiplus::SmoothingMode>(host->GetSmoothingMode()));
    Gdiplus::GraphicsPath path;
    path.AddRectangle(Gdiplus::Rect(r.left, r.top, r.Width(), r.Height()));
    if (!m_filled) ApplyColourKey(&graphics);
    CPicture* frame = GetFrame(m_frameIndex < m_frameCount ? m_frameIndex : 0);
    DrawImageEx(frame, &graphics, &path, r.left, r.top, r.right, r.bottom, m_picturePlacement, !m_filled, 0,
                m_colourKey);
  }
  ::RestoreDC(hdc, saved);
  if (m_buttonised) {
    if (GetButtonState() & 1)
      DrawRaisedFrame(dc);
    else
      DrawSunkenFrame(dc);
  }
  return 1;
}

int CDrawMeta::OnOpen(CView* view) {
  CString title, filter;
  title.LoadString(IDS_OPEN_FILE_TITLE);
  filter.LoadString(IDS_PICTURE_FILTER);
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
  dialog.m_ofn.lpstrTitle = title.GetString();
  if (dialog.DoModal() == IDOK) {
    m_pictureFile = dialog.GetPathName();
    LoadPicture(m_pictureFile);
    Invalidate();
    if (CDrawHost* host = GetDrawHost()) {
      host->SetPageModified();
      host->NotifyPropertyPanel(2, this);
    }
  }
  return OnOpenDefault(view);
}

// ---- copies ----------------------------------------------------------------------------------

CDrawObj* CDrawMeta::Clone(CDrawObj* target) {
  return ShapeEditing::CloneShape(*this, target, [&](CDrawMeta* clone) {
    clone->m_picturePlacement = m_picturePlacement;
    clone->m_reserved = m_reserved;
    // The base copied frame 0; the further frames go with it.
    clone->m_moreFrames.clear();
    for (const auto& frame : m_moreFrames) {
      std::unique_ptr<CPicture> copy = frame ? CopyOf(*frame) : nullptr;
      if (!copy) {
        clone->m_moreFrames.clear();
        break;
      }
      if (frame->IsKeyedWith(m_colourKey)) copy->SetKeyedWith(m_colourKey);
      clone->m_moreFrames.push_back(std::move(copy));
    }
    clone->m_frameCount = clone->m_picture ? static_cast<int>(clone->m_moreFrames.size()) + 1 : 1;
    clone->m_frameIndex = std::min(m_frameIndex, clone->m_frameCount - 1);
    clone->m_framePeriod = clone->m_frameCount > 1 ? m_framePeriod : 0;
    clone->m_colourKeyApplied = m_colourKeyApplied;
  });
}

CDrawObj* CDrawMeta::Duplicate(CDrawDoc* document) {
  return ShapeEditing::PlaceDuplicate(Clone(nullptr), document);
}

// ---- runs and effects --------------------------------------------------------------------------

void CDrawMeta::Take(Snapshot& s) {
  s = Snapshot();
  s.taken = true;
  s.file = m_pictureFile;
  s.frameIndex = m_frameIndex;
  s.keyApplied = m_colourKeyApplied;
  if (!m_picture) return;
  // The object draws from copies meanwhile; the snapshot keeps the originals (an
  // embedded picture could not be loaded again from its bare name).
  std::vector<std::unique_ptr<CPicture>> copies;
  for (int i = 0; i < m_frameCount; ++i) {
    CPicture* frame = GetFrame(i);
    std::unique_ptr<CPicture> copy = frame ? CopyOf(*frame) : nullptr;
    if (!copy) return;  // no copies: the object keeps its own, the snapshot only the name
    if (frame->IsKeyedWith(m_colourKey)) copy->SetKeyedWith(m_colourKey);
    copies.push_back(std::move(copy));
  }
  s.frames.emplace_back(m_picture);
  for (auto& frame : m_moreFrames) s.frames.push_back(std::move(frame));
  m_picture = copies[0].release();
  for (size_t i = 1; i < copies.size(); ++i) m_moreFrames[i - 1] = std::move(copies[i]);
}

bool CDrawMeta::GiveBack(Snapshot& s) {
  if (!s.taken) return false;
  bool changed = false;
  if (!s.frames.empty()) {
    delete m_picture;
    m_moreFrames.clear();
    m_picture = s.frames[0].release();
    for (size_t i = 1; i < s.frames.size(); ++i) m_moreFrames.push_back(std::move(s.frames[i]));
    m_frameCount = static_cast<int>(s.frames.size());
    m_frameIndex = s.frameIndex;
    m_colourKeyApplied = s.keyApplied;
    changed = true;
  } else if (m_pictureFile != s.file) {
    DropPicture();
    changed = true;
  }
  if (m_pictureFile != s.file) {
    m_pictureFile = s.file;
    changed = true;
  }
  s = Snapshot();
  return changed;
}

void CDrawMeta::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  m_savedFile = m_pictureFile;
  Take(m_playSnapshot);
}

void CDrawMeta::RestorePlayState(CView* view) {
  CDrawObj::RestorePlayState(view);
  const bool changed = GiveBack(m_playSnapshot);
  m_savedFile.Empty();
  if (changed) Invalidate();
}

void CDrawMeta::SaveVisibilityLayer() {
  CDrawObj::SaveVisibilityLayer();
  Take(m_effectSnapshot);
}

void CDrawMeta::RevertVisibilityLayer() {
  CDrawObj::RevertVisibilityLayer();
  if (GiveBack(m_effectSnapshot)) Invalidate();
}

void CDrawMeta::OnDeselect(CView* view) {
  CDrawHost* host = GetDrawHost();
  if (host && host->GetMode() == kModeEditing && m_preview) {
    m_pictureFile = m_savedFile;
    m_savedFile.Empty();
    DropPicture();
    m_preview = FALSE;
  }
  CDrawObj::OnDeselect(view);
}
