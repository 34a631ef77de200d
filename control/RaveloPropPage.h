// CRaveloPropPage: the control's property page ("General"), which names the maker.
#pragma once

#include "framework/ole/OleObjectFactoryEx.h"
#include "framework/ole/OlePropertyPage.h"

class CRaveloPropPage : public COlePropertyPage {
 public:
  CRaveloPropPage();

  static COleObjectFactoryEx& Factory();
  static BOOL UpdateRegistry(BOOL bRegister);

  void DoDataExchange(CDataExchange* pDX) override {}
};
