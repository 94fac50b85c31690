// The QPainter canvas and the map pictures, drawn offscreen.
#include "render/qt_canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <filesystem>

#include "propagation/grid_file.h"
#include "render/map_picture.h"
#include "text/file_error.h"
#include "view/level_colour.h"

namespace sonvale {
namespace {

QColor At(const QImage& img, int x, int y) { return img.pixelColor(x, y); }

TEST(QtCanvas, UserWindowWithYUpAndPens) {
  QImage img(200, 100, QImage::Format_RGB32);
  {
    QtCanvas c(img);
    c.clear();
    c.setWindow(UserWindow{1000, 2050, 100, -50});  // 2 pixels a metre, Y up
    QPointF p = c.toDevice(1025, 2040);
    EXPECT_DOUBLE_EQ(p.x(), 50);
    EXPECT_DOUBLE_EQ(p.y(), 20);
    c.filledBox(1000, 2000, 1010, 2010, RGB(0, 0, 255));  // bottom-left corner
    c.setColour(RGB(255, 0, 0));
    c.line(1050, 2000, 1050, 2050);  // a vertical line at pixel column 100
    c.setFill(RGB(0, 255, 0));
    c.setColour(QBColor(0));
    c.circle(1080, 2025, 5);  // centre at pixel (160, 50), radius 10
    // XOR: the same box twice leaves the picture as it was.
    c.setDrawMode(DrawMode::Xor);
    c.setLineStyle(LineStyle::Dashed);
    c.setColour(QBColor(3));
    c.box(1020, 2010, 1040, 2030);
    c.box(1020, 2010, 1040, 2030);
    EXPECT_GT(c.textWidth("Casa n.1"), c.textWidth("A"));
    EXPECT_GT(c.textHeight("A"), 0);
  }
  EXPECT_EQ(At(img, 5, 95), QColor(0, 0, 255));
  EXPECT_EQ(At(img, 25, 5), QColor(255, 255, 255));
  EXPECT_EQ(At(img, 100, 50), QColor(255, 0, 0));
  EXPECT_EQ(At(img, 160, 50), QColor(0, 255, 0));
  for (int x = 40; x <= 80; ++x) EXPECT_EQ(At(img, x, 60), QColor(255, 255, 255)) << x;
}

TEST(QtCanvas, TextIsDrawn) {
  QImage img(120, 40, QImage::Format_RGB32);
  {
    QtCanvas c(img);
    c.clear();
    c.setWindow(UserWindow{0, 40, 120, -40});
    c.setColour(QBColor(0));
    c.text(5, 35, "Barr. n.12");
  }
  int dark = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) dark += At(img, x, y).lightness() < 128;
  }
  EXPECT_GT(dark, 20);  // glyphs, not an empty picture
}

