#include "framework/ui/ToolBar.h"

#include <vector>

#include "framework/core/Module.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/FrameWnd.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

constexpr WORD kToolbarResource = 241;  // RT_TOOLBAR
constexpr int kSeparatorWidth = 6;

// A toolbar button seen by an update handler.
class CToolCmdUI : public CCmdUI {
 public:
  explicit CToolCmdUI(CToolBar* bar) : m_bar(bar) {}

  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    UINT style = m_bar->GetButtonStyle(static_cast<int>(m_nIndex));
    const UINT updated = bOn ? (style & ~TBBS_DISABLED) : (style | TBBS_DISABLED);
    // A disabled button cannot stay pressed.
    if (updated != style) m_bar->SetButtonStyle(static_cast<int>(m_nIndex), bOn ? updated : (updated & ~TBBS_PRESSED));
  }
  void SetCheck(int nCheck) override {
    const UINT style = m_bar->GetButtonStyle(static_cast<int>(m_nIndex));
    UINT updated = style & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1) updated |= TBBS_CHECKED;
    if (nCheck == 2) updated |= TBBS_INDETERMINATE;
    if (updated != style) m_bar->SetButtonStyle(static_cast<int>(m_nIndex), updated | TBBS_CHECKBOX);
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(const char*) override {}

 private:
  CToolBar* m_bar;
};

}  // namespace

CToolBar::CToolBar() { SetBorders(2, 2, 2, 2); }

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                  nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
  // The frame places the bar; the control must not move or size itself.
  DWORD ctrlStyle = dwCtrlStyle | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
  if (dwStyle & CBRS_TOOLTIPS) ctrlStyle |= TBSTYLE_TOOLTIPS;
  if (!CreateBar(TOOLBARCLASSNAMEA, 0, dwStyle, ctrlStyle, pParentWnd, nID)) return FALSE;
  m_ctrl.m_hWnd = m_hWnd;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

void CToolBar::SetBarStyle(DWORD dwStyle) {
  CControlBar::SetBarStyle(dwStyle);
  if (m_hWnd) {
    const DWORD style = GetStyle();
    if ((dwStyle & CBRS_TOOLTIPS) && !(style & TBSTYLE_TOOLTIPS)) ModifyStyle(0, TBSTYLE_TOOLTIPS);
  }
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
  HINSTANCE instance = AfxGetResourceHandle();
  HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(kToolbarResource));
  if (!resource) return FALSE;
  HGLOBAL loaded = ::LoadResource(instance, resource);
  const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  const DWORD size = ::SizeofResource(instance, resource);
  if (!data) return FALSE;
  // Two layouts exist: the classic one (16-bit version 1, image width and height, count,
  // ids) and the one GNU windres writes (32-bit width, height, count, ids, no version).
  auto word = [data](size_t i) { return static_cast<DWORD>(data[2 * i] | (data[2 * i + 1] << 8)); };
  auto dword = [&word](size_t i) { return word(2 * i) | (word(2 * i + 1) << 16); };
  DWORD width = 0, height = 0, count = 0;
  std::vector<UINT> ids;
  if (size >= 12 && dword(0) < 0x10000 && size == 12 + 4 * static_cast<ULONGLONG>(dword(2))) {
    width = dword(0);
    height = dword(1);
    count = dword(2);
    for (DWORD i = 0; i < count; ++i) ids.push_back(dword(3 + i));
  } else if (size >= 8 && word(0) == 1 && size >= 8 + 2 * word(3)) {
    width = word(1);
    height = word(2);
    count = word(3);
    for (DWORD i = 0; i < count; ++i) ids.push_back(word(4 + i));
  } else {
    return FALSE;
  }
  if (width == 0 || height == 0) return FALSE;
  if (!SetButtons(ids.data(), static_cast<int>(count))) return FALSE;
  SetSizes(CSize(static_cast<int>(width) + 7, static_cast<int>(height) + 7),
           CSize(static_cast<int>(width), static_cast<int>(height)));
  return LoadBitmap(nIDResource);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource) {
  HINSTANCE instance = AfxGetResourceHandle();
  HBITMAP probe = ::LoadBitmapA(instance, MAKEINTRESOURCEA(nIDResource));
  if (!probe) return FALSE;
  BITMAP info = {};
  ::GetObjectA(probe, sizeof info, &info);
  ::DeleteObject(probe);
  const int images = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
  // The control loads the bitmap itself, mapping its greys to the system's colours.
  if (m_bBitmapLoaded) {
    TBREPLACEBITMAP replace = {};
    replace.hInstOld = instance;
    replace.nIDOld = nIDResource;
    replace.hInstNew = instance;
    replace.nIDNew = nIDResource;
    replace.nButtons = images;
    return static_cast<BOOL>(SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)));
  }
  TBADDBITMAP add = {instance, nIDResource};
  if (SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&add)) < 0) return FALSE;
  m_bBitmapLoaded = TRUE;
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  while (m_ctrl.GetButtonCount() > 0) m_ctrl.DeleteButton(0);
  std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount > 0 ? nIDCount : 0));
  int image = 0;
  for (size_t i = 0; i < buttons.size(); ++i) {
    TBBUTTON& button = buttons[i];
    if (lpIDArray && lpIDArray[i] != ID_SEPARATOR) {
      button.iBitmap = image++;
      button.idCommand = static_cast<int>(lpIDArray[i]);
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = TBSTYLE_BUTTON;
    } else {
      button.iBitmap = kSeparatorWidth;
      button.fsStyle = TBSTYLE_SEP;
    }
  }
  if (!buttons.empty() && !m_ctrl.AddButtons(nIDCount, buttons.data())) return FALSE;
  return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  if (!m_hWnd) return;
  m_ctrl.SetBitmapSize(sizeImage);
  m_ctrl.SetButtonSize(sizeButton);
  m_ctrl.AutoSize();
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON button = {};
  m_ctrl.GetButton(nIndex, &button);
  return static_cast<UINT>(button.idCommand);
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
  TBBUTTON button = {};
  if (!m_ctrl.GetButton(nIndex, &button)) return 0;
  return (button.fsStyle | (static_cast<UINT>(button.fsState) << 8)) ^ TBBS_DISABLED;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  TBBUTTON button = {};
  if (!m_ctrl.GetButton(nIndex, &button)) return;
  const UINT flipped = nStyle ^ TBBS_DISABLED;
  const BYTE style = LOBYTE(flipped);
  const BYTE state = static_cast<BYTE>(flipped >> 8);
  if (button.fsStyle == style && button.fsState == state) return;
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
  info.fsStyle = style;
  info.fsState = state;
  SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
  if ((button.fsState ^ state) & (TBSTATE_WRAP | TBSTATE_HIDDEN) || (button.fsStyle ^ style) & TBSTYLE_SEP) {
    m_ctrl.AutoSize();
    Invalidate();
  }
}

