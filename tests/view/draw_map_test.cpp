#include "view/draw_map.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "view/source_symbol.h"

namespace sonvale {
namespace {

LineVertex V(double x, double y, float sw = 0, float ew = 0) { return LineVertex{x, y, 0, sw, ew}; }

Strada& AddRoad(Project& p, std::vector<LineVertex> v, long ndir, long pav = 0) {
  Strada& s = p.strade.addEntity();
  s.vertices = std::move(v);
  s.NDir = ndir;
  s.Pavimentaz = pav;
  return s;
}

void ExpectLine(const Drawn& d, double x1, double y1, double x2, double y2, Rgb colour) {
  EXPECT_EQ(d.kind, Drawn::Line);
  EXPECT_NEAR(d.x1, x1, 1e-9);
  EXPECT_NEAR(d.y1, y1, 1e-9);
  EXPECT_NEAR(d.x2, x2, 1e-9);
  EXPECT_NEAR(d.y2, y2, 1e-9);
  EXPECT_EQ(d.pen.colour, colour);
}

TEST(DrawMap, WindowFitAndZoomLimit) {
  Project p;
  AddRoad(p, {V(0, 0), V(10, 0)}, 1);
  RecordingCanvas c(400, 300);  // width to height 4:3
  LayerVisibility layers;

  // 20 x 15 m already has the picture's shape: too narrow, nothing drawn at all.
  ViewWindow v{0, 0, 20, 15};
  EXPECT_FALSE(DrawMap(p, layers, v, c, true));
  EXPECT_TRUE(c.drawn.empty());
  EXPECT_EQ(v.X2, 20);
  EXPECT_EQ(v.Y2, 15);

  // 20 x 100 m is widened to 133.33 m first, so it is drawn.
  v = ViewWindow{0, 0, 20, 100};
  ASSERT_TRUE(DrawMap(p, layers, v, c, true));
  EXPECT_NEAR(v.X1, 10 - 200.0 / 3, 1e-9);
  EXPECT_NEAR(v.X2, 10 + 200.0 / 3, 1e-9);
  EXPECT_EQ(v.Y1, 0);
  EXPECT_EQ(v.Y2, 100);
  EXPECT_EQ(c.drawn.front().kind, Drawn::Clear);

  // Twice as wide as the picture: the width stays, the height doubles around the centre.
  c.drawn.clear();
  v = ViewWindow{0, 0, 800, 300};
  ASSERT_TRUE(DrawMap(p, layers, v, c, false));
  EXPECT_NE(c.drawn.front().kind, Drawn::Clear);
  EXPECT_EQ(c.window(), (UserWindow{0, 450, 800, -600}));
  EXPECT_EQ(v.X1, 0);
  EXPECT_EQ(v.X2, 800);
  EXPECT_EQ(v.Y1, -150);
  EXPECT_EQ(v.Y2, 450);

  // A window given right to left and top to bottom is the same window.
  v = ViewWindow{800, 300, 0, 0};
  ASSERT_TRUE(DrawMap(p, layers, v, c, false));
  EXPECT_EQ(v.X1, 0);
  EXPECT_EQ(v.Y1, -150);

  // A picture without size or an empty model draws nothing.
  RecordingCanvas flat(400, 0);
  v = ViewWindow{0, 0, 800, 300};
  EXPECT_FALSE(DrawMap(p, layers, v, flat, true));
  Project empty;
  empty.incroci.addEntity();  // crossings alone do not count as a model
  EXPECT_FALSE(DrawMap(empty, layers, v, c, true));
}

TEST(DrawMap, RoadColoursAndCarriagewayGeometry) {
  Project p;
  AddRoad(p, {V(0, 0, 10, 6), V(100, 0, 8, 4), V(100, 100)}, 3);  // cyan
  AddRoad(p, {V(0, 200), V(50, 200)}, 0);                         // red
  AddRoad(p, {V(0, 250), V(50, 250)}, 2);                         // grey and purple
  AddRoad(p, {V(0, 260), V(50, 260)}, 1, -1);                     // fixed level: red
  AddRoad(p, {V(0, 270), V(50, 270)}, 4, -1);                     // cyan wins over red
  AddRoad(p, {V(0, 280), V(0, 280, 2, 2), V(50, 280)}, 2);        // zero-length first segment
  RecordingCanvas c(400, 300);
  LayerVisibility layers;
  ViewWindow v{0, 0, 400, 300};
  ASSERT_TRUE(DrawMap(p, layers, v, c, true));
  auto lines = c.of(Drawn::Line);
  ASSERT_EQ(lines.size(), 8u + 3 + 3 + 3 + 3 + 4);

  const Rgb cyanEdge = RGB(0, 200, 200), cyan = RGB(0, 255, 255);
  ExpectLine(lines[0], 0, 5, 100, 3, cyanEdge);  // left edge
  ExpectLine(lines[1], 0, -5, 100, -3, cyanEdge);
  ExpectLine(lines[2], 0, 0, 100, 0, cyan);  // centre line
  ExpectLine(lines[3], 96, 0, 98, 100, cyanEdge);
  ExpectLine(lines[4], 104, 0, 102, 100, cyanEdge);
  ExpectLine(lines[5], 100, 3, 96, 0, cyanEdge);  // joins to the previous segment
  ExpectLine(lines[6], 100, -3, 104, 0, cyanEdge);
  ExpectLine(lines[7], 100, 0, 100, 100, cyan);

  EXPECT_EQ(lines[8].pen.colour, RGB(200, 0, 0));
  EXPECT_EQ(lines[10].pen.colour, RGB(255, 0, 0));
  EXPECT_EQ(lines[11].pen.colour, QBColor(8));
  EXPECT_EQ(lines[11].pen.colour, RGB(128, 128, 128));
  EXPECT_EQ(lines[13].pen.colour, RGB(128, 0, 128));
  EXPECT_EQ(lines[16].pen.colour, RGB(255, 0, 0));
  EXPECT_EQ(lines[19].pen.colour, cyan);
  // Zero length: its centre line only; the next segment has nothing to join to.
  ExpectLine(lines[20], 0, 280, 0, 280, RGB(128, 0, 128));
  ExpectLine(lines[21], 0, 281, 50, 281, QBColor(8));
  ExpectLine(lines[23], 0, 280, 50, 280, RGB(128, 0, 128));
}

TEST(DrawMap, OrderColoursWidthsAndLabels) {
  Project p;
  Binario& b = p.binari.addEntity();
  b.vertices = {V(0, 10, 4, 4), V(100, 10, 4, 4)};
  Barriera& bar = p.barriere.addEntity();
  bar.vertices = {{10, 20, 3}, {60, 20, 3}, {60, 30, 3}};
  Casa& casa = p.case_.addEntity();
  casa.vertices = {{200, 200, 9}, {220, 200, 9}, {220, 220, 9}};
  p.punti.addEntity() = Punto{100, 100, 4, "Scuola Media"};
  p.punti.addEntity() = Punto{120, 100, 4, "Via"};
  p.incroci.addEntity() = Incrocio{150, 150, 0};
  p.sezioni.addEntity() = Sezione{0, 0, 0, 200, 100, 0};
  p.plans.addEntity().vertices = {{300, 0, 0}, {340, 0, 0}, {340, 40, 0}, {300, 40, 0}};
  Source& s = p.sources.addEntity();
  s.X = 300;
  s.Y = 200;
  p.faces.addEntity();
  p.receivers.addEntity() = Receiver{50, 250, 1};
  LayerVisibility layers;
  layers.Lcase = false;  // building labels hidden, barrier labels shown
  layers.Lbarriere = true;

  RecordingCanvas c(400, 300);  // 1 m a pixel: a character is 8 m wide and 12 m high
  ViewWindow v{0, 0, 400, 300};
  ASSERT_TRUE(DrawMap(p, layers, v, c, true));

  EXPECT_EQ(c.texts(), (std::vector<std::string>{"Barr. n.1", "1-Scuola", "2-Via   ", "Sez. 1",
                                                 "Plan. 1", "A", "1"}));
  auto texts = c.of(Drawn::Text);
  EXPECT_EQ(texts[0].x1, 60);  // at the barrier's last vertex
  EXPECT_EQ(texts[0].y1, 30);
  EXPECT_DOUBLE_EQ(texts[1].x1, 92);  // X - width of "1", Y + 300/100 + height
  EXPECT_DOUBLE_EQ(texts[1].y1, 115);
  EXPECT_DOUBLE_EQ(texts[3].x1, 76);  // centred on the section's midpoint (100, 50)
  EXPECT_DOUBLE_EQ(texts[3].y1, 56);
  EXPECT_DOUBLE_EQ(texts[4].x1, 292);  // centre of the plan's box (320, 20)
  EXPECT_DOUBLE_EQ(texts[4].y1, 26);
  EXPECT_DOUBLE_EQ(texts[5].x1, 300 - 8 / 2.5);
  EXPECT_DOUBLE_EQ(texts[5].y1, 215);
  EXPECT_DOUBLE_EQ(texts[6].x1, 46);
  EXPECT_DOUBLE_EQ(texts[6].y1, 265);

  // The kinds come in their fixed order, each recognised by its colour.
  auto firstIndex = [&](Rgb colour, Drawn::Kind kind = Drawn::Line) {
    for (size_t i = 0; i < c.drawn.size(); ++i) {
      if (c.drawn[i].kind == kind && c.drawn[i].pen.colour == colour) return i;
    }
    return c.drawn.size();
  };
  std::vector<size_t> order = {firstIndex(QBColor(9)),
                               firstIndex(RGB(0, 196, 0)),
                               firstIndex(RGB(0, 255, 255)),
                               firstIndex(QBColor(2), Drawn::Circle),
                               firstIndex(QBColor(0), Drawn::Circle),
                               firstIndex(RGB(200, 0, 200)),
                               firstIndex(RGB(255, 0, 255)),
                               firstIndex(QBColor(1), Drawn::Circle),
                               firstIndex(QBColor(12)),
                               firstIndex(QBColor(5), Drawn::Circle)};
  for (size_t k = 0; k < order.size(); ++k) ASSERT_LT(order[k], c.drawn.size()) << k;
  for (size_t k = 1; k < order.size(); ++k) EXPECT_LT(order[k - 1], order[k]) << k;

  auto lines = c.of(Drawn::Line);
  EXPECT_EQ(lines[0].pen.colour, QBColor(9));  // track edge
  EXPECT_EQ(lines[2].pen.colour, QBColor(1));  // track centre
  EXPECT_EQ(lines[3].pen.width, 3);            // barrier
  EXPECT_EQ(lines[5].pen.width, 1);            // building
  // Plan closed back to its first vertex; the face through its four corner slots.
  ExpectLine(lines[11], 300, 40, 300, 0, RGB(255, 0, 255));
  EXPECT_EQ(lines.size(), 3u + 2 + 2 + 1 + 4 + 4);

  auto circles = c.of(Drawn::Circle);
  ASSERT_EQ(circles.size(), 5u);
  EXPECT_EQ(circles[0].pen.colour, QBColor(2));
  EXPECT_EQ(circles[0].fill, QBColor(11));
  EXPECT_DOUBLE_EQ(circles[0].x2, 2);  // a two-hundredth of the width
  EXPECT_EQ(circles[2].pen.colour, RGB(0, 0, 0));
  EXPECT_EQ(circles[2].fill, RGB(255, 128, 0));
  EXPECT_EQ(circles[3].pen.colour, QBColor(1));
  EXPECT_EQ(circles[3].fill, QBColor(1));
  EXPECT_EQ(circles[4].pen.colour, RGB(128, 0, 128));
  EXPECT_EQ(circles[4].fill, RGB(255, 0, 0));
  EXPECT_DOUBLE_EQ(circles[4].x2, 400.0 / 300);
  EXPECT_FALSE(c.fill().has_value());

  // Hidden layers are skipped, the others stay.
  layers.Binari = layers.Barriere = layers.Sorgenti = layers.Echoray = false;
  c.drawn.clear();
  ASSERT_TRUE(DrawMap(p, layers, v, c, true));
  EXPECT_EQ(c.texts(), (std::vector<std::string>{"1-Scuola", "2-Via   ", "Sez. 1", "Plan. 1"}));
  EXPECT_EQ(c.of(Drawn::Circle).size(), 3u);
}

TEST(SourceSymbol, LabelsAndPlacement) {
  EXPECT_EQ(SourceLabel(1), "A");
  EXPECT_EQ(SourceLabel(25), "Y");
  EXPECT_EQ(SourceLabel(26), "AA");
  EXPECT_EQ(SourceLabel(50), "B@");
  EXPECT_EQ(SourceLabel(51), "BA");
  EXPECT_EQ(SourceLabel(1600), "\xC2\x80@");  // code 128: two UTF-8 bytes, no crash
  EXPECT_EQ(SourceLabel(10000).size(), 3u);

  Project p;
  for (int i = 0; i < 26; ++i) {
    Source& s = p.sources.addEntity();
    s.X = 10.0 * i;
    s.Y = 100;
  }
  RecordingCanvas c(200, 100);
  c.setWindow(UserWindow{0, 200, 400, -200});  // 2 m a pixel
  DrawSource(p, 26, c);
  DrawSource(p, 27, c);  // no such source: nothing
  ASSERT_EQ(c.drawn.size(), 2u);
  EXPECT_EQ(c.drawn[0].kind, Drawn::Circle);
  EXPECT_DOUBLE_EQ(c.drawn[0].x1, 250);
  EXPECT_DOUBLE_EQ(c.drawn[0].x2, 2);
  EXPECT_EQ(c.drawn[0].pen.colour, QBColor(1));
  EXPECT_EQ(c.drawn[1].text, "AA");
  EXPECT_DOUBLE_EQ(c.drawn[1].x1, 250 - 32 / 2.5);  // two characters of 16 m
  EXPECT_DOUBLE_EQ(c.drawn[1].y1, 100 + 2 + 24);
}

}  // namespace
}  // namespace sonvale
