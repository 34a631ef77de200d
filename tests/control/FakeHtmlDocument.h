// A stand-in for a browser's HTML document, for the control's tests: it answers
// get_URL (with the text given, or a null string) and nothing else.
#pragma once

#include <windows.h>

#include <string>

// An IHTMLDocument2 with one reference; url null gives a null URL.
IUnknown* CreateFakeHtmlDocument(const wchar_t* url);
