// CFtpBrowseDlg: chooses a folder on an FTP server by walking its folders: a double
// click enters one, the up button goes to the folder above; OK gives the chosen folder's
// address. Every listing is a new connection, read fresh from the server.
#pragma once

#include <vector>

#include "framework/ui/Bitmap.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/ImageList.h"
#include "framework/ui/ListCtrl.h"

class CFtpBrowseDlg : public CDialog {
 public:
  CFtpBrowseDlg(const CString& server, const CString& user, const CString& password, int port,
                const CString& currentPath, CWnd* pParent = nullptr);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

  void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
  void OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult);
  void OnUp();

  // Lists the sub-folders of the path and makes it the current and the chosen path. A
  // failure is shown in the library's message, and the list and the paths stay as they
  // were.
  void ListRemoteDirectory(const CString& path);
  // The names of the path's sub-folders, in the server's order; throws
  // CInternetException.
  std::vector<CString> ReadRemoteFolders(const CString& path) const;

  CString m_strServer;
  CString m_strUser;
  CString m_strPassword;
  int m_nPort;
  CString m_strCurrentPath;   // always begins with "/"
  CString m_strChosenPath;    // 1004
  CString m_strResultAddress;
  CListCtrl m_folderList;     // 1034

 private:
  CImageList m_images;
  CBitmap m_upBitmap;
};
