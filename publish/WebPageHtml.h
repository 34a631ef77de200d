// The web page that embeds the browser control with a programme's home page, as plain
// functions: the text is what the web-page dialog writes in text mode.
#pragma once

#include "framework/core/String.h"

// The control's class id, as the object tag names it.
inline constexpr char kControlClassId[] = "A20B200F-6970-11D6-8AC4-00E04CDD25EA";
// Where the control's cabinet lies on its download server.
inline constexpr char kCabinetPath[] = "/kelvane/kelvanectrl/kelvanectrl.cab";

// The text with "&", "'", '"', "<" and ">" written as entities (the other bytes, double-
// byte characters among them, as they are).
CString HtmlEscape(const char* text);

// The page's fifteen lines, each but the last ending in "\n". The object downloads the
// control from "http://" + cabinetHost + kCabinetPath; without a host the object has no
// codebase (a browser would resolve a bare path against the page's own folder).
CString WebPageText(const CString& homePage, const CString& cabinetHost);
