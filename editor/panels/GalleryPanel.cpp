#include "editor/panels/GalleryPanel.h"

#include <windows.h>

#include "editor/DrawApp.h"
#include "framework/core/Codepage.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Menu.h"
#include "model/DrawObj.h"
#include "model/ObjLib.h"
#include "resources/KordelIds.h"

namespace {

// Patterns of each file kind, in the order they are searched.
const char* const kShapePatterns[] = {"*.wmf", "*.emf"};
const char* const kPicturePatterns[] = {"*.bmp", "*.gif", "*.jpg", "*.jpeg", "*.png", "*.tiff", "*.tif"};
const char* const kSoundPatterns[] = {"*.wav", "*.mid", "*.mp3"};
const char* const kVideoPatterns[] = {"*.avi", "*.dat", "*.mpg", "*.mpeg", "*.swf", "*.rm", "*.ra", "*.rp", "*.rmj"};

// The tab's text holds at most this many bytes of the library's description.
constexpr int kTabTextBytes = 119;

// The first bytes of the text, at most max, not ending inside a double-byte character.
CString CutAtCharacter(const CString& text, int max) {
  const char* s = text.GetString();
  int n = 0;
  while (n < text.GetLength()) {
    const int step = ::IsDBCSLeadByteEx(936, static_cast<BYTE>(s[n])) && n + 1 < text.GetLength() ? 2 : 1;
    if (n + step > max) break;
    n += step;
  }
  return text.Left(n);
}

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

CGalleryPanel::CGalleryPanel() : CResizableDialog(IDD_GALLERY_PANEL) {
  MapNotify(TCN_SELCHANGE, IDC_GALLERY_TABS, &CGalleryPanel::OnTabChange);
}

void CGalleryPanel::DoDataExchange(CDataExchange* pDX) {
  CResizableDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GALLERY_TABS, m_tab);
}

BOOL CGalleryPanel::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  m_resizer.Init(this, 10);
  m_resizer.AddControl(&m_tab, CDlgResizer::kStretch, CDlgResizer::kStretch);
  const UINT texts[CWndImage::kKinds] = {IDS_GALLERY_SHAPES, IDS_GALLERY_PICTURES, IDS_GALLERY_SOUNDS,
                                         IDS_GALLERY_VIDEO, IDS_GALLERY_COMPONENTS};
  for (int kind = 0; kind < CWndImage::kKinds; ++kind) m_tab.InsertItem(kind, LoadText(texts[kind]));

  CRect header, client;
  m_tab.GetItemRect(0, &header);
  GetClientRect(&client);
  const CRect rect(client.left + 2, client.top + 2, client.right - 32, client.bottom - header.Height() - 24);
  const CDrawApp* app = GetDrawApp();
  const int cellWidth = app ? app->m_nThumbWidth : 64, cellHeight = app ? app->m_nThumbHeight : 64;
  for (int kind = 0; kind < CWndImage::kKinds; ++kind) {
    CWndImage& window = m_windows[kind];
    window.Create(rect, 2, 2, cellWidth, cellHeight, this);
    FillTab(kind);
    window.SetKind(kind);
    window.UpdateScrollBar();
    window.ShowWindow(SW_HIDE);
    m_resizer.AddControl(&window, CDlgResizer::kStretch, CDlgResizer::kStretch);
  }
  m_windows[0].ShowWindow(SW_SHOW);
  return TRUE;
}

int CGalleryPanel::ScanFolder(int kind, const CString& folder, const char* const* patterns, int count) {
  CWndImage& window = m_windows[kind];
  window.m_fileNames.RemoveAll();
  const CString base = folder.IsEmpty() || folder.Right(1) == "\\" ? folder : folder + "\\";
  int added = 0;
  for (int i = 0; i < count; ++i) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(base + patterns[i], &found);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      window.m_fileNames.Add(CString(found.cFileName));
      ++added;
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  return added;
}

void CGalleryPanel::FillTab(int kind) {
  const CDrawApp* app = GetDrawApp();
  if (kind < 0 || kind >= CWndImage::kKinds || !app) return;
  CWndImage& window = m_windows[kind];
  window.m_bDirty = TRUE;
  switch (kind) {
    case CWndImage::kShapes:
      ScanFolder(kind, app->m_strShapesFolder, kShapePatterns, static_cast<int>(std::size(kShapePatterns)));
      return;
    case CWndImage::kPictures:
      ScanFolder(kind, app->m_strPicturesFolder, kPicturePatterns, static_cast<int>(std::size(kPicturePatterns)));
      return;
    case CWndImage::kSounds:
      ScanFolder(kind, app->m_strSoundsFolder, kSoundPatterns, static_cast<int>(std::size(kSoundPatterns)));
      return;
    case CWndImage::kVideo:
      ScanFolder(kind, app->m_strVideoFolder, kVideoPatterns, static_cast<int>(std::size(kVideoPatterns)));
      return;
    default:
      break;
  }

  window.DeleteObjects();
  CString path = app->m_strComponentLibrary;
  path.MakeLower();
  if (path.IsEmpty() || path.Right(4) != ".lib") return;
  CObjLib lib;
  try {
    lib.LoadFile(path);
  } catch (const CException& e) {
    // The objects read before the failure belong to nobody else.
    lib.DeleteObjects();
    AfxMessageBox(e.GetErrorMessage(), MB_ICONEXCLAMATION);
    return;
  }
  if (!lib.m_bValid) {
    lib.DeleteObjects();
    return;
  }
  for (POSITION pos = lib.m_objects.GetHeadPosition(); pos;)
    window.m_objects.push_back(static_cast<CDrawObj*>(lib.m_objects.GetNext(pos)));
  lib.m_objects.RemoveAll();
  window.m_strDescription = lib.m_strDescription;
  SetTabText(kind, CutAtCharacter(lib.m_strDescription, kTabTextBytes));
}

void CGalleryPanel::SetTabText(int tab, const CString& text) {
  if (!m_tab.m_hWnd) return;
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(text.GetString());
  m_tab.SetItem(tab, &item);
}

void CGalleryPanel::OnTabChange(NMHDR*, LRESULT* pResult) {
  const int selected = m_tab.GetCurSel();
  for (CWndImage& window : m_windows) window.ShowWindow(SW_HIDE);
  if (selected >= 0 && selected < CWndImage::kKinds) {
    m_windows[selected].SetKind(selected);
    m_windows[selected].ShowWindow(SW_SHOW);
  }
  *pResult = 0;
}

void CGalleryPanel::OnContextMenu(CWnd*, CPoint pos) {
  CMenu menu;
  if (!menu.LoadMenu(IDR_MENU_GALLERY)) return;
  // The settings command goes to the active view through the main window.
  menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pos.x, pos.y, AfxGetMainWnd());
}
