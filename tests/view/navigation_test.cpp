#include "view/navigation.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "view/draw_map.h"
#include "view/map_marks.h"
#include "view/shown_levels.h"

namespace sonvale {
namespace {

// A picture 400 x 200 pixels showing x 1000..1400, y 500..700: 1 m a pixel.
const UserWindow kDrawn{1000, 700, 400, -200};
constexpr double kW = 400, kH = 200;

TEST(NavigationTest, PointsAndWindowsByHand) {
  UserPoint u = UserPointAt(kDrawn, kW, kH, 100, 50);
  EXPECT_DOUBLE_EQ(u.x, 1100);
  EXPECT_DOUBLE_EQ(u.y, 650);

  // Halving about (1100, 650): every side moves halfway towards the point.
  ViewWindow z = ZoomedAbout(ViewWindow{1000, 500, 1400, 700}, 1100, 650, 0.5);
  EXPECT_DOUBLE_EQ(z.X1, 1050);
  EXPECT_DOUBLE_EQ(z.Y1, 575);
  EXPECT_DOUBLE_EQ(z.X2, 1250);
  EXPECT_DOUBLE_EQ(z.Y2, 675);

  EXPECT_DOUBLE_EQ(WheelZoomFactor(120), 0.8);
  EXPECT_DOUBLE_EQ(WheelZoomFactor(-120), 1.25);
  EXPECT_DOUBLE_EQ(WheelZoomFactor(240), 0.64);

  // Dragging 30 px right and 10 px down moves the window 30 m west and 10 m north.
  ViewWindow p = PannedByDrag(ViewWindow{1000, 500, 1400, 700}, kDrawn, kW, kH, 30, 10);
  EXPECT_DOUBLE_EQ(p.X1, 970);
  EXPECT_DOUBLE_EQ(p.X2, 1370);
  EXPECT_DOUBLE_EQ(p.Y1, 510);
  EXPECT_DOUBLE_EQ(p.Y2, 710);

  // The picture of the drawn window shown for a window half its size about
  // (1100, 650): doubled, the pixel of that point (100, 50) stays where it is.
  UserWindow half{1050, 675, 200, -100};
  PictureMove m = PreviewMove(kDrawn, half, kW, kH);
  EXPECT_DOUBLE_EQ(m.scale, 2);
  EXPECT_DOUBLE_EQ(100 * m.scale + m.dx, 100);
  EXPECT_DOUBLE_EQ(50 * m.scale + m.dy, 50);
}

TEST(NavigationTest, WheelStepsKeepThePointUnderThePointerAndPansFollowTheDrag) {
  MapNavigation nav;
  nav.drawn(kDrawn, kW, kH);
  EXPECT_FALSE(nav.pending());
  ASSERT_TRUE(nav.wheel(120, 300, 40));
  ASSERT_TRUE(nav.wheel(120, 300, 40));
  ASSERT_TRUE(nav.pending());
  UserPoint under = nav.userPoint(300, 40);
  EXPECT_NEAR(under.x, 1300, 1e-9);
  EXPECT_NEAR(under.y, 660, 1e-9);
  EXPECT_NEAR(nav.target().width, 400 * 0.64, 1e-9);
  // The old picture shows the pending window: the pointer's pixel stays put.
  PictureMove m = nav.preview();
  EXPECT_NEAR(300 * m.scale + m.dx, 300, 1e-9);
  EXPECT_NEAR(40 * m.scale + m.dy, 40, 1e-9);

  // Zooming in past the 30 m limit is refused; the window stays.
  MapNavigation tight;
  tight.drawn(UserWindow{0, 16, 32, -16}, kW, kH);
  EXPECT_FALSE(tight.wheel(120, 10, 10));
  EXPECT_FALSE(tight.pending());

  // A pan: the ground under the pointer at the press is under it at the end.
  nav.drawn(kDrawn, kW, kH);
  nav.startPan(100, 100);
  nav.panTo(160, 70);
  UserPoint held = nav.userPoint(160, 70);
  EXPECT_NEAR(held.x, 1100, 1e-9);
  EXPECT_NEAR(held.y, 600, 1e-9);
  ViewWindow settled = nav.settle();
  EXPECT_FALSE(nav.pending());
  EXPECT_NEAR(settled.X1, 940, 1e-9);  // left, bottom, right, top
  EXPECT_NEAR(settled.Y1, 470, 1e-9);  // dragged up 30 px: the window goes 30 m south
  EXPECT_NEAR(settled.X2, 1340, 1e-9);
  EXPECT_NEAR(settled.Y2, 670, 1e-9);
}

TEST(NavigationTest, ShownLevelsTellTheCellUnderAPoint) {
  ShownLevels shown;
  EXPECT_FALSE(shown.levelAt(0, 0));
  MapCell a;
  a.x1 = 0, a.y1 = 0, a.x2 = 10, a.y2 = 10, a.level = 63.4;
  MapCell b = a;
  b.x1 = 10, b.x2 = 20, b.level = 55;
  MapCell blank = a;
  blank.x1 = 20, blank.x2 = 30, blank.level = 1.70141e38;
  shown.add(a);
  shown.add(b);
  shown.add(blank);
  EXPECT_EQ(shown.size(), 2u);  // a cell without a value is not a level
  EXPECT_EQ(shown.levelAt(5, 5), 63.4);
  EXPECT_EQ(shown.levelAt(15, 9.5), 55.0);
  EXPECT_EQ(shown.levelAt(10, 5), 55.0);  // on the shared edge the later cell wins
  EXPECT_FALSE(shown.levelAt(25, 5));
  EXPECT_FALSE(shown.levelAt(5, -0.1));
  shown.clear();
  EXPECT_TRUE(shown.empty());
}

// A mark is a square of its colour a four-hundredth of the window wide each
// way from its point: the same size on the screen at every zoom, and the
// pointer is over it anywhere in that square.
TEST(NavigationTest, MarksKeepTheirSizeOnTheScreen) {
  RecordingCanvas canvas(kW, kH);
  canvas.setWindow(kDrawn);
  const std::vector<MapMark> marks = {{1100, 650, RGB(0, 128, 0), "a"},
                                      {1200, 600, RGB(255, 0, 0), "b"},
                                      {1101.5, 650, RGB(0, 0, 255), "c"}};
  PaintMarks(canvas, marks);
  std::vector<Drawn> boxes = canvas.of(Drawn::FilledBox);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].x1, 1099);
  EXPECT_EQ(boxes[0].y2, 651);
  EXPECT_EQ(*boxes[1].fill, RGB(255, 0, 0));
  auto under = [&marks](const UserWindow& w, double x, double y) {
    const MapMark* m = MarkAt(marks, w, x, y);
    return m ? m->text : std::string("none");
  };
  EXPECT_EQ(under(kDrawn, 1199.2, 600.9), "b");
  EXPECT_EQ(under(kDrawn, 1100.8, 650), "c");  // the one painted over
  EXPECT_EQ(under(kDrawn, 1099.5, 650), "a");
  EXPECT_EQ(under(kDrawn, 1109, 650), "none");
  canvas.drawn.clear();
  const UserWindow far{1000, 700, 4000, -2000};  // zoomed out ten times
  canvas.setWindow(far);
  PaintMarks(canvas, {marks[0]});
  EXPECT_EQ(canvas.of(Drawn::FilledBox)[0].x2, 1110);
  EXPECT_EQ(under(far, 1109, 650), "c");
}

}  // namespace
}  // namespace sonvale
