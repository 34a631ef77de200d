// A file dialog with multiple selection: the folder-and-names list the system writes
// into a caller's buffer, and the same list made from a sink's answer of several paths.
#include <gtest/gtest.h>

#include <vector>

#include "framework/ui/FileDialog.h"
#include "framework/ui/ModalSink.h"

namespace {

std::vector<CString> Chosen(const CFileDialog& dialog) {
  std::vector<CString> paths;
  for (POSITION pos = dialog.GetStartPosition(); pos;) paths.push_back(dialog.GetNextPathName(pos));
  return paths;
}

TEST(FileDialogMultiSelect, WalksTheFolderAndNamesList) {
  const struct {
    const char* what;
    std::string buffer;
    std::vector<CString> paths;
  } cases[] = {
      {"several", std::string("c:\\课件\0a.rvx\0b.rvx\0\0", 21), {"c:\\课件\\a.rvx", "c:\\课件\\b.rvx"}},
      {"a drive's root", std::string("c:\\\0a.rvx\0b.rvx\0\0", 17), {"c:\\a.rvx", "c:\\b.rvx"}},
      {"one file", std::string("c:\\课件\\a.rvx\0\0", 14), {"c:\\课件\\a.rvx"}},
      {"nothing", std::string("\0\0", 2), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    std::vector<char> buffer(c.buffer.begin(), c.buffer.end());
    buffer.resize(64, '\0');
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    EXPECT_EQ(c.paths, Chosen(dialog));
  }
}

TEST(FileDialogMultiSelect, ASinksSeveralPathsFillTheCallersBuffer) {
  ModalSink previous = AfxSetModalSink([](ModalCall& call) -> INT_PTR {
    call.paths = {"c:\\pages\\home.rvx", "c:\\pages\\二.rvx", "c:\\pages\\c.rvx"};
    return IDOK;
  });
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
  std::vector<char> buffer(1000, 'x');
  dialog.m_ofn.lpstrFile = buffer.data();
  dialog.m_ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  EXPECT_EQ(IDOK, dialog.DoModal());
  AfxSetModalSink(std::move(previous));
  EXPECT_EQ((std::vector<CString>{"c:\\pages\\home.rvx", "c:\\pages\\二.rvx", "c:\\pages\\c.rvx"}), Chosen(dialog));
  EXPECT_EQ("c:\\pages\\home.rvx", dialog.GetPathName());
}

}  // namespace
