#include "graphics/GdiplusSession.h"

#include <utility>

CGdiplusSession::CGdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  m_status = Gdiplus::GdiplusStartup(&token, &input, nullptr);
  if (m_status == Gdiplus::Ok) m_token = token;
}

CGdiplusSession::~CGdiplusSession() { Shutdown(); }

CGdiplusSession::CGdiplusSession(CGdiplusSession&& other) noexcept
    : m_token(std::exchange(other.m_token, 0)),
      m_status(std::exchange(other.m_status, Gdiplus::GdiplusNotInitialized)) {}

CGdiplusSession& CGdiplusSession::operator=(CGdiplusSession&& other) noexcept {
  if (this != &other) {
    Shutdown();
    m_token = std::exchange(other.m_token, 0);
    m_status = std::exchange(other.m_status, Gdiplus::GdiplusNotInitialized);
  }
  return *this;
}

void CGdiplusSession::Shutdown() {
  if (m_token) Gdiplus::GdiplusShutdown(m_token);
  m_token = 0;
}
