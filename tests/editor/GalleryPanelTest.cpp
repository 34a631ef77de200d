// The media gallery: its tabs, the file lists of the folder kinds, the component tab
// read from a library file (damaged ones reported once, the other tabs still built),
// the workspace-settings command, and the component-library output dialog with the
// export command that runs it.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/FolderDialog.h"
#include "editor/panels/GalleryPanel.h"
#include "editor/panels/LibOutputDlg.h"
#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "model/DrawRect.h"
#include "model/ObjLib.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/TempFolder.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

CString Narrow(const std::wstring& s) { return CString(codepage::FromWide(s)); }

std::vector<CString> Names(const CStringArray& names) {
  std::vector<CString> out;
  for (int i = 0; i < names.GetSize(); ++i) out.push_back(names[i]);
  return out;
}

CDrawRect* NamedRect(const char* name) {
  auto* rect = new CDrawRect(CRect(10, 50, 70, 20));
  rect->m_name = name;
  return rect;
}

// A library file of objects with those names.
void WriteLibrary(const CString& path, const CString& description, std::vector<const char*> names) {
  CObjLib lib;
  lib.m_strDescription = description;
  for (const char* name : names) lib.AddObject(NamedRect(name));
  lib.StoreFile(path);
  lib.DeleteObjects();
}

// The names of the objects of a library file, its description first.
std::vector<CString> ReadLibrary(const CString& path) {
  CObjLib lib;
  lib.LoadFile(path);
  std::vector<CString> out{lib.m_strDescription};
  for (POSITION pos = lib.m_objects.GetHeadPosition(); pos;)
    out.push_back(static_cast<CDrawObj*>(lib.m_objects.GetNext(pos))->m_name);
  lib.DeleteObjects();
  return out;
}

CString TabText(CGalleryPanel& panel, int tab) {
  char text[256] = {};
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  panel.m_tab.GetItem(tab, &item);
  return CString(text);
}

}  // namespace

class GalleryTest : public EditorTest {
 protected:
  // The settings the panel is filled from are set before the page (and its frame) is made.
  void Open() { ASSERT_TRUE(NewPage()); }
  CGalleryPanel& Gallery() { return Frame()->m_wndGalleryPanel; }
  CString File(const wchar_t* name) const { return Narrow(files.Path() + L"\\" + name); }

  TempFolder files;
};

TEST_F(GalleryTest, FiveTabsWithTheKindsWindowsOneShownAtATime) {
  Open();
  CGalleryPanel& gallery = Gallery();
  ASSERT_EQ(5, gallery.m_tab.GetItemCount());
  const char* texts[] = {"图元", "图片", "声音", "影像", "积件"};
  for (int tab = 0; tab < 5; ++tab) {
    EXPECT_STREQ(texts[tab], TabText(gallery, tab));
    EXPECT_EQ(tab, gallery.GetWindow(tab).GetKind());
    EXPECT_EQ(tab == 0, gallery.GetWindow(tab).IsWindowVisible() != FALSE);
  }
  gallery.m_tab.SetCurSel(3);
  NMHDR change = {gallery.m_tab.m_hWnd, IDC_GALLERY_TABS, TCN_SELCHANGE};
  gallery.SendMessage(WM_NOTIFY, IDC_GALLERY_TABS, reinterpret_cast<LPARAM>(&change));
  EXPECT_FALSE(gallery.GetWindow(0).IsWindowVisible());
  EXPECT_TRUE(gallery.GetWindow(3).IsWindowVisible());

  // Enter and Escape leave the panel as it is.
  gallery.SendMessage(WM_COMMAND, IDOK);
  gallery.SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_TRUE(::IsWindow(gallery.m_hWnd));
  EXPECT_TRUE(gallery.GetWindow(3).IsWindowVisible());
}

TEST_F(GalleryTest, AFolderListsItsFilesByPatternWithoutFolders) {
  files.Write(L"b.bmp", {1});
  files.Write(L"A.JPG", {1});
  files.Write(L"x.txt", {1});
  ::CreateDirectoryW((files.Path() + L"\\sub.bmp").c_str(), nullptr);
  app->m_strPicturesFolder = Narrow(files.Path());
  Open();
  const std::vector<CString> want = {"b.bmp", "A.JPG"};
  EXPECT_EQ(want, Names(Gallery().GetWindow(1).m_fileNames));

  app->m_strPicturesFolder = Narrow(files.Path()) + "\\";
  Gallery().FillTab(1);
  EXPECT_EQ(want, Names(Gallery().GetWindow(1).m_fileNames));

  app->m_strPicturesFolder = Narrow(files.Path()) + "\\missing";
  Gallery().FillTab(1);
  EXPECT_TRUE(Names(Gallery().GetWindow(1).m_fileNames).empty());
}

