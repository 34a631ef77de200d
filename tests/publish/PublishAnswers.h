// What the publishing dialogs' tests share: answering the file dialog and the folder
// picker with paths, the texts of the boxes shown, and handing written web pages to the
// check that parses them.
#pragma once

#include <vector>

#include "framework/ui/ModalSink.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/package/PackageFixture.h"

namespace publishtest {

// The string table's text of that id.
inline CString Message(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The texts of the boxes shown, in order.
inline std::vector<CString> Texts(const MessageBoxCapture& capture) {
  std::vector<CString> texts;
  for (const auto& box : capture.boxes()) texts.push_back(box.text);
  return texts;
}

// The answer of a file dialog (one or several full paths) or of the folder picker (the
// first path).
inline INT_PTR AnswerWithPaths(ModalCall& call, const std::vector<CString>& paths) {
  if (call.kind == ModalCall::folderPicker || paths.size() == 1) call.path = paths.at(0);
  else call.paths = paths;
  return IDOK;
}

// Hands a written web page to the step after the tests (tests/publish/check-web-pages),
// which parses it as a browser would and compares its object with what is expected here:
// the codebase (empty: none) and the SRC parameter. The page is copied as NAME.htm beside
// NAME.expect in the check's folder.
inline void ExpectWebPage(const CString& page, const char* name, const CString& codebase, const CString& src) {
  const CString folder = WEB_PAGE_CHECK_DIR;
  ::CreateDirectoryW(packagetest::Wide(folder).c_str(), nullptr);
  ASSERT_TRUE(::CopyFileW(packagetest::Wide(page).c_str(), packagetest::Wide(folder + "\\" + name + ".htm").c_str(),
                          FALSE));
  packagetest::WriteFileBytes(folder + "\\" + name + ".expect",
                              std::string("codebase\t") + codebase.GetString() + "\nSRC\t" + src.GetString() + "\n");
}

}  // namespace publishtest
