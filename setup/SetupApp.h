// CSetupApp: setup's application. Its one window is the installation dialog; the
// program ends when the dialog closes.
#pragma once

#include "framework/ui/WinApp.h"

class CSetupApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  // Nothing to save: setup leaves no settings behind.
  int ExitInstance() override { return 0; }
};
