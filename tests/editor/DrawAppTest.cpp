// The editor's settings groups, its recent lists and the program-folder helper.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include <ole2.h>
#include <gdiplus.h>

#include "editor/FileHelpers.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "framework/ui/RecentFileList.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"

namespace {

std::set<std::string> ValueNames(CWinApp& app, const char* section) {
  std::set<std::string> names;
  HKEY key = app.GetSectionKey(section, FALSE);
  if (!key) return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (::RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.insert(name);
  }
  ::RegCloseKey(key);
  return names;
}

}  // namespace

using DrawAppTest = EditorTest;

TEST_F(DrawAppTest, EmptyRegistryGivesTheDefaults) {
  app->m_strProgramFolder = "C:\\Kordel";
  for (int group = 0; group < 4; ++group) app->LoadSettings(group);
  for (const CString* folder : {&app->m_strShapesFolder, &app->m_strPicturesFolder, &app->m_strSoundsFolder,
                                &app->m_strVideoFolder, &app->m_strProgrammeFolder, &app->m_strComponentLibrary})
    EXPECT_STREQ(*folder, "");
  EXPECT_EQ(app->m_nThumbWidth, 64);
  EXPECT_EQ(app->m_nThumbHeight, 64);
  EXPECT_EQ(app->m_nPackageType, 0);
  EXPECT_EQ(app->m_viewSize, CSize(800, 600));
  EXPECT_EQ(app->m_defaultPageSize, CSize(800, 600));
  EXPECT_STREQ(app->m_strProgrammeDir, "c:\\kelvane");
  EXPECT_STREQ(app->m_strPageTemplates, "C:\\Kordel\\templ");
}

TEST_F(DrawAppTest, SettingsRoundTripThroughTheRegistry) {
  app->m_strShapesFolder = "d:\\形状";
  app->m_strComponentLibrary = "d:\\lib\\积件.lib";
  app->m_nThumbWidth = 96;
  app->m_viewSize = CSize(1024, 768);
  app->m_defaultPageSize = CSize(640, 480);
  app->m_strProgrammeDir = "e:\\课件";
  app->m_strPageTemplates = "e:\\templ";
  for (int group = 0; group < 4; ++group) app->SaveSettings(group);

  CDrawApp other;
  other.SetRegistryKey(kTestRegistryKey);
  for (int group = 0; group < 4; ++group) other.LoadSettings(group);
  EXPECT_STREQ(other.m_strShapesFolder, "d:\\形状");
  EXPECT_STREQ(other.m_strComponentLibrary, "d:\\lib\\积件.lib");
  EXPECT_EQ(other.m_nThumbWidth, 96);
  EXPECT_EQ(other.m_viewSize, CSize(1024, 768));
  EXPECT_EQ(other.m_defaultPageSize, CSize(640, 480));
  EXPECT_STREQ(other.m_strProgrammeDir, "e:\\课件");
  EXPECT_STREQ(other.m_strPageTemplates, "e:\\templ");
  // The second application is not the program's: the test's goes on.
  app.reset(new CDrawApp);
}

TEST_F(DrawAppTest, SavingTheFoldersWritesTheSixFolderValuesOnly) {
  app->m_strPicturesFolder = "c:\\pictures";
  app->SaveSettings(0);
  EXPECT_EQ(ValueNames(*app, "DirPath"),
            (std::set<std::string>{"Mat", "Img", "Sound", "Mov", "Programme", "ObjLib"}));
  EXPECT_TRUE(ValueNames(*app, "RunPara").empty());
  EXPECT_STREQ(app->GetProfileString("DirPath", "Img"), "c:\\pictures");
}

TEST_F(DrawAppTest, GroupsOutsideTheTableChangeNothing) {
  app->WriteProfileInt("RunPara", "ImgWidth", 10);
  app->m_nThumbWidth = 77;
  app->m_strShapesFolder = "kept";
  for (int group : {-1, 4}) {
    app->LoadSettings(group);
    app->SaveSettings(group);
  }
  EXPECT_EQ(app->m_nThumbWidth, 77);
  EXPECT_STREQ(app->m_strShapesFolder, "kept");
  EXPECT_TRUE(ValueNames(*app, "DirPath").empty());
  EXPECT_EQ(ValueNames(*app, "RunPara"), std::set<std::string>{"ImgWidth"});
}

