// Test entry point: GDI+ started as the programs start it, and a message box nobody
// asked for fails the test instead of waiting for a click that never comes.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "framework/core/Codepage.h"
#include "framework/core/MessageBox.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Pictures and drawing need GDI+ started, as every program starts it.
  Gdiplus::GdiplusStartupInput gdiplusInput;
  ULONG_PTR gdiplusToken = 0;
  Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
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
  const int result = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(gdiplusToken);
  return result;
}
