// An object moving along a real rectangle: the run resolves the trajectory by name, the
// rectangle gives its outline points, and the tick walk moves the object's centre along
// them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "model/DrawRect.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/TestHost.h"

namespace {

TEST(RectangleTrajectory, TheObjectFollowsTheOutlineTickByTick) {
  TestHost host;
  CDrawRect path(CRect(-100, 50, 100, -50));  // y-up: 200 x 100
  path.m_name = "路线";
  path.ToggleTrajectory();
  path.m_shapeParam1 = 1;  // from the top-left corner
  path.m_shapeParam2 = 5;  // to the bottom-right one: half the outline, 300 units
  CProbe mover("mover");
  CMethod slide = MakeAction(CMethod::typeTranslate, "slide", 0, 1000);
  slide.m_strPath = "路线";
  slide.m_nSpeed = 10;  // a point every 10 units
  AddAction(mover, slide);
  host.objects = {&path, &mover};

  ASSERT_TRUE(host.StartObjects());
  const int points = mover.m_actions[0].m_path.GetSize();
  EXPECT_GE(points, 29);
  EXPECT_LE(points, 32);

  int onOutline = 0;
  CPoint previous;
  for (int tick = 1; tick <= 3 + points; ++tick) {
    host.Tick();
    if (tick < 3) continue;
    const CPoint c = CentreOf(mover);
    // Every centre lies on the rectangle's outline.
    const bool onVertical = (std::abs(c.x) == 100 && std::abs(c.y) <= 50);
    const bool onHorizontal = (std::abs(c.y) == 50 && std::abs(c.x) <= 100);
    if (onVertical || onHorizontal) ++onOutline;
    if (tick > 3) {
      // Consecutive centres are one spacing apart (along an edge or round a corner).
      EXPECT_LE(std::abs(c.x - previous.x) + std::abs(c.y - previous.y), 20) << tick;
    }
    previous = c;
  }
  EXPECT_EQ(points + 1, onOutline);
  EXPECT_EQ(CPoint(100, -50), previous);  // it stays at the end handle
  host.StopObjects();
}

}  // namespace
