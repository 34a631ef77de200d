#include "tests/support/ModalCapture.h"

ModalCapture::ModalCapture(Answer answer) : m_answer(std::move(answer)) {
  m_previous = AfxSetModalSink([this](ModalCall& call) {
    m_calls.push_back(CapturedModal{call.kind, call.id, call.open, call.title, call.text, call.path});
    return m_answer(call);
  });
}

ModalCapture::~ModalCapture() { AfxSetModalSink(std::move(m_previous)); }
