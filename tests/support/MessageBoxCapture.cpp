#include "tests/support/MessageBoxCapture.h"

MessageBoxCapture::MessageBoxCapture(int answer) : m_answer(answer) {
  m_previous = AfxSetMessageBoxSink([this](const CString& text, UINT flags) {
    const MessageBoxDetails& box = AfxCurrentMessageBox();
    m_boxes.push_back(CapturedBox{text, flags, box.caption, box.owner});
    return m_answer;
  });
}

MessageBoxCapture::~MessageBoxCapture() { AfxSetMessageBoxSink(std::move(m_previous)); }
