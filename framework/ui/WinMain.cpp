// The entry point of a program built on the framework: link the framework_winmain
// object library into the executable (a static library's WinMain would be looked for
// too late by the linker).
#include "framework/ui/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
