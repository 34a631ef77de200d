// Captures the message boxes a test expects: their texts and flags are recorded and
// each is answered with the given button.
#pragma once

#include <vector>

#include "framework/core/MessageBox.h"

struct CapturedBox {
  CString text;
  UINT flags;
  CString caption;
  HWND owner;
};

class MessageBoxCapture {
 public:
  explicit MessageBoxCapture(int answer = IDOK);
  ~MessageBoxCapture();
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  const std::vector<CapturedBox>& boxes() const { return m_boxes; }
  void SetAnswer(int answer) { m_answer = answer; }

 private:
  std::vector<CapturedBox> m_boxes;
  int m_answer;
  MessageBoxSink m_previous;
};
