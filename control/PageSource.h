// PageSource: where the control reads a page from. The control's SRC (or a page name
// from a jump) is resolved against the folder of the web page that hosts it: a local
// file beside a page opened from disk or a share, or an address on the web server.
//
// Web addresses keep their case (many servers tell names apart by case); local paths
// are compared and opened lower-cased, as Windows names them. A page served from the
// web may not reach the local disk or a share.
#pragma once

#include "framework/core/String.h"

struct PageSource {
  // How the base folder was found.
  enum BaseKind { noBase = 0, webBase = 2, driveBase = 4, networkBase = 8 };
  enum Action {
    nothing,       // not a page, or no base: nothing is loaded
    download,      // target is an address
    openFile,      // target is a local path
    refused,       // a local or network path under a web base
    unknownBase,   // a relative name against a base of no known kind
  };

  int baseKind = noBase;
  // The folder, ending in its separator ("\" local, "/" web); empty without a base.
  CString base;
  Action action = nothing;
  CString target;
};

// SRC against the hosting page's address.
PageSource ResolvePageSource(const CString& hostAddress, const CString& src);
// A page name from a jump against the base found when the page was loaded; a relative
// name counts whatever its ending.
PageSource ResolvePageName(int baseKind, const CString& base, const CString& name);
// The base of a hosting page's address; kind noBase for another scheme or none.
PageSource ResolveHostBase(const CString& hostAddress);
