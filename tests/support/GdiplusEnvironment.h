// GDI+ started for a whole test executable, as the programs start it once. An area whose
// tests decode or draw pictures registers it in one of its sources:
//   static testing::Environment* const gdiplus =
//       testing::AddGlobalTestEnvironment(new GdiplusEnvironment);
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "media/GdiplusSession.h"

class GdiplusEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    m_session = std::make_unique<CGdiplusSession>();
    ASSERT_TRUE(m_session->IsStarted()) << "GdiplusStartup status " << m_session->GetStatus();
  }
  void TearDown() override { m_session.reset(); }

 private:
  std::unique_ptr<CGdiplusSession> m_session;
};
