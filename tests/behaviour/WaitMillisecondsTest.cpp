// The busy wait: it measures from its entry across the clock's wrap, and a count of 0 or
// less never waits.
#include <gtest/gtest.h>

#include "behaviour/WaitMilliseconds.h"

namespace {

DWORD g_now = 0;
int g_reads = 0;
DWORD SteppingClock() {
  ++g_reads;
  const DWORD now = g_now;
  g_now += 5;
  return now;
}

}  // namespace

TEST(WaitMilliseconds, MeasuresAcrossTheClockWrap) {
  g_now = 0xFFFFFFF0u;
  g_reads = 0;
  const DWORD elapsed = WaitMilliseconds(32, SteppingClock);
  EXPECT_GE(elapsed, 32u);
  EXPECT_LT(elapsed, 37u);
  EXPECT_EQ(8, g_reads);  // the entry and seven steps of 5
}

TEST(WaitMilliseconds, ZeroOrNegativeReturnsAtOnce) {
  for (int n : {0, -1, -1000}) {
    SCOPED_TRACE(n);
    g_now = 100;
    g_reads = 0;
    EXPECT_EQ(0u, WaitMilliseconds(n, SteppingClock));
    EXPECT_LE(g_reads, 1);
  }
}

TEST(WaitMilliseconds, WaitsOnTheMultimediaClock) {
  EXPECT_GE(WaitMilliseconds(2), 2u);
}
