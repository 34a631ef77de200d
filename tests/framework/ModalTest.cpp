// Dialogs, file dialogs, the folder browser, help and pop-up menus all go through the
// modal sink: a test sees each call and answers it, or lets the real window run and
// drives it.
#include <gtest/gtest.h>

#include "framework/ui/DataExchange.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FolderBrowser.h"
#include "framework/ui/HtmlHelp.h"
#include "framework/ui/Menu.h"
#include "framework/ui/PropertyPage.h"
#include "tests/framework/UiTestClasses.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

// The test dialog: a name, a number from 0 to 100 and a check box. When it opens it
// records what its controls show, types the script's values and presses the buttons.
class CTestDialog : public CDialog {
 public:
  CTestDialog() : CDialog(IDD_TEST_DIALOG) {}

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_TEST_NAME, m_name);
    DDX_Text(pDX, IDC_TEST_NUMBER, m_number);
    DDV_MinMaxInt(pDX, m_number, 0, 100);
    DDX_Check(pDX, IDC_TEST_CHECK, m_check);
  }

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    GetDlgItemText(IDC_TEST_NAME, m_shownName);
    GetDlgItemText(IDC_TEST_NUMBER, m_shownNumber);
    SetDlgItemText(IDC_TEST_NAME, m_typeName);
    SetDlgItemText(IDC_TEST_NUMBER, m_typeNumber);
    CheckDlgButton(IDC_TEST_CHECK, BST_CHECKED);
    for (UINT button : m_press) PostMessage(WM_COMMAND, button);
    return TRUE;
  }

  CString m_name = "旧名";
  int m_number = 7;
  int m_check = 0;
  CString m_shownName, m_shownNumber;
  CString m_typeName, m_typeNumber;
  std::vector<UINT> m_press;
};

TEST(ModalDialog, TheSinkAnswersInsteadOfAWindow) {
  ModalCapture dialogs([](ModalCall&) { return static_cast<INT_PTR>(IDOK); });
  CDialog dialog(IDD_TEST_DIALOG);
  EXPECT_EQ(IDOK, dialog.DoModal());
  ASSERT_EQ(1u, dialogs.calls().size());
  EXPECT_EQ(ModalCall::dialog, dialogs.calls()[0].kind);
  EXPECT_EQ(static_cast<UINT>(IDD_TEST_DIALOG), dialogs.calls()[0].id);
  EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(ModalDialog, TheRealDialogExchangesItsData) {
  ModalCapture dialogs([](ModalCall& call) { return call.show(); });
  CTestDialog dialog;
  dialog.m_typeName = "新名字";
  dialog.m_typeNumber = "42";
  dialog.m_press = {IDOK};
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_STREQ("旧名", dialog.m_shownName);
  EXPECT_STREQ("7", dialog.m_shownNumber);
  EXPECT_STREQ("新名字", dialog.m_name);
  EXPECT_EQ(42, dialog.m_number);
  EXPECT_EQ(1, dialog.m_check);
  EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(ModalDialog, AValueThatDoesNotValidateKeepsTheDialogOpen) {
  const struct {
    const char* typed;
    const char* message;
  } rows[] = {{"四十二", "请输入一个整数"}, {"500", "介于 0 和 100 之间"}, {"99999999999", "请输入一个整数"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    ModalCapture dialogs([](ModalCall& call) { return call.show(); });
    MessageBoxCapture box;
    CTestDialog dialog;
    dialog.m_typeNumber = row.typed;
    dialog.m_press = {IDOK, IDCANCEL};  // OK is refused, so Cancel still finds the dialog
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_EQ(1u, box.boxes().size());
    EXPECT_NE(-1, box.boxes()[0].text.Find(row.message));
  }
}

TEST_F(UiAppTest, APanelIsAChildDialogThatTakesItsKeysFirst) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  struct CPanel : CDialog {
    CPanel() { MapCommand(IDC_TEST_PANEL_BUTTON, &CPanel::OnButton); }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_TEST_NAME, m_name); }
    void OnButton() { UiLog().push_back("panel button"); }
    CString m_name;
  } panel;
  ASSERT_TRUE(panel.Create(IDD_TEST_PANEL, frame));
  EXPECT_EQ(frame->m_hWnd, ::GetParent(panel.m_hWnd));
  EXPECT_TRUE(panel.GetStyle() & WS_CHILD);

  panel.m_name = "属性";
  panel.UpdateData(FALSE);
  CString shown;
  panel.GetDlgItemText(IDC_TEST_NAME, shown);
  EXPECT_STREQ("属性", shown);
  panel.SetDlgItemText(IDC_TEST_NAME, "改了");
  EXPECT_TRUE(panel.UpdateData(TRUE));
  EXPECT_STREQ("改了", panel.m_name);

  HWND button = ::GetDlgItem(panel.m_hWnd, IDC_TEST_PANEL_BUTTON);
  panel.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_PANEL_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(std::vector<std::string>{"panel button"}, UiLog());

  // A key for the panel's edit goes to the dialog manager before the frame's
  // accelerators; one for the view does not.
  MSG tab = {::GetDlgItem(panel.m_hWnd, IDC_TEST_NAME), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(frame->m_hWnd, &tab));
  MSG other = {ActiveView()->m_hWnd, WM_KEYDOWN, 'A', 0x001E0001, 0, {0, 0}};
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(frame->m_hWnd, &other));
  panel.DestroyWindow();
}