BOOL CToolBar::SetState(int nIndex, BYTE state) {
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_STATE;
  info.fsState = state;
  return static_cast<BOOL>(SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info)));
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  TBBUTTON button = {};
  m_ctrl.GetButton(nIndex, &button);
  nID = static_cast<UINT>(button.idCommand);
  nStyle = GetButtonStyle(nIndex);
  iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
  TBBUTTON button = {};
  if (!m_ctrl.GetButton(nIndex, &button)) return;
  const UINT flipped = nStyle ^ TBBS_DISABLED;
  button.idCommand = static_cast<int>(nID);
  button.fsStyle = LOBYTE(flipped);
  button.fsState = static_cast<BYTE>(flipped >> 8);
  button.iBitmap = iImage;
  // The control cannot change a separator's width in place.
  m_ctrl.DeleteButton(nIndex);
  m_ctrl.InsertButton(nIndex, &button);
  m_ctrl.AutoSize();
  Invalidate();
}

void CToolBar::SetWrapAll(bool wrap) {
  const int count = m_ctrl.GetButtonCount();
  bool changed = false;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    m_ctrl.GetButton(i, &button);
    // The last button never wraps: nothing follows it.
    const bool wanted = wrap && i < count - 1;
    const BYTE state = wanted ? (button.fsState | TBSTATE_WRAP) : (button.fsState & ~TBSTATE_WRAP);
    if (state != button.fsState) {
      SetState(i, state);
      changed = true;
    }
  }
  if (changed) {
    m_ctrl.AutoSize();
    Invalidate();
  }
}

CSize CToolBar::ContentSize() const {
  CRect bounds;
  const int count = m_ctrl.GetButtonCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    m_ctrl.GetButton(i, &button);
    if (button.fsState & TBSTATE_HIDDEN) continue;
    CRect item;
    if (m_ctrl.GetItemRect(i, &item)) bounds.UnionRect(&bounds, &item);
  }
  return CSize(bounds.right, bounds.bottom);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  const CRect insets = GetBarInsets(bHorz);
  const CSize content = ContentSize();
  CSize size(content.cx + insets.left + insets.right, content.cy + insets.top + insets.bottom);
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode) {
  const bool horz = (nMode & LM_HORZ) != 0 || (nMode & LM_HORZDOCK) != 0;
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) SetWrapAll(!horz);
  return CalcFixedLayout((nMode & LM_STRETCH) != 0, horz);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state(this);
  state.m_pOther = this;
  const int count = m_ctrl.GetButtonCount();
  state.m_nIndexMax = static_cast<UINT>(count);
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    m_ctrl.GetButton(i, &button);
    if (button.fsStyle & TBSTYLE_SEP) continue;
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = static_cast<UINT>(button.idCommand);
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  // Controls placed on the bar (combo boxes in place of separators).
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
