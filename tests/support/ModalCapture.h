// Captures the modal UI a test expects (dialogs, file dialogs, the folder browser,
// help): each call is recorded and answered by the test's function, which may also
// fill in the call's path or run the real thing with call.show().
#pragma once

#include <functional>
#include <vector>

#include "framework/ui/ModalSink.h"

struct CapturedModal {
  ModalCall::Kind kind;
  UINT id;
  BOOL open;
  CString title;
  CString text;
  CString path;  // as the caller gave it
};

class ModalCapture {
 public:
  using Answer = std::function<INT_PTR(ModalCall&)>;

  explicit ModalCapture(Answer answer = [](ModalCall&) { return static_cast<INT_PTR>(IDCANCEL); });
  ~ModalCapture();
  ModalCapture(const ModalCapture&) = delete;
  ModalCapture& operator=(const ModalCapture&) = delete;

  const std::vector<CapturedModal>& calls() const { return m_calls; }
  void SetAnswer(Answer answer) { m_answer = std::move(answer); }

 private:
  std::vector<CapturedModal> m_calls;
  Answer m_answer;
  ModalSink m_previous;
};