TEST_F(GalleryTest, TheComponentTabShowsTheLibraryAndItsDescription) {
  const CString description(std::string(200, 'd').c_str());
  WriteLibrary(File(L"parts.lib"), description, {"one", "two"});
  CString upper = File(L"PARTS.LIB");
  upper.MakeUpper();
  app->m_strComponentLibrary = upper;
  Open();
  CWndImage& window = Gallery().GetWindow(4);
  ASSERT_EQ(2u, window.m_objects.size());
  EXPECT_STREQ("two", window.m_objects[1]->m_name);
  EXPECT_STREQ(description, window.m_strDescription);
  EXPECT_EQ(119, TabText(Gallery(), 4).GetLength());

  // A cut never splits a double-byte character.
  WriteLibrary(File(L"parts.lib"), CString(std::string(200, '\xD6').c_str()), {"one"});  // 100 x "中"-like pairs
  Gallery().FillTab(4);
  EXPECT_EQ(118, TabText(Gallery(), 4).GetLength());
  EXPECT_EQ(1u, window.m_objects.size());
}

TEST_F(GalleryTest, ShortDamagedAndMissingLibrariesLeaveTheTabEmpty) {
  app->m_strComponentLibrary = File(L"short.lib");
  files.Write(L"short.lib", std::vector<BYTE>(12, 0xFF));
  Open();
  EXPECT_TRUE(Gallery().GetWindow(4).m_objects.empty());
  EXPECT_STREQ("", TabText(Gallery(), 4));

  struct Row {
    const char* what;
    std::vector<BYTE> bytes;  // none: no file
    const char* message;      // null: any text, the file's or the archive's
  } rows[] = {
      {"13 bytes of another file", {4, 'j', 'u', 'n', 'k', 1, 2, 3, 4, 5, 6, 7, 8}, "非库文件"},
      {"a cut library", {}, nullptr},
      {"missing", {}, nullptr},
  };
  for (Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (std::string(row.what) == "a cut library") {
      WriteLibrary(File(L"cut.lib"), "parts", {"one", "two"});
      row.bytes = files.Read(L"cut.lib");
      row.bytes.resize(row.bytes.size() - 10);
    }
    files.Delete(L"case.lib");
    if (!row.bytes.empty()) files.Write(L"case.lib", row.bytes);
    app->m_strComponentLibrary = File(L"case.lib");
    MessageBoxCapture boxes;
    Gallery().FillTab(4);
    ASSERT_EQ(1u, boxes.boxes().size());
    if (row.message) {
      EXPECT_STREQ(row.message, boxes.boxes()[0].text);
    }
    EXPECT_TRUE(Gallery().GetWindow(4).m_objects.empty());
  }
}

TEST_F(GalleryTest, AnUnreadableLibraryAtStartIsReportedOnceAndTheOtherTabsAreBuilt) {
  files.Write(L"b.bmp", {1});
  app->m_strPicturesFolder = Narrow(files.Path());
  app->m_strComponentLibrary = File(L"gone.lib");
  MessageBoxCapture boxes;
  Open();
  EXPECT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(5, Gallery().m_tab.GetItemCount());
  EXPECT_EQ(1, Gallery().GetWindow(1).m_fileNames.GetSize());
  EXPECT_TRUE(Gallery().GetWindow(0).IsWindowVisible());
}

TEST_F(GalleryTest, WorkspaceSettingsChooseTheTabsFolderOrLibrary) {
  Open();
  files.Write(L"p.png", {1});
  WriteLibrary(File(L"chosen.lib"), "chosen", {"a", "b", "c"});
  ModalCapture modal([&](ModalCall& call) -> INT_PTR {
    if (call.kind == ModalCall::popupMenu) return ID_WORKSPACE_SETTINGS;
    // The folder chooser is a file dialog reduced to folders.
    call.path = dynamic_cast<CFolderDialog*>(call.window) ? Narrow(files.Path()) : File(L"chosen.lib");
    return IDOK;
  });
  Gallery().m_tab.SetCurSel(1);
  Gallery().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Gallery().m_hWnd), MAKELPARAM(10, 10));
  Pump();
  ASSERT_EQ(2u, modal.calls().size());
  EXPECT_EQ(ModalCall::fileDialog, modal.calls()[1].kind);
  EXPECT_EQ(1, Gallery().GetWindow(1).m_fileNames.GetSize());
  EXPECT_STREQ(Narrow(files.Path()), app->GetProfileString("DirPath", "Img", ""));

  Gallery().m_tab.SetCurSel(4);
  View()->SendMessage(WM_COMMAND, ID_WORKSPACE_SETTINGS);
  ASSERT_EQ(3u, modal.calls().size());
  EXPECT_EQ(ModalCall::fileDialog, modal.calls()[2].kind);
  EXPECT_STREQ("积件库文件", modal.calls()[2].title);
  EXPECT_EQ(3u, Gallery().GetWindow(4).m_objects.size());
  EXPECT_STREQ("chosen", TabText(Gallery(), 4));
  EXPECT_STREQ(File(L"chosen.lib"), app->GetProfileString("DirPath", "ObjLib", ""));
}

