// Settings under HKCU\Software\<key>\<app> in the build tree's Wine prefix, and recent
// file lists that share one section.
#include <gtest/gtest.h>

#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "framework/ui/RecentFileList.h"
#include "framework/ui/WinApp.h"

namespace {

constexpr const char* kKey = "CoursewareTests";
constexpr const char* kAppKey = "Software\\CoursewareTests\\ProfileTestApp";

class ProfileTest : public testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\CoursewareTests");
    app.SetRegistryKey(kKey);
  }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\CoursewareTests"); }

  // What the registry itself holds, read without the framework.
  static bool RawValue(const char* section, const char* entry, DWORD* type, std::string* data) {
    const std::string path = std::string(kAppKey) + "\\" + section;
    char buffer[512] = {};
    DWORD size = sizeof buffer;
    if (::RegGetValueA(HKEY_CURRENT_USER, path.c_str(), entry, RRF_RT_ANY, type, buffer, &size) != ERROR_SUCCESS)
      return false;
    data->assign(buffer, size);
    return true;
  }

  CWinApp app{"ProfileTestApp"};
};

TEST_F(ProfileTest, ValuesRoundTripAndMissingOnesGiveTheDefault) {
  EXPECT_STREQ("默认", app.GetProfileString("DirPath", "Mat", "默认"));
  EXPECT_EQ(64u, app.GetProfileInt("RunPara", "ImgWidth", 64));

  EXPECT_TRUE(app.WriteProfileString("DirPath", "Mat", "C:\\素材\\形状"));
  EXPECT_TRUE(app.WriteProfileInt("RunPara", "ViewWidth", 1024));
  EXPECT_TRUE(app.WriteProfileInt("RunPara", "Offset", -5));
  EXPECT_STREQ("C:\\素材\\形状", app.GetProfileString("DirPath", "Mat"));
  EXPECT_EQ(1024u, app.GetProfileInt("RunPara", "ViewWidth", 800));
  EXPECT_EQ(-5, static_cast<int>(app.GetProfileInt("RunPara", "Offset", 0)));

  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(RawValue("DirPath", "Mat", &type, &data));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_STREQ("C:\\素材\\形状", data.c_str());
  ASSERT_TRUE(RawValue("RunPara", "ViewWidth", &type, &data));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);

  // A value of another kind is not taken for the one asked for.
  EXPECT_EQ(7u, app.GetProfileInt("DirPath", "Mat", 7));
  EXPECT_STREQ("", app.GetProfileString("RunPara", "ViewWidth", ""));

  EXPECT_TRUE(app.WriteProfileString("DirPath", "Mat", nullptr));  // deletes the entry
  EXPECT_STREQ("", app.GetProfileString("DirPath", "Mat", ""));
  EXPECT_TRUE(app.WriteProfileString("RunPara", nullptr, nullptr));  // deletes the section
  EXPECT_EQ(800u, app.GetProfileInt("RunPara", "ViewWidth", 800));
  EXPECT_FALSE(RawValue("RunPara", "Offset", &type, &data));
}

