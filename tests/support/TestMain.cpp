// Test entry point: GDI+ started as the programs start it, and a message box or other
// modal window nobody asked for fails the test instead of waiting for a click that
// never comes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "framework/core/Codepage.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/ModalSink.h"
#include "graphics/GdiplusSession.h"

namespace {

// A second process of a test that needs the clipboard held by another program: opens
// it, signals the first event and keeps it open until the second one is set.
int HoldClipboard(const char* heldEvent, const char* releaseEvent) {
  HANDLE held = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, heldEvent);
  HANDLE release = ::OpenEventA(SYNCHRONIZE, FALSE, releaseEvent);
  if (!held || !release || !::OpenClipboard(nullptr)) return 1;
  ::SetEvent(held);
  ::WaitForSingleObject(release, 60000);
  ::CloseClipboard();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--hold-clipboard") == 0) return HoldClipboard(argv[2], argv[3]);
  testing::InitGoogleTest(&argc, argv);
  // Pictures and drawing need GDI+ started, as every program starts it; it is shut
  // down after the last test has released its pictures.
  CGdiplusSession gdiplus;
  if (!gdiplus.IsStarted()) {
    std::fprintf(stderr, "GDI+ did not start (status %d)\n", static_cast<int>(gdiplus.GetStatus()));
    return 1;
  }
  AfxSetMessageBoxSink([](const CString& text, UINT) {
    // Print as UTF-8 so the text reads on the Linux side of Wine.
    std::wstring wide = codepage::ToWide(text.str());
    std::string utf8(wide.size() * 4 + 1, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                                static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(n > 0 ? static_cast<size_t>(n) : 0);
    ADD_FAILURE() << "unexpected message box: " << utf8;
    return IDCANCEL;
  });
  AfxSetModalSink([](ModalCall& call) -> INT_PTR {
    ADD_FAILURE() << "unexpected modal window of kind " << call.kind << " (id " << call.id << ")";
    return IDCANCEL;
  });
  return RUN_ALL_TESTS();
}
