#include <gtest/gtest.h>

#include <ole2.h>

#include <string>

#include "model/Method.h"
#include "control/ControlHost.h"
#include "control/RaveloCtrl.h"
#include "control/ThreadContextMap.h"
#include "framework/core/Codepage.h"
#include "framework/core/ComPtr.h"
#include "framework/ui/View.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "resources/ModelStrings.h"
#include "tests/control/HelperProgram.h"
#include "tests/control/HtmlHostWindow.h"
#include "tests/control/RecordingSite.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

TEST(ControlHostTest, OnlyALocalHostPageAllowsLocalAccess) {
  struct Row {
    const char* address;
    BOOL local;
  } rows[] = {
      {"file://C:\\t\\web\\index.htm", TRUE},
      {"FILE:///c:/web/index.htm", TRUE},
      {"file://\\\\srv\\share\\index.htm", TRUE},
      {"http://web/course/index.htm", FALSE},
      {"HTTP://WEB/INDEX.HTM", FALSE},
      {"https://web/index.htm", FALSE},
      {"ftp://web/index.htm", FALSE},
      {"files://c:/index.htm", FALSE},
      {"file", FALSE},
      {"", FALSE},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.address);
    EXPECT_EQ(row.local, CControlHost::IsLocalHostAddress(row.address));
  }
  // Without a control on the thread nothing is allowed.
  CControlHost host;
  EXPECT_FALSE(host.AllowsLocalAccess());
  EXPECT_EQ(nullptr, host.GetActiveView());
  EXPECT_EQ(nullptr, host.GetDocument());
  EXPECT_EQ(2, host.GetSmoothingMode());
}

// A page object with one run-program action, stepped under a control hosted by a page
// of the given address.
bool RunsProgramUnder(const wchar_t* hostAddress, MessageBoxCapture& boxes) {
  ::OleInitialize(nullptr);
  HelperProgram helper;
  HtmlHostWindow page(hostAddress);
  RecordingSite site(page.container());
  auto* control = new CRaveloCtrl;
  ComPtr<IOleObject> ole(static_cast<IOleObject*>(control));
  control->AddRef();
  ole->SetClientSite(&site);
  RECT position = {0, 0, 300, 200};
  EXPECT_EQ(S_OK, ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, page.container(), &position));
  EXPECT_EQ(CString(codepage::FromWide(std::wstring(hostAddress))), control->GetHostAddress());

  CDrawRect object(CRect(-10, 10, 10, -10));
  CMethod run;
  run.m_nType = CMethod::typeRunProgram;
  run.m_strName = "run";
  run.m_nStart = 0;
  run.m_nDuration = 10;
  run.m_nExtraTime = 0;
  run.m_nActivation = 0;
  run.m_strTarget = CString(codepage::FromWide(helper.program));
  object.m_actionMask |= run.m_nType;
  object.m_actions.Add(run);
  object.StepRunProgram(1, nullptr);  // a program starts on the frame after its start
  const bool ran = helper.Ran();
  ole->Close(OLECLOSE_NOSAVE);
  (void)boxes;
  return ran;
}

TEST(ControlHostTest, APageUnderAWebHostRunsNoProgram) {
  MessageBoxCapture boxes;
  EXPECT_FALSE(RunsProgramUnder(L"http://web/course/index.htm", boxes));
  ASSERT_EQ(1u, boxes.boxes().size());
  CString refused;
  refused.LoadString(IDS_PROGRAM_REFUSED);
  EXPECT_EQ(0, boxes.boxes()[0].text.Find(refused.Left(refused.Find('%'))));
}

TEST(ControlHostTest, APageUnderALocalHostRunsItsProgram) {
  MessageBoxCapture boxes;
  EXPECT_TRUE(RunsProgramUnder(L"file://C:\\t\\web\\index.htm", boxes));
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
