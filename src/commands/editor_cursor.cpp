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

}  // namespace

void MoveHighlight(AppState& app, EntityKind kind) {
  const Project& p = app.project;
  const long previous = app.HighlightedRoad;
  const long current = app.CurrentRoad;
  app.HighlightedRoad = current;
  if (!app.paintOnMap) return;
  app.paintOnMap([&](Canvas& c) {
    switch (kind) {
      case EntityKind::Road:
      case EntityKind::Track: {
        auto vertices = [&](long n) -> const std::vector<LineVertex>* {
          if (kind == EntityKind::Road)
            return n >= 1 && n <= p.strade.count() ? &p.strade[n].vertices : nullptr;
          return n >= 1 && n <= p.binari.count() ? &p.binari[n].vertices : nullptr;
        };
        if (const auto* v = vertices(previous)) DrawLineHighlight(c, *v);
        if (const auto* v = vertices(current)) DrawLineHighlight(c, *v);
        break;
      }
      case EntityKind::Source: {
        const Pen saved = c.pen();
        const auto savedFill = c.fill();
        c.setPen(Pen{QBColor(10), 1, LineStyle::Solid, DrawMode::Copy});
        c.setFill(QBColor(10));
        DrawSourceHighlight(c, p, previous);
        DrawSourceHighlight(c, p, current);
        c.setPen(saved);
        c.setFill(savedFill);
        c.refresh();
        break;
      }
    }
  });
}

void RestoreHighlight(AppState& app, EntityKind kind) {
  app.HighlightedRoad = 0;
  MoveHighlight(app, kind);
}

}  // namespace sonvale