// ---- the output dialog ------------------------------------------------------------

class LibOutputTest : public GalleryTest {
 protected:
  // The dialog made modeless over the frame with a component, filled by the script
  // and confirmed; whether OK ended it.
  bool Confirm(const std::function<void(CLibOutputDlg&)>& script) {
    CLibOutputDlg dialog(Frame());
    dialog.m_lib.AddObject(NamedRect("new"));
    EXPECT_TRUE(dialog.Create(IDD_LIB_OUTPUT, Frame()));
    dialog.ShowWindow(SW_SHOWNA);
    script(dialog);
    dialog.SendMessage(WM_COMMAND, IDOK);
    const bool ended = !dialog.IsWindowVisible();
    dialog.DestroyWindow();
    return ended;
  }
  static void Choose(CLibOutputDlg& dialog, int radio) {
    ::CheckRadioButton(dialog, IDC_LIB_APPEND, IDC_LIB_NEW, radio);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(radio, BN_CLICKED), 0);
  }
  static void Type(CLibOutputDlg& dialog, int id, const CString& text) { ::SetDlgItemTextA(dialog, id, text); }
};

TEST_F(LibOutputTest, TheThreeModesWriteTheirLibraries) {
  Open();
  const CString current = File(L"current.lib");
  WriteLibrary(current, "old parts", {"a", "b", "c"});
  app->m_strComponentLibrary = current;

  MessageBoxCapture boxes;
  EXPECT_TRUE(Confirm([](CLibOutputDlg& d) { EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_LIB_FILE))); }));
  EXPECT_EQ((std::vector<CString>{"old parts", "new", "a", "b", "c"}), ReadLibrary(current));

  EXPECT_TRUE(Confirm([](CLibOutputDlg& d) {
    Choose(d, IDC_LIB_CLEAR);
    Type(d, IDC_LIB_NAME, "only");
  }));
  EXPECT_EQ((std::vector<CString>{"only", "new"}), ReadLibrary(current));

  CString typed = File(L"NEW");
  typed.MakeUpper();
  EXPECT_TRUE(Confirm([&](CLibOutputDlg& d) {
    Choose(d, IDC_LIB_NEW);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_LIB_FILE)));
    Type(d, IDC_LIB_FILE, typed);
    Type(d, IDC_LIB_NAME, "fresh");
  }));
  CString written = typed + ".lib";
  written.MakeLower();
  EXPECT_STREQ(written, app->m_strComponentLibrary);
  EXPECT_STREQ(written, app->GetProfileString("DirPath", "ObjLib", ""));
  EXPECT_EQ((std::vector<CString>{"fresh", "new"}), ReadLibrary(written));
  EXPECT_EQ((std::vector<CString>{"only", "new"}), ReadLibrary(current));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LibOutputTest, RefusalsWriteNothing) {
  Open();
  const CString current = File(L"current.lib");
  WriteLibrary(current, "old parts", {"a", "b"});
  struct Row {
    const char* what;
    CString setting;
    std::function<void(CLibOutputDlg&)> script;
    const char* message;
  } rows[] = {
      {"a new library named as the current one", current,
       [&](CLibOutputDlg& d) {
         Choose(d, IDC_LIB_NEW);
         CString upper = current;
         upper.MakeUpper();
         Type(d, IDC_LIB_FILE, upper);
       },
       "新库文件名必须与原库文件名不同"},
      {"no current library", "", [](CLibOutputDlg& d) { EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_LIB_FILE))); },
       "库文件名不能为空"},
      {"only the extension", "", [](CLibOutputDlg& d) { Type(d, IDC_LIB_FILE, ".LIB"); }, "库文件名不能为空"},
      {"a folder that is not there", "",
       [&](CLibOutputDlg& d) { Type(d, IDC_LIB_FILE, File(L"missing\\x.lib")); }, "生成文件失败"},
  };
  const std::vector<BYTE> before = files.Read(L"current.lib");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    app->m_strComponentLibrary = row.setting;
    MessageBoxCapture boxes;
    EXPECT_FALSE(Confirm(row.script));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ(row.message, boxes.boxes()[0].text);
    EXPECT_TRUE(before == files.Read(L"current.lib"));
    EXPECT_STREQ(row.setting, app->m_strComponentLibrary);
  }
}

