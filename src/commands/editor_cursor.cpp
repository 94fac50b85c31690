#include "commands/editor_cursor.h"

#include <algorithm>
#include <cmath>

#include "text/number_text.h"
#include "view/source_symbol.h"

namespace sonvale {

long PreviousNumber(long n, long count) { return n - 1 < 1 ? count : n - 1; }

long NextNumber(long n, long count) { return n + 1 > count ? 1 : n + 1; }

long TypedNumber(std::string_view text, long count) {
  const double v = LeadingNumber(text);
  if (!(v >= 1)) return std::min(1L, count);
  if (v >= static_cast<double>(count)) return count;
  return static_cast<long>(v);
}

namespace {

// The whole number in the box; nothing readable counts as 0.
double BoxNumber(std::string_view text) {
  const double v = std::trunc(LeadingNumber(text));
  return std::isfinite(v) ? v : 0;
}

}  // namespace

long PreviousFromBox(std::string_view text, long count) {
  const double n = BoxNumber(text) - 1;
  if (n < 1 || count < 1) return count;
  return n > static_cast<double>(count) ? count : static_cast<long>(n);
}

long NextFromBox(std::string_view text, long count) {
  const double n = BoxNumber(text) + 1;
  if (n > static_cast<double>(count) || n < 1) return std::min(1L, count);
  return static_cast<long>(n);
}

long OpeningNumber(long current, long count) {
  if (count < 1) return 0;
  return std::clamp(current, 1L, count);
}

long CountFromText(std::string_view text) {
  const double v = LeadingNumber(text);
  if (!(v > 0)) return 0;
  return v >= 2147483647.0 ? 2147483647L : static_cast<long>(std::floor(v));
}

double PositiveFromText(std::string_view text) {
  const double v = LeadingNumber(text);
  return v > 0 && std::isfinite(v) ? v : 0;
}

Pen HighlightPen() { return Pen{RGB(80, 0, 0), 10, LineStyle::Solid, DrawMode::Xor}; }

void DrawLineHighlight(Canvas& canvas, const std::vector<LineVertex>& vertices) {
  const Pen saved = canvas.pen();
  canvas.setPen(HighlightPen());
  for (size_t k = 1; k < vertices.size(); ++k)
    canvas.line(vertices[k - 1].X, vertices[k - 1].Y, vertices[k].X, vertices[k].Y);
  canvas.setPen(saved);
  canvas.refresh();
}

namespace {

void DrawSourceHighlight(Canvas& canvas, const Project& p, long n) {
  if (n < 1 || n > p.sources.count()) return;
  DrawSource(p, n, canvas);
}

// Draws the highlight of one entity: the stretches of a road or track under the
// inverting pen, a source's symbol in light green.
void DrawHighlight(Canvas& c, const Project& p, EntityKind kind, long n) {
  switch (kind) {
    case EntityKind::Road:
      if (n >= 1 && n <= p.strade.count()) DrawLineHighlight(c, p.strade[n].vertices);
      break;
    case EntityKind::Track:
      if (n >= 1 && n <= p.binari.count()) DrawLineHighlight(c, p.binari[n].vertices);
      break;
    case EntityKind::Source: {
      const Pen saved = c.pen();
      const auto savedFill = c.fill();
      c.setPen(Pen{QBColor(10), 1, LineStyle::Solid, DrawMode::Copy});
      c.setFill(QBColor(10));
      DrawSourceHighlight(c, p, n);
      c.setPen(saved);
      c.setFill(savedFill);
      c.refresh();
      break;
    }
  }
}

void HighlightTo(AppState& app, EntityKind kind, long target) {
  const long previous = app.HighlightedRoad;
  const EntityKind previousKind = app.HighlightedKind;
  app.HighlightedRoad = target;
  app.HighlightedKind = kind;
  app.view().paintOnMap([&](Canvas& c) {
    // Drawn once more, a line highlight goes; a source's stays light green.
    DrawHighlight(c, app.project, previousKind, previous);
    DrawHighlight(c, app.project, kind, target);
  });
}

}  // namespace

void MoveHighlight(AppState& app, EntityKind kind) { HighlightTo(app, kind, app.CurrentRoad); }

void RemoveHighlight(AppState& app, EntityKind kind) { HighlightTo(app, kind, 0); }

void RestoreHighlight(AppState& app, EntityKind kind) {
  // Only the editor whose highlight it was draws it: with two editors open, a
  // second drawing would take it away again.
  if (app.HighlightedKind != kind) return;
  const long highlighted = app.HighlightedRoad;
  app.HighlightedRoad = 0;
  HighlightTo(app, kind, highlighted);
}

}  // namespace sonvale
