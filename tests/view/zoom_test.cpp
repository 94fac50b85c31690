#include "view/zoom.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "support/recording_work_report.h"

namespace sonvale {
namespace {

// A town of 1000 x 750 m, drawn on a 4:3 picture.
struct ZoomFixture : ::testing::Test {
  Project p;
  LayerVisibility layers;
  RecordingCanvas canvas{400, 300};
  RecordingWorkReport ui;
  MapScene scene{p, layers, canvas, ui};
  long editCursor = 7;

  ZoomFixture() {
    Strada& s = p.strade.addEntity();
    s.vertices = {LineVertex{0, 0, 0, 6, 6}, LineVertex{1000, 750, 0, 6, 6}};
    p.ExtendExtent(0, 0);
    p.ExtendExtent(1000, 750);
    p.View = ViewWindow{0, 0, 1000, 750};
  }

  ViewWindow drag(double x1, double y1, double x2, double y2) {
    ZoomDrag d;
    d.leftDown(scene, x1, y1, editCursor);
    d.move(scene, x2, y2, true);
    d.leftUp(scene);
    return p.View;
  }
};

void ExpectView(const ViewWindow& v, double x1, double y1, double x2, double y2) {
  EXPECT_DOUBLE_EQ(v.X1, x1);
  EXPECT_DOUBLE_EQ(v.Y1, y1);
  EXPECT_DOUBLE_EQ(v.X2, x2);
  EXPECT_DOUBLE_EQ(v.Y2, y2);
}

TEST_F(ZoomFixture, DragInEitherDirectionGivesTheSameWindow) {
  ExpectView(drag(600, 200, 200, 500), 200, 200, 600, 500);  // lower right to upper left
  p.View = ViewWindow{0, 0, 1000, 750};
  ExpectView(drag(200, 500, 600, 200), 200, 200, 600, 500);
  p.View = ViewWindow{0, 0, 1000, 750};
  ExpectView(drag(200, 200, 600, 500), 200, 200, 600, 500);
  EXPECT_EQ(editCursor, 0);
  EXPECT_EQ(ui.progresses.back(), kPickHint);
  // The new window was drawn from a blank picture with copy pen and solid lines.
  EXPECT_EQ(canvas.window(), (UserWindow{200, 500, 400, -300}));
  EXPECT_EQ(canvas.pen().mode, DrawMode::Copy);
  EXPECT_EQ(canvas.pen().style, LineStyle::Solid);
}

TEST_F(ZoomFixture, RubberBandAndStatusTexts) {
  ZoomDrag d;
  d.leftDown(scene, 100, 100, editCursor);
  EXPECT_TRUE(d.dragging());
  EXPECT_EQ(editCursor, 0);
  EXPECT_EQ(d.move(scene, 350.456, 40, true), DragPointer::NorthWestSouthEast);
  EXPECT_EQ(ui.progresses.back(), "Zoom Area: (100.,100.) -> (350.46,40.)");
  EXPECT_EQ(d.move(scene, 50, 50, true), DragPointer::NorthEastSouthWest);
  EXPECT_EQ(d.move(scene, 150, 150, true), DragPointer::NorthEastSouthWest);
  // Each move draws the old band again (XOR takes it away) and then the new one.
  auto boxes = canvas.of(Drawn::Box);
  ASSERT_EQ(boxes.size(), 6u);
  EXPECT_EQ(boxes[0].x2, 100);
  EXPECT_EQ(boxes[1].x2, 350.456);
  EXPECT_EQ(boxes[2].x2, 350.456);
  EXPECT_EQ(boxes[4].x2, 50);
  EXPECT_EQ(boxes[5].x2, 150);
  for (const Drawn& b : boxes) {
    EXPECT_EQ(b.pen.colour, QBColor(3));
    EXPECT_EQ(b.pen.mode, DrawMode::Xor);
    EXPECT_EQ(b.pen.style, LineStyle::Dashed);
  }
  // Without the button the pointer position is shown, two decimals at most.
  d.move(scene, -12.345, 7, false);
  EXPECT_EQ(ui.progresses.back(),
            "Fai click <destro> sulla entità che vuoi editare...  - (-12.35,7.)");
  EXPECT_EQ(canvas.of(Drawn::Box).size(), 6u);

  canvas.drawn.clear();
  EXPECT_TRUE(d.leftUp(scene));
  EXPECT_FALSE(d.dragging());
  ASSERT_GE(canvas.drawn.size(), 2u);
  EXPECT_EQ(canvas.drawn[0].kind, Drawn::Box);  // the last band, in green
  EXPECT_EQ(canvas.drawn[0].pen.colour, QBColor(2));
  EXPECT_EQ(canvas.drawn[1].kind, Drawn::Clear);
  EXPECT_FALSE(d.leftUp(scene));  // a release without a press does nothing
}

TEST_F(ZoomFixture, ClickWithoutMovementShowsAll) {
  p.View = ViewWindow{100, 100, 200, 175};
  ZoomDrag d;
  d.leftDown(scene, 150, 150, editCursor);
  EXPECT_TRUE(d.leftUp(scene));
  ExpectView(p.View, 0, 0, 1000, 750);
}

TEST_F(ZoomFixture, ZoomOutDoublesAroundTheCentre) {
  p.View = ViewWindow{0, 0, 100, 75};
  EXPECT_TRUE(ZoomIndietro(scene, editCursor));
  EXPECT_EQ(editCursor, 0);
  ExpectView(p.View, -50, -37.5, 150, 112.5);
  EXPECT_TRUE(ZoomIndietro(scene, editCursor));
  ExpectView(p.View, -150, -112.5, 250, 187.5);  // 400 m wide, centre (50, 37.5)

  EXPECT_TRUE(ZoomTutto(scene));
  ExpectView(p.View, 0, 0, 1000, 750);
}

TEST_F(ZoomFixture, RefusedRectangleLeavesTheViewForZoomOut) {
  // A 10 x 5 m rectangle is below the zoom limit: nothing is drawn ...
  canvas.drawn.clear();
  ExpectView(drag(100, 100, 110, 105), 0, 0, 1000, 750);
  EXPECT_TRUE(canvas.of(Drawn::Clear).empty());
  // ... so zooming out starts from the 1000 m map that is on the picture.
  ZoomIndietro(scene, editCursor);
  ZoomIndietro(scene, editCursor);
  ExpectView(p.View, -1500, -1125, 2500, 1875);  // 4000 m around (500, 375)
}

TEST(Picking, NearestVertexWithTiesToTheFirstMet) {
  Project p;
  long selected = 42;
  // Nothing to pick: the road editor, the selection kept.
  EXPECT_EQ(PickForEdit(p, 0, 0, selected), EntityKind::Road);
  EXPECT_EQ(selected, 42);

  p.strade.addEntity().vertices = {LineVertex{0, 0}, LineVertex{0, 100}};
  p.strade.addEntity().vertices = {LineVertex{200, 0}, LineVertex{0, 100}};  // shares a vertex
  p.binari.addEntity().vertices = {LineVertex{500, 0}, LineVertex{500, 100}};
  Source& s = p.sources.addEntity();
  s.X = 10;
  s.Y = 0;
  Source& s2 = p.sources.addEntity();
  s2.X = 510;
  s2.Y = 0;

  // Halfway between a road vertex and a source: the road.
  EXPECT_EQ(PickForEdit(p, 5, 0, selected), EntityKind::Road);
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(PickForEdit(p, 8, 0, selected), EntityKind::Source);
  EXPECT_EQ(selected, 1);
  // The vertex shared by two roads goes to the lower number.
  EXPECT_EQ(PickEntity(p, 0, 90).entity, 1);
  EXPECT_EQ(PickEntity(p, 190, 0).entity, 2);
  // A track against a source at equal distance: the track.
  Pick t = PickEntity(p, 505, 0);
  EXPECT_EQ(t.kind, EntityKind::Track);
  EXPECT_EQ(t.entity, 1);
  Pick q = PickEntity(p, 509, 1);
  EXPECT_EQ(q.kind, EntityKind::Source);
  EXPECT_EQ(q.entity, 2);
}

TEST(StatusTexts, NumbersWithoutLeadingBlanks) {
  EXPECT_EQ(StatusCoordinate(1234567.891), "1234567.89");
  EXPECT_EQ(StatusCoordinate(0.004), "0.");
  EXPECT_EQ(StatusCoordinate(-0.5), "-0.5");
  EXPECT_EQ(ZoomAreaStatus(1, 2.5, 3, 4), "Zoom Area: (1.,2.5) -> (3.,4.)");
  EXPECT_EQ(PointerStatus(12.5, 0), std::string(kPickHint) + "  - (12.5,0.)");
}

}  // namespace
}  // namespace sonvale
