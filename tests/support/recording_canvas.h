// A canvas for tests: records every figure and text with the pen and fill in
// force when it was drawn. Text measures are fixed per character so that label
// positions can be worked out by hand.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "view/canvas.h"

namespace sonvale {

struct Drawn {
  enum Kind { Clear, Line, Box, FilledBox, Circle, Text, Refresh } kind;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // circle: centre in x1, y1 and radius in x2
  Pen pen{};
  std::optional<Rgb> fill{};  // filled boxes: their colour
  std::string text{};
  UserWindow window{};
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(double w, double h) : w_(w), h_(h) {}

  std::vector<Drawn> drawn;
  // Text measures in device pixels, turned into user units through the window.
  double charWidthPx = 8, textHeightPx = 12;

  double deviceWidth() const override { return w_; }
  double deviceHeight() const override { return h_; }
  void clear() override { add({Drawn::Clear}); }
  void line(double x1, double y1, double x2, double y2) override {
    add({Drawn::Line, x1, y1, x2, y2});
  }
  void box(double x1, double y1, double x2, double y2) override {
    add({Drawn::Box, x1, y1, x2, y2});
  }
  void filledBox(double x1, double y1, double x2, double y2, Rgb c) override {
    Drawn d{Drawn::FilledBox, x1, y1, x2, y2};
    d.pen = pen_;
    d.fill = c;
    d.window = window_;
    drawn.push_back(d);
  }
  void circle(double x, double y, double r) override { add({Drawn::Circle, x, y, r}); }
  void text(double x, double y, const std::string& s) override {
    Drawn d{Drawn::Text, x, y};
    d.text = s;
    add(d);
  }
  double textWidth(const std::string& s) const override {
    return static_cast<double>(s.size()) * charWidthPx * window_.width / w_;
  }
  double textHeight(const std::string&) const override {
    return textHeightPx * -window_.height / h_;
  }
  void refresh() override { add({Drawn::Refresh}); }

  std::vector<Drawn> of(Drawn::Kind k) const {
    std::vector<Drawn> out;
    for (const Drawn& d : drawn) {
      if (d.kind == k) out.push_back(d);
    }
    return out;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const Drawn& d : drawn) {
      if (d.kind == Drawn::Text) out.push_back(d.text);
    }
    return out;
  }

 private:
  void add(Drawn d) {
    d.pen = pen_;
    if (d.kind != Drawn::FilledBox) d.fill = fill_;
    d.window = window_;
    drawn.push_back(d);
  }
  double w_, h_;
};

}  // namespace sonvale
