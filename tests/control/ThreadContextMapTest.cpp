#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "control/ThreadContextMap.h"

namespace {

auto* const kView = reinterpret_cast<CMainView*>(0x1000);
auto* const kDocument = reinterpret_cast<CMainDoc*>(0x2000);
auto* const kControl = reinterpret_cast<CRaveloCtrl*>(0x3000);
const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x4000);

// Each test leaves the calling thread without a record.
struct ThreadContextMapTest : ::testing::Test {
  CThreadContextMap map;
};

TEST_F(ThreadContextMapTest, OneRecordPerThread) {
  EXPECT_EQ(1, map.AddCurrentThread());
  EXPECT_EQ(0, map.AddCurrentThread());
  EXPECT_EQ(1, map.GetCount());
  ASSERT_NE(nullptr, map.FindCurrent());
  EXPECT_EQ(::GetCurrentThreadId(), map.FindCurrent()->threadId);

  // A second add changed nothing of the first record.
  map.SetView(kView);
  EXPECT_EQ(0, map.AddCurrentThread());
  EXPECT_EQ(kView, map.GetView());

  EXPECT_EQ(1, map.RemoveCurrentThread());
  EXPECT_EQ(0, map.RemoveCurrentThread());
  EXPECT_EQ(1, map.AddCurrentThread());
  EXPECT_EQ(nullptr, map.GetView()) << "a new record starts empty";
  EXPECT_EQ(1, map.RemoveCurrentThread());
}

TEST_F(ThreadContextMapTest, WithoutRecordGettersAreEmptyAndSettersInert) {
  EXPECT_EQ(nullptr, map.SetView(kView));
  EXPECT_EQ(nullptr, map.SetDocument(kDocument));
  EXPECT_EQ(nullptr, map.SetControl(kControl));
  EXPECT_EQ(nullptr, map.SetModuleHandle(kInstance));
  EXPECT_EQ(nullptr, map.SetTargetMissing(1));
  map.SetBaseUrl("c:\\web\\");
  EXPECT_EQ(0, map.GetCount());

  EXPECT_EQ(nullptr, map.FindCurrent());
  EXPECT_EQ(nullptr, map.GetView());
  EXPECT_EQ(nullptr, map.GetDocument());
  EXPECT_EQ(nullptr, map.GetControl());
  EXPECT_EQ(nullptr, map.GetModuleHandle());
  EXPECT_EQ(0, map.GetTargetMissing());
  EXPECT_TRUE(map.GetBaseUrl().IsEmpty());
  EXPECT_EQ(2, map.m_smoothingMode);
}

TEST_F(ThreadContextMapTest, TwoThreadsSeeTheirOwnValues) {
  ASSERT_EQ(1, map.AddCurrentThread());
  map.SetView(kView);
  map.SetBaseUrl("c:\\main\\");
  map.SetModuleHandle(kInstance);
  map.SetTargetMissing(1);

  CMainView* otherView = nullptr;
  CString otherBase;
  HINSTANCE otherInstance = kInstance;
  int otherAdd = 0;
  std::thread other([&] {
    otherAdd = map.AddCurrentThread();
    map.SetView(reinterpret_cast<CMainView*>(0x5000));
    map.SetBaseUrl("http://web/");
    otherView = map.GetView();
    otherBase = map.GetBaseUrl();
    otherInstance = map.GetModuleHandle();
    map.RemoveCurrentThread();
  });
  other.join();

  EXPECT_EQ(1, otherAdd);
  EXPECT_EQ(reinterpret_cast<CMainView*>(0x5000), otherView);
  EXPECT_EQ(CString("http://web/"), otherBase);
  EXPECT_EQ(nullptr, otherInstance);
  EXPECT_EQ(kView, map.GetView());
  EXPECT_EQ(CString("c:\\main\\"), map.GetBaseUrl());
  EXPECT_EQ(kInstance, map.GetModuleHandle());
  EXPECT_EQ(1, map.GetTargetMissing());
  EXPECT_EQ(1, map.RemoveCurrentThread());
}

TEST_F(ThreadContextMapTest, ThreadsAddingAndRemovingAtOnceLeaveAnEmptyList) {
  constexpr int kThreads = 8;
  constexpr int kCycles = 1000;
  std::vector<int> wrong(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      auto* own = reinterpret_cast<CMainView*>(static_cast<UINT_PTR>(0x10000 + t));
      for (int i = 0; i < kCycles; ++i) {
        if (map.AddCurrentThread() != 1) ++wrong[t];
        map.SetView(own);
        if (map.GetView() != own) ++wrong[t];
        if (map.RemoveCurrentThread() != 1) ++wrong[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(0, wrong[t]) << "thread " << t;
  EXPECT_EQ(0, map.GetCount());
}

}  // namespace
