// What stands for a browser around the control in its tests: a top-level window that
// answers the registered message "WM_HTML_GETOBJECT" with a fake HTML document of a
// given address (or with none), and inside it the container's window the control is
// placed in, so that the control's grandparent is the page's window.
#pragma once

#include <windows.h>

#include <string>

class HtmlHostWindow {
 public:
  enum class Answer { document, nullUrl, noObject };

  explicit HtmlHostWindow(const wchar_t* url = L"", Answer answer = Answer::document);
  ~HtmlHostWindow();
  HtmlHostWindow(const HtmlHostWindow&) = delete;
  HtmlHostWindow& operator=(const HtmlHostWindow&) = delete;

  HWND page() const { return m_page; }
  HWND container() const { return m_container; }
  // How often the page was asked for its document.
  int asked() const { return m_asked; }

 private:
  static LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::wstring m_url;
  Answer m_answer;
  HWND m_page = nullptr;
  HWND m_container = nullptr;
  int m_asked = 0;
};