TEST_F(ProfileTest, EachRecentListWritesAndDeletesOnlyItsOwnEntries) {
  for (int i = 1; i <= 3; ++i) {
    CString entry, value;
    entry.Format("Rawelo%d", i);
    value.Format("C:\\节目\\%d", i);
    app.WriteProfileString("Recent File List", entry, value);
  }
  app.LoadStdProfileSettings(4);
  ASSERT_NE(nullptr, app.m_pRecentFileList);
  app.AddToRecentFileList("C:\\页面\\c.rvx");
  app.AddToRecentFileList("C:\\页面\\b.rvx");
  app.AddToRecentFileList("C:\\页面\\a.rvx");
  app.AddToRecentFileList("c:\\页面\\C.RVX");  // the same file again: moves up, not added twice
  EXPECT_STREQ("c:\\页面\\C.RVX", (*app.m_pRecentFileList)[0]);
  EXPECT_STREQ("C:\\页面\\a.rvx", (*app.m_pRecentFileList)[1]);
  EXPECT_STREQ("C:\\页面\\b.rvx", (*app.m_pRecentFileList)[2]);
  EXPECT_STREQ("", (*app.m_pRecentFileList)[3]);
  app.ExitInstance();

  CRecentFileList programmes(0, "Recent File List", "Rawelo%d", 4, 30);
  programmes.ReadList();
  EXPECT_STREQ("C:\\节目\\1", programmes[0]);
  EXPECT_STREQ("C:\\节目\\3", programmes[2]);
  programmes.Remove(0);
  programmes.WriteList();

  const struct {
    const char* entry;
    const char* value;  // null: no such entry
  } expected[] = {
      {"File1", "c:\\页面\\C.RVX"}, {"File2", "C:\\页面\\a.rvx"}, {"File3", "C:\\页面\\b.rvx"}, {"File4", nullptr},
      {"Rawelo1", "C:\\节目\\2"},   {"Rawelo2", "C:\\节目\\3"},   {"Rawelo3", nullptr},
  };
  for (const auto& row : expected) {
    SCOPED_TRACE(row.entry);
    DWORD type = 0;
    std::string data;
    const bool present = RawValue("Recent File List", row.entry, &type, &data);
    ASSERT_EQ(row.value != nullptr, present);
    if (row.value) {
      EXPECT_STREQ(row.value, data.c_str());
    }
  }
}

TEST_F(ProfileTest, TheRecentListFillsItsPlaceInAMenu) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, ID_FILE_NEW, "新建");
  menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, "最近的文件");
  menu.AppendMenu(MF_STRING, ID_APP_EXIT, "退出");
  auto update = [&](CRecentFileList& list) {
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = 1;
    state.m_nID = ID_FILE_MRU_FILE1;
    state.m_nIndexMax = static_cast<UINT>(menu.GetMenuItemCount());
    list.UpdateMenu(&state);
  };
  auto items = [&] {
    std::vector<std::string> texts;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
      CString text;
      menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
      texts.push_back(text.str());
    }
    return texts;
  };

  CRecentFileList list(0, "Recent File List", "File%d", 4, 30);
  list.Add("C:\\课件\\第一课\\第二节\\页面&封面.rvx");
  list.Add("C:\\课件\\二.rvx");
  update(list);
  EXPECT_EQ((std::vector<std::string>{"新建", "&1 C:\\课件\\二.rvx", "&2 C:\\...\\第二节\\页面&&封面.rvx", "退出"}), items());
  EXPECT_EQ(ID_FILE_MRU_FILE1 + 1, menu.GetMenuItemID(2));

  // Emptied, the list gives its place back to the original item, disabled.
  list.Remove(0);
  list.Remove(0);
  update(list);
  EXPECT_EQ((std::vector<std::string>{"新建", "最近的文件", "退出"}), items());
  EXPECT_TRUE(menu.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(AbbreviatePath, KeepsTheRootAndTheNameAndDropsFoldersFromTheLeft) {
  const struct {
    const char* path;
    int max;
    BOOL atLeastName;
    const char* expected;
  } rows[] = {
      {"C:\\aa\\bb\\cc\\file.tpg", 30, TRUE, "C:\\aa\\bb\\cc\\file.tpg"},
      {"C:\\aa\\bb\\cc\\file.tpg", 20, TRUE, "C:\\aa\\bb\\cc\\file.tpg"},
      {"C:\\aa\\bb\\cc\\file.tpg", 19, TRUE, "C:\\...\\cc\\file.tpg"},
      {"C:\\aa\\bb\\cc\\file.tpg", 15, TRUE, "C:\\...\\file.tpg"},
      {"C:\\aa\\bb\\cc\\file.tpg", 12, TRUE, "...\\file.tpg"},
      {"C:\\aa\\bb\\cc\\file.tpg", 8, TRUE, "file.tpg"},
      {"C:\\aa\\bb\\cc\\file.tpg", 8, FALSE, ""},
      {"\\\\server\\share\\folder\\sub\\file.tpg", 30, TRUE, "\\\\server\\share\\...\\file.tpg"},
      {"C:\\课件\\第一课\\页面.rvx", 14, TRUE, "...\\页面.rvx"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    SCOPED_TRACE(row.max);
    EXPECT_STREQ(row.expected, AfxAbbreviatePath(row.path, row.max, row.atLeastName));
  }
}

}  // namespace
