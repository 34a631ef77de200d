// Every message box of the programs goes through AfxMessageBox, and AfxMessageBox goes
// through one replaceable sink, so that tests capture the text and give the answer
// instead of a modal box waiting for a user.
#pragma once

#include <functional>

#include "framework/core/String.h"

// Receives the text and the MB_ flags; returns the button pressed (IDOK, IDYES, ...).
using MessageBoxSink = std::function<int(const CString& text, UINT flags)>;

int AfxMessageBox(const char* text, UINT flags = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT flags = MB_OK, UINT helpId = static_cast<UINT>(-1));

// Installs a sink and returns the previous one; an empty sink restores the real box.
MessageBoxSink AfxSetMessageBoxSink(MessageBoxSink sink);

// The caption and owner of real message boxes (the application's title and main window).
void AfxSetMessageBoxOwner(HWND owner, const CString& caption);

// A box with its own caption and owner (a device's error box), through the same sink.
int AfxMessageBoxWithCaption(HWND owner, const char* text, const char* caption, UINT flags);

// The caption and owner of the box being shown: a sink asks while it answers. Boxes
// without their own give the application's caption and main window.
struct MessageBoxDetails {
  CString caption;
  HWND owner = nullptr;
};
const MessageBoxDetails& AfxCurrentMessageBox();
