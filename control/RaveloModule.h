// CRaveloModule: the control DLL's application object.
#pragma once

#include "framework/ole/OleControlModule.h"

class CRaveloModule : public COleControlModule {
 public:
  BOOL InitInstance() override { return COleControlModule::InitInstance(); }
  int ExitInstance() override { return COleControlModule::ExitInstance(); }
};
