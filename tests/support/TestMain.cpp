// Test entry point: GDI+ started as the programs start it, and a message box or other
// modal window nobody asked for fails the test instead of waiting for a click that
// never comes.
#include <gtest/gtest.h>

#include <cstdio>

#include "framework/core/Codepage.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/ModalSink.h"
#include "graphics/GdiplusSession.h"

int main(int argc, char** argv) {
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