TEST_F(UiAppTest, APropertyPageExchangesItsValuesAsItComesAndGoes) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  struct CPage : CPropertyPage {
    CPage() : CPropertyPage(IDD_TEST_PANEL) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_TEST_NAME, m_name); }
    CString m_name;
  } page;
  ASSERT_TRUE(page.CreatePage(frame));
  EXPECT_FALSE(page.IsWindowVisible());
  page.m_name = "渐变";
  EXPECT_TRUE(page.OnSetActive());
  CString shown;
  page.GetDlgItemText(IDC_TEST_NAME, shown);
  EXPECT_STREQ("渐变", shown);
  page.SetDlgItemText(IDC_TEST_NAME, "图案");
  EXPECT_TRUE(page.OnKillActive());
  EXPECT_STREQ("图案", page.m_name);

  // Enter and Escape inside a page leave it standing.
  page.SendMessage(WM_COMMAND, IDOK);
  page.SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_TRUE(::IsWindow(page.m_hWnd));
  page.DestroyWindow();
}

TEST(FileDialog, TheSinkSeesTheFilterAndGivesTheName) {
  ModalCapture dialogs([](ModalCall& call) {
    call.path = "C:\\课件\\第二课.tpg";
    return static_cast<INT_PTR>(IDOK);
  });
  CFileDialog dialog(TRUE, "tpg", "旧.tpg", OFN_HIDEREADONLY, "测试页 (*.tpg)|*.tpg|所有文件 (*.*)|*.*||");
  dialog.m_ofn.lpstrTitle = "打开页面";
  EXPECT_STREQ("测试页 (*.tpg)", dialog.m_ofn.lpstrFilter);
  EXPECT_STREQ("*.tpg", dialog.m_ofn.lpstrFilter + strlen("测试页 (*.tpg)") + 1);
  ASSERT_EQ(IDOK, dialog.DoModal());
  ASSERT_EQ(1u, dialogs.calls().size());
  const CapturedModal& call = dialogs.calls()[0];
  EXPECT_EQ(ModalCall::fileDialog, call.kind);
  EXPECT_TRUE(call.open);
  EXPECT_STREQ("打开页面", call.title);
  EXPECT_STREQ("测试页 (*.tpg)|*.tpg|所有文件 (*.*)|*.*||", call.text);
  EXPECT_STREQ("旧.tpg", call.path);
  EXPECT_STREQ("C:\\课件\\第二课.tpg", dialog.GetPathName());
  EXPECT_STREQ("第二课.tpg", dialog.GetFileName());
  EXPECT_STREQ("tpg", dialog.GetFileExt());
  EXPECT_STREQ("第二课", dialog.GetFileTitle());
}

