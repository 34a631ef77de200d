#include "publish/FtpBrowseDlg.h"

#include <memory>

#include "framework/core/Module.h"

#include "framework/net/FtpConnection.h"
#include "framework/net/FtpFileFind.h"
#include "framework/net/InternetException.h"
#include "framework/net/InternetSession.h"
#include "framework/ui/DataExchange.h"
#include "publish/FtpPaths.h"
#include "resources/KordelIds.h"

CFtpBrowseDlg::CFtpBrowseDlg(const CString& server, const CString& user, const CString& password, int port,
                             const CString& currentPath, CWnd* pParent)
    : CDialog(IDD_FTP_BROWSE, pParent), m_strServer(server), m_strUser(user), m_strPassword(password),
      m_nPort(port), m_strCurrentPath(currentPath) {
  MapCommand(IDC_FTP_UP, &CFtpBrowseDlg::OnUp);
  MapNotify(LVN_ITEMCHANGED, IDC_FTP_LIST, &CFtpBrowseDlg::OnItemChanged);
  MapNotify(NM_DBLCLK, IDC_FTP_LIST, &CFtpBrowseDlg::OnDblclkList);
}

void CFtpBrowseDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_FTP_LIST, m_folderList);
  DDX_Text(pDX, IDC_FTP_ADDRESS, m_strChosenPath);
}

BOOL CFtpBrowseDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_upBitmap.LoadBitmap(IDB_FTP_UP)) {
    ::SendDlgItemMessageA(m_hWnd, IDC_FTP_UP, BM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(static_cast<HBITMAP>(m_upBitmap)));
  }
  if (m_images.Create(32, 32, ILC_COLOR24, 0, 1)) {
    m_images.SetBkColor(RGB(255, 255, 255));
    if (HICON folder = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_FTP_FOLDER),
                                                       IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR))) {
      m_images.Add(folder);
      ::DestroyIcon(folder);
    }
    m_folderList.SetImageList(m_images, LVSIL_NORMAL);
  }
  if (m_strCurrentPath.Left(1) != "/") m_strCurrentPath = "/" + m_strCurrentPath;
  m_strChosenPath = m_strCurrentPath;
  UpdateData(FALSE);
  ListRemoteDirectory(m_strCurrentPath);
  return TRUE;
}

std::vector<CString> CFtpBrowseDlg::ReadRemoteFolders(const CString& path) const {
  CInternetSession session;
  const std::unique_ptr<CFtpConnection> connection = session.GetFtpConnection(
      m_strServer, m_strUser, m_strPassword, static_cast<INTERNET_PORT>(m_nPort), FALSE);
  if (!connection->SetCurrentDirectory(path)) AfxThrowInternetException(session.GetContext());
  std::vector<CString> folders;
  CFtpFileFind find(connection.get());
  BOOL more = find.FindFile("*", INTERNET_FLAG_RELOAD);
  if (!more && ::GetLastError() != ERROR_NO_MORE_FILES) AfxThrowInternetException(session.GetContext());
  while (more) {
    more = find.FindNextFile();
    // "." and ".." would lead to paths the up button cannot walk back.
    if (find.IsDirectory() && !find.IsDots()) folders.push_back(find.GetFileName());
  }
  return folders;
}

void CFtpBrowseDlg::ListRemoteDirectory(const CString& path) {
  std::vector<CString> folders;
  try {
    folders = ReadRemoteFolders(path);
  } catch (const CInternetException& error) {
    error.ReportError(MB_ICONEXCLAMATION);
    return;
  }
  m_folderList.DeleteAllItems();
  int row = 0;
  for (const CString& name : folders) m_folderList.InsertItem(row++, name, 0);
  m_strCurrentPath = m_strChosenPath = path;
  UpdateData(FALSE);
}

void CFtpBrowseDlg::OnItemChanged(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  LISTPOSITION pos = m_folderList.GetFirstSelectedItemPosition();
  const CString name = pos ? m_folderList.GetItemText(m_folderList.GetNextSelectedItem(pos), 0) : CString();
  m_strChosenPath = name.IsEmpty() ? m_strCurrentPath : FtpChildPath(m_strCurrentPath, name);
  UpdateData(FALSE);
}

void CFtpBrowseDlg::OnDblclkList(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  LISTPOSITION pos = m_folderList.GetFirstSelectedItemPosition();
  if (!pos) return;
  ListRemoteDirectory(FtpChildPath(m_strCurrentPath, m_folderList.GetItemText(m_folderList.GetNextSelectedItem(pos), 0)));
}

void CFtpBrowseDlg::OnUp() {
  CString parent;
  if (FtpParentPath(m_strCurrentPath, parent)) ListRemoteDirectory(parent);
}

void CFtpBrowseDlg::OnOK() {
  m_strResultAddress = FtpFolderAddress(m_strServer, m_strChosenPath);
  EndDialog(IDOK);
}
