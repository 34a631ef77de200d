#include "publish/FtpPaths.h"

FtpAddress SplitFtpAddress(const CString& address) {
  CString rest = address;
  static const char kPrefix[] = "ftp://";
  const int prefixLength = static_cast<int>(sizeof kPrefix - 1);
  if (rest.GetLength() >= prefixLength && rest.Left(prefixLength).CompareNoCase(kPrefix) == 0)
    rest = rest.Mid(prefixLength);
  // The prefix first: "ftp://" alone names no server.
  if (rest.Right(1) == "/") rest = rest.Left(rest.GetLength() - 1);
  FtpAddress split;
  const int slash = rest.Find('/');
  if (slash < 0) {
    split.server = rest;
    split.folder = "/";
  } else {
    split.server = rest.Left(slash);
    split.folder = rest.Mid(slash + 1);
    // "ftp://h//" leaves nothing after the server's "/": the root.
    if (split.folder.IsEmpty()) split.folder = "/";
  }
  return split;
}

BOOL FtpParentPath(const CString& path, CString& parent) {
  if (path == "/") return FALSE;
  const int slash = path.ReverseFind('/');
  parent = slash > 0 ? path.Left(slash) : CString("/");
  return TRUE;
}

CString FtpChildPath(const CString& folder, const CString& name) {
  return folder.Right(1) == "/" ? folder + name : folder + "/" + name;
}

CString FtpFolderAddress(const CString& server, const CString& path) {
  return path == "/" ? "ftp://" + server : "ftp://" + server + path;
}
