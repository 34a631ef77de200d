// The command line: what each form asks for, and what processing it does.
#include <gtest/gtest.h>

#include "framework/ui/CommandLineInfo.h"
#include "tests/framework/UiTestClasses.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

CCommandLineInfo Parse(std::vector<const char*> args) {
  CCommandLineInfo info;
  for (size_t i = 0; i < args.size(); ++i) {
    const char* arg = args[i];
    const BOOL flag = arg[0] == '/' || arg[0] == '-';
    info.ParseParam(flag ? arg + 1 : arg, flag, i + 1 == args.size());
  }
  return info;
}

TEST(CommandLine, EachFormAsksForItsCommand) {
  const struct {
    std::vector<const char*> args;
    int command;
    const char* file;
    BOOL splash;
  } rows[] = {
      {{}, CCommandLineInfo::FileNew, "", TRUE},
      {{"课件\\第一页.rvx"}, CCommandLineInfo::FileOpen, "课件\\第一页.rvx", TRUE},
      {{"/p", "a.rvx"}, CCommandLineInfo::FilePrint, "a.rvx", TRUE},
      {{"-P", "a.rvx"}, CCommandLineInfo::FilePrint, "a.rvx", TRUE},
      {{"/Unregister"}, CCommandLineInfo::AppUnregister, "", TRUE},
      {{"/unregserver"}, CCommandLineInfo::AppUnregister, "", TRUE},
      {{"/dde"}, CCommandLineInfo::FileDDE, "", TRUE},
      {{"/Embedding"}, CCommandLineInfo::FileNew, "", FALSE},
      {{"/Automation", "a.rvx"}, CCommandLineInfo::FileOpen, "a.rvx", FALSE},
      {{"/unknown", "a.rvx"}, CCommandLineInfo::FileOpen, "a.rvx", TRUE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.empty() ? "(none)" : row.args[0]);
    const CCommandLineInfo info = Parse(row.args);
    EXPECT_EQ(row.command, info.m_nShellCommand);
    EXPECT_STREQ(row.file, info.m_strFileName);
    EXPECT_EQ(row.splash, info.m_bShowSplash);
  }

  const CCommandLineInfo printTo = Parse({"/pt", "a.rvx", "打印机", "驱动", "端口"});
  EXPECT_EQ(CCommandLineInfo::FilePrintTo, printTo.m_nShellCommand);
  EXPECT_STREQ("打印机", printTo.m_strPrinterName);
  EXPECT_STREQ("驱动", printTo.m_strDriverName);
  EXPECT_STREQ("端口", printTo.m_strPortName);
}

TEST_F(UiAppTest, ProcessingTheCommandLine) {
  CCommandLineInfo nothing;
  nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
  EXPECT_TRUE(app->ProcessShellCommand(nothing));
  EXPECT_EQ(nullptr, app->m_pMainWnd);

  CCommandLineInfo missing;
  missing.m_nShellCommand = CCommandLineInfo::FileOpen;
  missing.m_strFileName = "Z:\\没有这个文件夹\\没有.tpg";
  {
    MessageBoxCapture box;
    EXPECT_FALSE(app->ProcessShellCommand(missing));
    EXPECT_EQ(1u, box.boxes().size());
  }
  EXPECT_EQ(nullptr, app->m_pMainWnd);

  CCommandLineInfo fresh;
  EXPECT_TRUE(app->ProcessShellCommand(fresh));
  ASSERT_NE(nullptr, app->m_pMainWnd);
  EXPECT_STREQ("测试页", ActiveDocument()->GetTitle());
  CString caption;
  app->m_pMainWnd->GetWindowText(caption);
  EXPECT_STREQ("测试页 - 测试程序", caption);
}

TEST_F(UiAppTest, ShellRegistrationNamesTheTypeAndItsOpenCommand) {
  auto value = [](const char* key) {
    char buffer[512] = {};
    LONG size = sizeof buffer;
    const std::string path = std::string("Software\\Classes\\") + key;
    return ::RegQueryValueA(HKEY_CURRENT_USER, path.c_str(), buffer, &size) == ERROR_SUCCESS ? std::string(buffer)
                                                                                               : std::string("(none)");
  };
  app->RegisterShellFileTypes(FALSE);
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_EQ("Courseware.TestPage", value(".tpg"));
  EXPECT_EQ("Courseware Test Page", value("Courseware.TestPage"));
  EXPECT_EQ(std::string(exe) + ",0", value("Courseware.TestPage\\DefaultIcon"));
  EXPECT_EQ("\"" + std::string(exe) + "\" \"%1\"", value("Courseware.TestPage\\shell\\open\\command"));

  app->UnregisterShellFileTypes();
  EXPECT_EQ("(none)", value(".tpg"));
  EXPECT_EQ("(none)", value("Courseware.TestPage"));
}

}  // namespace
