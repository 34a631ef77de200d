// The FTP dialogs' addresses and remote paths, as plain functions.
#pragma once

#include "framework/core/String.h"

// An address split into its server and its remote folder.
struct FtpAddress {
  CString server;
  CString folder;  // relative to the login folder, or "/"
};

// "ftp://" (any case) optional, the server, then an optional "/" and remote folder: the
// prefix and one trailing "/" are dropped; the text before the first "/" left is the
// server and the text after it the folder ("/" when there is none).
FtpAddress SplitFtpAddress(const CString& address);

// The folder above a remote path ("/a/b" gives "/a", "/a" gives "/"); FALSE for "/".
BOOL FtpParentPath(const CString& path, CString& parent);
// The path of an entry of a remote folder.
CString FtpChildPath(const CString& folder, const CString& name);
// The address a chosen remote folder stands for: "ftp://" + server, plus the path
// unless it is "/".
CString FtpFolderAddress(const CString& server, const CString& path);
