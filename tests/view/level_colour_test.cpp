#include "view/level_colour.h"

#include <gtest/gtest.h>

#include "propagation/grid_file.h"
#include "support/recording_canvas.h"
#include "view/cell_painter.h"

namespace sonvale {
namespace {

TEST(LevelColour, ScaleFromVioletToRed) {
  EXPECT_EQ(LevelColour(255), RGB(255, 0, 0));      // 90 dB(A)
  EXPECT_EQ(LevelColour(400), RGB(255, 0, 0));      // above the scale counts as its top
  EXPECT_EQ(LevelColour(0), RGB(100, 0, 155));      // 40 dB(A): b = 200
  EXPECT_EQ(LevelColour(51), RGB(0, 0, 255));       // 50 dB(A): b = 160
  EXPECT_EQ(LevelColour(102), RGB(0, 255, 255));    // 60 dB(A): b = 120
  EXPECT_EQ(LevelColour(127.5), RGB(0, 255, 128));  // 65 dB(A): b = 100, 127.5 rounds up
  // b below 93 is stretched: b = 92 becomes 91, b = 40 becomes 30, b = 20 becomes 16.
  EXPECT_EQ(LevelColour(137), RGB(0, 255, 70));
  EXPECT_EQ(LevelColour(204), RGB(255, 191, 0));    // 80 dB(A)
  EXPECT_EQ(LevelColour(229.5), RGB(255, 102, 0));  // 85 dB(A)
  // Below 40 dB(A) b passes 200 and the colour falls off the scale.
  EXPECT_EQ(LevelColour(LevelIndex(30)), RGB(128, 0, 0));
  EXPECT_EQ(LevelColour(-1e300), RGB(128, 0, 0));
  EXPECT_EQ(LevelColour(std::nan("")), RGB(128, 0, 0));
  EXPECT_DOUBLE_EQ(LevelIndex(90), 255);
}

TEST(CellPainter, PaintsGridCellsLikeTheMapPass) {
  GridData g;
  g.header = GridHeader{3, 2, 0, 30, 100, 120, 30, 100};
  g.values = {40, 90, kBlankValue, 65, 80, 50};
  RecordingCanvas c(300, 200);
  c.setWindow(UserWindow{0, 120, 30, -20});
  PaintGridLevels(c, g);
  auto boxes = c.of(Drawn::FilledBox);
  ASSERT_EQ(boxes.size(), 5u);  // the blank node is left alone
  EXPECT_EQ(boxes[0].fill, RGB(100, 0, 155));
  EXPECT_EQ(boxes[1].fill, RGB(255, 0, 0));
  EXPECT_DOUBLE_EQ(boxes[1].x1, 10);
  EXPECT_DOUBLE_EQ(boxes[1].x2, 20);
  EXPECT_DOUBLE_EQ(boxes[1].y1, 100);
  EXPECT_DOUBLE_EQ(boxes[1].y2, 110);
  EXPECT_EQ(boxes[2].fill, RGB(0, 255, 128));  // node (0, 1) at 65 dB(A)
  EXPECT_DOUBLE_EQ(boxes[2].y1, 110);
  EXPECT_DOUBLE_EQ(boxes[2].y2, 120);
  EXPECT_EQ(boxes[3].fill, RGB(255, 191, 0));

  // A map pass hands its cells to the painter one by one.
  auto painter = MakeCellPainter(c);
  painter(MapCell{0, 0, 1, 2, 3, 4, 50});
  EXPECT_EQ(c.drawn.back().fill, RGB(0, 0, 255));
  EXPECT_DOUBLE_EQ(c.drawn.back().x2, 3);

  // A grid whose values fall short of its header is not painted.
  g.values.pop_back();
  c.drawn.clear();
  PaintGridLevels(c, g);
  EXPECT_TRUE(c.drawn.empty());
}

}  // namespace
}  // namespace sonvale