TEST_F(LibOutputTest, ADamagedLibraryIsNotAppendedToButMayBeReplaced) {
  Open();
  WriteLibrary(File(L"damaged.lib"), "parts", {"a", "b"});
  std::vector<BYTE> damaged = files.Read(L"damaged.lib");
  damaged.resize(damaged.size() - 10);
  files.Write(L"damaged.lib", damaged);
  app->m_strComponentLibrary = File(L"damaged.lib");
  {
    MessageBoxCapture boxes;
    EXPECT_FALSE(Confirm([](CLibOutputDlg& d) {
      EXPECT_TRUE(d.m_bLibraryUnreadable);
      EXPECT_EQ(1, d.m_lib.m_objects.GetCount());  // the objects read before the cut are gone
    }));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ("生成文件失败", boxes.boxes()[0].text);
    EXPECT_TRUE(damaged == files.Read(L"damaged.lib"));
  }
  MessageBoxCapture boxes;
  EXPECT_TRUE(Confirm([](CLibOutputDlg& d) { Choose(d, IDC_LIB_CLEAR); }));
  EXPECT_EQ((std::vector<CString>{"", "new"}), ReadLibrary(File(L"damaged.lib")));
}

TEST_F(LibOutputTest, ExportMovesTheObjectToTheCornerOnlyWhileTheDialogRuns) {
  const CString current = File(L"current.lib");
  WriteLibrary(current, "parts", {"a"});
  app->m_strComponentLibrary = current;
  Open();
  CDrawRect* rect = NamedRect("shape");
  rect->m_pen.lopnWidth = {1, 1};
  Doc()->Add(rect);
  View()->Select(rect);
  const CRect former = rect->m_position;
  for (INT_PTR answer : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(answer);
    CRect during, component;
    size_t objects = 0;
    ModalCapture modal([&](ModalCall& call) -> INT_PTR {
      auto* dialog = dynamic_cast<CLibOutputDlg*>(call.window);
      if (!dialog) return IDCANCEL;
      during = rect->m_position;
      component = static_cast<CDrawObj*>(dialog->m_lib.m_objects.GetHead())->m_position;
      if (answer == IDCANCEL) return IDCANCEL;
      EXPECT_TRUE(dialog->Create(call.id, Frame()));
      dialog->SendMessage(WM_COMMAND, IDOK);
      objects = static_cast<size_t>(dialog->m_lib.m_objects.GetCount());
      dialog->DestroyWindow();
      return IDOK;
    });
    View()->SendMessage(WM_COMMAND, ID_EXPORT_COMPONENT);
    ASSERT_EQ(1u, modal.calls().size());
    EXPECT_EQ(CRect(4, 34, 64, 4), during);
    EXPECT_EQ(during, component);
    EXPECT_EQ(former, rect->m_position);
    if (answer == IDOK) {
      EXPECT_EQ(2u, objects);
      EXPECT_EQ(2u, Gallery().GetWindow(4).m_objects.size());
      EXPECT_TRUE(Gallery().GetWindow(4).m_bDirty);
    } else {
      EXPECT_EQ(1u, Gallery().GetWindow(4).m_objects.size());
    }
  }
}

TEST_F(LibOutputTest, CancelWritesNothingAndDeletesTheComponent) {
  Open();
  const CString current = File(L"current.lib");
  WriteLibrary(current, "parts", {"a"});
  app->m_strComponentLibrary = current;
  const std::vector<BYTE> before = files.Read(L"current.lib");
  CLibOutputDlg dialog(Frame());
  dialog.m_lib.AddObject(NamedRect("new"));
  ASSERT_TRUE(dialog.Create(IDD_LIB_OUTPUT, Frame()));
  EXPECT_EQ(2, dialog.m_lib.m_objects.GetCount());
  dialog.SendMessage(WM_COMMAND, IDCANCEL);
  dialog.DestroyWindow();
  EXPECT_TRUE(dialog.m_lib.m_objects.IsEmpty());
  EXPECT_TRUE(before == files.Read(L"current.lib"));
  EXPECT_STREQ(current, app->m_strComponentLibrary);
}

TEST_F(LibOutputTest, BrowseAsksWithASaveDialog) {
  Open();
  ModalCapture modal([&](ModalCall& call) -> INT_PTR {
    call.path = File(L"chosen.lib");
    return IDOK;
  });
  EXPECT_TRUE(Confirm([&](CLibOutputDlg& d) {
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LIB_BROWSE, BN_CLICKED), 0);
    ASSERT_EQ(1u, modal.calls().size());
    EXPECT_FALSE(modal.calls()[0].open);
    EXPECT_STREQ("积件库文件", modal.calls()[0].title);
  }));
  EXPECT_EQ((std::vector<CString>{"", "new"}), ReadLibrary(File(L"chosen.lib")));
}
