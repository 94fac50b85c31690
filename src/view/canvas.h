// The drawing surface of the map: a user coordinate window with Y pointing up,
// pens (colour, width, solid or dashed, copy or XOR), lines, boxes, circles and
// text. DrawMap, the painting of map cells and the rubber band of the zoom draw
// through it; the Qt renderer and the recording canvas of the tests implement it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sonvale {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb RGB(int r, int g, int b) {
  return Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// The standard 16-colour palette: 0 black, 1 blue, 2 green, 3 cyan, 4 red,
// 5 magenta, 6 yellow (brown), 7 white (light grey), 8 grey, 9 light blue,
// 10 light green, 11 light cyan, 12 light red, 13 light magenta, 14 light
// yellow, 15 bright white. Indexes outside 0..15 wrap around.
constexpr Rgb QBColor(int index) {
  constexpr Rgb kPalette[16] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
  return kPalette[((index % 16) + 16) % 16];
}

enum class LineStyle { Solid, Dashed };
// Copy paints the pen colour; Xor combines it with what is there, so drawing the
// same figure twice restores the picture.
enum class DrawMode { Copy, Xor };

struct Pen {
  Rgb colour{};
  int width = 1;  // device pixels
  LineStyle style = LineStyle::Solid;
  DrawMode mode = DrawMode::Copy;
  bool operator==(const Pen&) const = default;
};

// The window of user coordinates shown on the picture: its left and top edge,
// its width and its height, the height negative because Y grows upwards.
struct UserWindow {
  double left = 0, top = 1, width = 1, height = -1;
  bool operator==(const UserWindow&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Inner size of the picture in device units; only their ratio matters to the
  // window fit.
  virtual double deviceWidth() const = 0;
  virtual double deviceHeight() const = 0;

  virtual void setWindow(const UserWindow& w) { window_ = w; }
  const UserWindow& window() const { return window_; }
  // The picture's scale width and height in user units (the height negative).
  double scaleWidth() const { return window_.width; }
  double scaleHeight() const { return window_.height; }

  void setPen(const Pen& p) { pen_ = p; }
  const Pen& pen() const { return pen_; }
  void setColour(Rgb c) { pen_.colour = c; }
  void setLineWidth(int w) { pen_.width = w; }
  void setLineStyle(LineStyle s) { pen_.style = s; }
  void setDrawMode(DrawMode m) { pen_.mode = m; }

  // Fill of circles: a solid colour, or none (transparent).
  void setFill(std::optional<Rgb> f) { fill_ = f; }
  const std::optional<Rgb>& fill() const { return fill_; }

  // Erases the whole picture to its background.
  virtual void clear() = 0;
  // Figures in user coordinates, drawn with the current pen.
  virtual void line(double x1, double y1, double x2, double y2) = 0;
  virtual void box(double x1, double y1, double x2, double y2) = 0;
  // A solid rectangle in the given colour, without outline.
  virtual void filledBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
  // Outline in the pen colour, inside in the fill when one is set; the radius is
  // in horizontal user units.
  virtual void circle(double x, double y, double radius) = 0;
  // Text in the pen colour whose top-left corner is at the print position.
  virtual void text(double x, double y, const std::string& s) = 0;
  // Size of a text in user units, both positive.
  virtual double textWidth(const std::string& s) const = 0;
  virtual double textHeight(const std::string& s) const = 0;

  // Shows what was drawn so far (a window repaints; an image need not).
  virtual void refresh() {}
  // The busy pointer over the picture.
  virtual void setBusy(bool) {}

 protected:
  UserWindow window_{};
  Pen pen_{};
  std::optional<Rgb> fill_{};
};

}  // namespace sonvale
