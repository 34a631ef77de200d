// CGdiplusSession: GDI+ started for as long as the object lives. A program makes one at
// start-up and keeps it until exit; every picture, graphics and path must be gone by
// then, because GDI+ objects cannot be released after the shut-down.
#pragma once

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

class CGdiplusSession {
 public:
  CGdiplusSession();
  ~CGdiplusSession();
  CGdiplusSession(CGdiplusSession&& other) noexcept;
  CGdiplusSession& operator=(CGdiplusSession&& other) noexcept;
  CGdiplusSession(const CGdiplusSession&) = delete;
  CGdiplusSession& operator=(const CGdiplusSession&) = delete;

  // False when GDI+ is missing or refused to start; the player then tells the user.
  bool IsStarted() const { return m_token != 0; }
  Gdiplus::Status GetStatus() const { return m_status; }

 private:
  void Shutdown();

  ULONG_PTR m_token = 0;
  Gdiplus::Status m_status = Gdiplus::GdiplusNotInitialized;
};