TEST(FileDialog, TheRealDialogCallsItsHookWithTheDialogAsParent) {
  struct CDriven : CFileDialog {
    CDriven() : CFileDialog(TRUE) {}
    void OnInitDone() override {
      m_parent = ::GetParent(m_hWnd);
      char className[32] = {};
      ::GetClassNameA(m_parent, className, sizeof className);
      m_parentClass = className;
      ::PostMessageA(m_parent, WM_COMMAND, IDCANCEL, 0);
    }
    HWND m_parent = nullptr;
    CString m_parentClass;
  } dialog;
  ModalCapture dialogs([](ModalCall& call) { return call.show(); });
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_NE(nullptr, dialog.m_parent);
  EXPECT_STREQ("#32770", dialog.m_parentClass);  // the dialog, not the hook's child
  EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(FolderBrowser, TheSinkChoosesTheFolder) {
  ModalCapture dialogs([](ModalCall& call) {
    if (call.title == "选择素材文件夹") {
      call.path = "C:\\素材";
      return static_cast<INT_PTR>(IDOK);
    }
    return static_cast<INT_PTR>(IDCANCEL);
  });
  BROWSEINFOA info = {};
  info.lpszTitle = "选择素材文件夹";
  CString folder = "C:\\旧";
  EXPECT_TRUE(AfxBrowseForFolder(info, folder));
  EXPECT_STREQ("C:\\素材", folder);
  info.lpszTitle = "别的";
  EXPECT_FALSE(AfxBrowseForFolder(info, folder));
  EXPECT_STREQ("C:\\素材", folder);
  EXPECT_EQ(ModalCall::folderPicker, dialogs.calls()[0].kind);
  EXPECT_STREQ("C:\\旧", dialogs.calls()[0].path);
}

TEST_F(UiAppTest, HelpGoesThroughTheSink) {
  HWND fake = reinterpret_cast<HWND>(0x1234);
  ModalCapture dialogs([fake](ModalCall& call) {
    return call.kind == ModalCall::htmlHelp ? reinterpret_cast<INT_PTR>(fake) : static_cast<INT_PTR>(TRUE);
  });
  EXPECT_EQ(fake, AfxHtmlHelp(nullptr, "C:\\程序\\ravelo.chm", 0 /* HH_DISPLAY_TOPIC */, 0));
  app->WinHelp(0, HELP_FINDER);
  ASSERT_EQ(2u, dialogs.calls().size());
  EXPECT_EQ(ModalCall::htmlHelp, dialogs.calls()[0].kind);
  EXPECT_STREQ("C:\\程序\\ravelo.chm", dialogs.calls()[0].text);
  EXPECT_EQ(ModalCall::winHelp, dialogs.calls()[1].kind);
  EXPECT_EQ(static_cast<UINT>(HELP_FINDER), dialogs.calls()[1].id);
  EXPECT_STREQ(app->m_pszHelpFilePath, dialogs.calls()[1].text);
}

TEST_F(UiAppTest, PrintingAsksForThePrinterThroughTheSink) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  ModalCapture dialogs;  // cancels
  ActiveView()->OnFilePrint();
  app->OnFilePrintSetup();
  ASSERT_EQ(2u, dialogs.calls().size());
  EXPECT_EQ(ModalCall::printDialog, dialogs.calls()[0].kind);
  EXPECT_EQ(ModalCall::printDialog, dialogs.calls()[1].kind);
  EXPECT_EQ(static_cast<UINT>(PD_PRINTSETUP), dialogs.calls()[1].id);
}

TEST_F(UiAppTest, APopupMenuGoesThroughTheSinkAndItsChoiceIsPosted) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, 4321, "退出");
  ModalCapture menus([](ModalCall&) { return static_cast<INT_PTR>(4321); });
  EXPECT_TRUE(popup.TrackPopupMenu(TPM_RIGHTBUTTON, 10, 10, frame));
  ASSERT_EQ(1u, menus.calls().size());
  EXPECT_EQ(ModalCall::popupMenu, menus.calls()[0].kind);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, frame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(4321u, LOWORD(msg.wParam));

  // Asked to return the command, it posts nothing; dismissed, it gives 0.
  EXPECT_EQ(4321, popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, frame));
  menus.SetAnswer([](ModalCall&) { return static_cast<INT_PTR>(0); });
  EXPECT_FALSE(popup.TrackPopupMenu(TPM_RIGHTBUTTON, 10, 10, frame));
  EXPECT_FALSE(::PeekMessageA(&msg, frame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
}

}  // namespace