TEST(ProgramFolderTest, IsThePathBeforeTheLastBackslash) {
  const struct {
    const char* path;
    const char* folder;
  } rows[] = {
      {"C:\\a\\b\\kordel.exe", "C:\\a\\b"},
      {"kordel.exe", "kordel.exe"},
      {"C:\\kordel.exe", "C:"},
      {"C:\\课件\\表\\kordel.exe", "C:\\课件\\表"},  // 表 has a trail byte of '\'
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_STREQ(ProgramFolderOf(row.path), row.folder);
  }
}

// The recent programmes share "Recent File List" with the recent pages.
TEST_F(DrawAppTest, RecentProgrammesFillTheirMenuItem) {
  for (int i = 1; i <= 4; ++i) {
    CString entry, value;
    entry.Format("Rawelo%d", i);
    value.Format("C:\\课件%d\\首页.rvx", i);
    app->WriteProfileString("Recent File List", entry, value);
  }
  app->LoadRecentProgrammes();

  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, ID_RECENT_PROGRAMME_FIRST, "最近的课件");
  CCmdUI state;
  state.m_pMenu = &menu;
  state.m_nID = ID_RECENT_PROGRAMME_FIRST;
  state.m_nIndexMax = 1;
  ASSERT_TRUE(state.DoUpdate(app.get(), TRUE));
  ASSERT_EQ(menu.GetMenuItemCount(), 4);
  for (int i = 0; i < 4; ++i) {
    CString text, expected;
    menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
    expected.Format("&%d C:\\课件%d\\首页.rvx", i + 1, i + 1);
    EXPECT_STREQ(text, expected);
    EXPECT_EQ(menu.GetMenuItemID(i), static_cast<UINT>(ID_RECENT_PROGRAMME_FIRST + i));
  }
  // Choosing one is handled and changes nothing.
  EXPECT_TRUE(app->OnCmdMsg(ID_RECENT_PROGRAMME_FIRST + 2, CN_COMMAND, nullptr, nullptr));
}

TEST_F(DrawAppTest, WithoutTheRecentProgrammesTheirItemIsDisabled) {
  CTestCmdUI probe(ID_RECENT_PROGRAMME_FIRST);
  app->OnCmdMsg(ID_RECENT_PROGRAMME_FIRST, CN_UPDATE_COMMAND_UI, &probe, nullptr);
  EXPECT_FALSE(probe.m_bEnabled);
}

TEST_F(DrawAppTest, BothRecentListsSurviveExit) {
  for (int i = 1; i <= 4; ++i) {
    CString file, rawelo, value;
    file.Format("File%d", i);
    rawelo.Format("Rawelo%d", i);
    value.Format("C:\\p%d.rvx", i);
    app->WriteProfileString("Recent File List", file, value);
    app->WriteProfileString("Recent File List", rawelo, value);
  }
  app->LoadStdProfileSettings(4);
  app->LoadRecentProgrammes();
  app->ExitInstance();
  std::set<std::string> expected;
  for (int i = 1; i <= 4; ++i) {
    expected.insert("File" + std::to_string(i));
    expected.insert("Rawelo" + std::to_string(i));
  }
  EXPECT_EQ(ValueNames(*app, "Recent File List"), expected);
}

TEST_F(DrawAppTest, OpeningOrSavingAPageMakesItsFolderTheWorkingFolder) {
  app->AddToRecentFileList("C:\\课件\\第一页.rvx");
  EXPECT_STREQ(app->m_strWorkingFolder, "C:\\课件");
  app->AddToRecentFileList("D:\\page.rvx");
  EXPECT_STREQ(app->m_strWorkingFolder, "D:");
}

// Start-up that ended before COM and GDI+ were started must not shut them down: the
// thread's COM and the process's GDI+ (the test program's own) go on working.
TEST_F(DrawAppTest, ExitAfterAFailedStartUpUndoesOnlyWhatWasDone) {
  app->ExitInstance();
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(com, S_FALSE) << "COM was shut down on this thread";
  if (SUCCEEDED(com)) ::CoUninitialize();
  Gdiplus::Bitmap bitmap(4, 4, PixelFormat32bppARGB);
  EXPECT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok) << "GDI+ was shut down";
}