TEST(MapPicture, ModelOverGridLevelsWithLegend) {
  Project p;
  Strada& s = p.strade.addEntity();
  s.vertices = {LineVertex{0, 50, 0, 8, 8}, LineVertex{400, 50, 0, 8, 8}};
  s.NDir = 3;  // cyan
  p.ExtendExtent(0, 0);
  p.ExtendExtent(400, 300);
  p.View = ViewWindow{0, 0, 400, 300};
  GridData g;
  g.header = GridHeader{2, 2, 0, 400, 0, 300, 30, 100};
  g.values = {90, 40, kBlankValue, 65};
  MapPictureOptions o;
  o.width = 520;  // 400 x 300 for the map, 120 for the legend
  o.height = 300;
  o.grid = &g;
  LayerVisibility layers;
  QImage img = RenderMapPicture(p, layers, o);
  ASSERT_EQ(img.width(), 520);
  EXPECT_EQ(At(img, 100, 200), QColor(255, 0, 0));      // node (0, 0) at 90 dB(A)
  EXPECT_EQ(At(img, 300, 200), QColor(100, 0, 155));    // node (1, 0) at 40 dB(A)
  EXPECT_EQ(At(img, 100, 100), QColor(255, 255, 255));  // blank node
  EXPECT_EQ(At(img, 300, 100), QColor(0, 255, 128));
  EXPECT_EQ(At(img, 200, 250), QColor(0, 255, 255));  // the road's centre line over the cells
  // The legend runs from 90 dB(A) at the top to 40 at the bottom.
  bool red = false, violet = false;
  for (int y = 0; y < 300; ++y) {
    red = red || At(img, 420, y) == QColor(255, 0, 0);
    violet = violet || At(img, 420, y) == QColor(100, 0, 155);
  }
  EXPECT_TRUE(red);
  EXPECT_TRUE(violet);

  std::string path = ::testing::TempDir() + "/sonvale_picture.png";
  SaveMapPicture(img, path);
  QImage back(QString::fromStdString(path));
  EXPECT_EQ(back.size(), img.size());
  EXPECT_EQ(back.pixelColor(300, 200), QColor(100, 0, 155));
  std::filesystem::remove(path);
  EXPECT_THROW(SaveMapPicture(img, "/nonexistent-dir/x.png"), FileError);

  o.width = 50;  // no room left for the map
  EXPECT_THROW(RenderMapPicture(p, layers, o), FormatError);
  EXPECT_THROW(RenderMapPicture(Project{}, layers, MapPictureOptions{}), std::runtime_error);
}

TEST(MapPicture, BandsPaintNodesCentredInTheirColoursWithLinesAndLegend) {
  Project p;  // no model: the picture spans the grid
  GridData g;
  g.header = GridHeader{3, 2, 0, 300, 0, 100, 0, 0};  // nodes 150 m apart in X, 100 in Y
  g.values = {52, 58, 70, kBlankValue, 57, 61};
  MapPictureOptions o;
  o.width = 520;
  o.height = 300;
  o.grid = &g;
  o.bands = {PictureBand{50, 55, RGB(0, 0, 255), "50 - 55"},
             PictureBand{55, 60, RGB(0, 255, 0), "55 - 60"},
             PictureBand{60, 70.1, RGB(255, 0, 0), ">= 60"}};
  o.lines = {{{0, 50}, {300, 50}}};
  QImage img = RenderMapPicture(p, LayerVisibility{}, o);
  // The grid's span fills 400 x 133 pixels in the middle of the 300 high map.
  auto pixel = [&](double x, double y) {
    return At(img, static_cast<int>(x * 400 / 300), static_cast<int>(150 - (y - 50) * 400 / 300));
  };
  EXPECT_EQ(pixel(20, 20), QColor(0, 0, 255));      // node (0, 0), 52: its cell reaches 75 m
  EXPECT_EQ(pixel(130, 20), QColor(0, 255, 0));     // node (1, 0), 58, from 75 m on
  EXPECT_EQ(pixel(280, 20), QColor(255, 0, 0));     // node (2, 0), 70: the open top band
  EXPECT_EQ(pixel(130, 80), QColor(0, 255, 0));     // node (1, 1), 57
  EXPECT_EQ(pixel(20, 80), QColor(255, 255, 255));  // blank node
  EXPECT_EQ(pixel(130, 50), QColor(40, 40, 40));    // the line across the middle
  bool swatch[3] = {false, false, false};
  for (int y = 0; y < 300; ++y) {
    swatch[0] = swatch[0] || At(img, 420, y) == QColor(0, 0, 255);
    swatch[1] = swatch[1] || At(img, 420, y) == QColor(0, 255, 0);
    swatch[2] = swatch[2] || At(img, 420, y) == QColor(255, 0, 0);
  }
  EXPECT_TRUE(swatch[0] && swatch[1] && swatch[2]);
}

}  // namespace
}  // namespace sonvale

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  sonvale::EnsureGuiApplication();
  return RUN_ALL_TESTS();
}
