#include "control/RaveloPropPage.h"

#include "control/RaveloIds.h"
#include "framework/ole/OleControlModule.h"
#include "framework/ole/OleRegistration.h"
#include "resources/Tamrix.h"

namespace {

IUnknown* CreateRaveloPropPage() {
  auto* page = new CRaveloPropPage;
  IUnknown* unknown = static_cast<IPropertyPage*>(page);
  unknown->AddRef();
  return unknown;
}

COleObjectFactoryEx g_pageFactory(kRaveloPropPageClsid, kRaveloPropPageProgId, &CreateRaveloPropPage,
                                  &CRaveloPropPage::UpdateRegistry);

}  // namespace

CRaveloPropPage::CRaveloPropPage() : COlePropertyPage(IDD_PROPPAGE_RAVELO, IDS_RAVELO_PPG_CAPTION) {}

COleObjectFactoryEx& CRaveloPropPage::Factory() { return g_pageFactory; }

BOOL CRaveloPropPage::UpdateRegistry(BOOL bRegister) {
  if (!bRegister) return AfxOleUnregisterClass(kRaveloPropPageClsid, nullptr);
  return AfxOleRegisterPropertyPageClass(AfxGetControlInstance(), kRaveloPropPageClsid, IDS_RAVELO_PPG);
}
