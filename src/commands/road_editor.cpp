#include "commands/road_editor.h"

#include <algorithm>
#include <cmath>

#include "commands/editor_cursor.h"
#include "emission/road_emission.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

bool HasNoVehicles(const Strada& r) {
  for (int v = 1; v <= 5; ++v) {
    if (r.NveicDay[static_cast<size_t>(v)] != 0 || r.NveicNight[static_cast<size_t>(v)] != 0)
      return false;
  }
  return true;
}

// The fields the previous road lends to a road without vehicles.
void CopyTraffic(const Strada& from, Strada& to) {
  to.Pavimentaz = from.Pavimentaz;
  to.Pendenza = from.Pendenza;
  to.HmedSX = from.HmedSX;
  to.HmedDX = from.HmedDX;
  for (size_t v = 1; v <= 5; ++v) {
    to.VelDay[v] = from.VelDay[v];
    to.VelNight[v] = from.VelNight[v];
    to.NveicDay[v] = from.NveicDay[v];
    to.NveicNight[v] = from.NveicNight[v];
  }
}

// Class index v = 1..5 and day or night of box item 0..9.
size_t VehicleClass(int item) { return static_cast<size_t>(item % 5 + 1); }
bool DayItem(int item) { return item < 5; }

}  // namespace

bool CmdStrade(AppState& app) {
  app.Saved = false;
  return app.project.strade.count() > 0;
}

Strada& RoadEditor::road() { return app_.project.strade[app_.CurrentRoad]; }

bool RoadEditor::valid() const {
  return app_.CurrentRoad >= 1 && app_.CurrentRoad <= app_.project.strade.count();
}

RoadView RoadEditor::view() {
  RoadView v;
  v.number = app_.CurrentRoad;
  if (!valid()) return v;
  shown_ = app_.CurrentRoad;
  Strada& r = road();
  v.nome = r.Nome;
  v.fixed = r.Pavimentaz == -1;
  v.pavimentaz = v.fixed ? 0 : r.Pavimentaz;
  v.pendenza = r.Pendenza;
  v.hmedSx = FormatPattern(r.HmedSX, "##0.##");
  v.hmedDx = FormatPattern(r.HmedDX, "##0.##");
  for (int item = 0; item < 10; ++item) {
    const size_t c = VehicleClass(item);
    const bool day = DayItem(item);
    v.counts[static_cast<size_t>(item)] =
        FormatPattern(static_cast<double>(day ? r.NveicDay[c] : r.NveicNight[c]), "######");
    v.classes[static_cast<size_t>(item)] = day ? r.VelDay[c] : r.VelNight[c];
  }
  if (v.fixed) {
    v.leqDay = FormatPattern(r.FixLeqDay, "###.00");
    v.leqNight = FormatPattern(r.FixLeqNight, "###.00");
    v.heightTwips = kRoadFixedHeightTwips;
    v.title = kLineSourceTitle;
    v.selectionCaption = kLineSourceSelectionCaption;
  } else {
    ComputeRoadEmission(app_.project, app_.CurrentRoad, app_.config, app_.tables);
    v.leqDay = FormatPattern(r.LeqDay, "###.#");
    v.leqNight = FormatPattern(r.LeqNight, "###.#");
  }
  return v;
}

RoadView RoadEditor::show() {
  if (!valid()) return view();
  Strada& r = road();
  if (r.Pavimentaz != -1 && autoImposta && app_.CurrentRoad > 1 && HasNoVehicles(r))
    CopyTraffic(app_.project.strade[app_.CurrentRoad - 1], r);
  return view();
}

RoadView RoadEditor::open() {
  app_.CurrentRoad = OpeningNumber(app_.CurrentRoad, app_.project.strade.count());
  MoveHighlight(app_, EntityKind::Road);
  return show();
}

void RoadEditor::go(long number) {
  app_.CurrentRoad = number;
  MoveHighlight(app_, EntityKind::Road);
}

RoadView RoadEditor::previous() {
  go(PreviousNumber(app_.CurrentRoad, app_.project.strade.count()));
  return show();
}

RoadView RoadEditor::next() {
  go(NextNumber(app_.CurrentRoad, app_.project.strade.count()));
  return show();
}

RoadView RoadEditor::previous(std::string_view box) {
  go(PreviousFromBox(box, app_.project.strade.count()));
  return show();
}

RoadView RoadEditor::next(std::string_view box) {
  go(NextFromBox(box, app_.project.strade.count()));
  return show();
}

void RoadEditor::claim() {
  if (shown_ >= 1 && shown_ <= app_.project.strade.count() && shown_ != app_.CurrentRoad)
    go(shown_);
}

RoadView RoadEditor::typed(std::string_view text) {
  go(TypedNumber(text, app_.project.strade.count()));
  return show();
}

void RoadEditor::close() {
  // The number stays: the next editor opened starts from it.
  RemoveHighlight(app_, EntityKind::Road);
}

void RoadEditor::setName(std::string_view text) {
  claim();
  if (valid()) road().Nome = std::string(text);
}

RoadView RoadEditor::setCount(int item, std::string_view text) {
  claim();
  if (!valid() || item < 0 || item > 9) return view();
  Strada& r = road();
  (DayItem(item) ? r.NveicDay : r.NveicNight)[VehicleClass(item)] = CountFromText(text);
  return view();
}

RoadView RoadEditor::setClass(int item, long index) {
  claim();
  if (!valid() || item < 0 || item > 9) return view();
  Strada& r = road();
  (DayItem(item) ? r.VelDay : r.VelNight)[VehicleClass(item)] = std::clamp(index, 0L, 7L);
  return view();
}

RoadView RoadEditor::setPavement(long index) {
  claim();
  if (valid() && road().Pavimentaz != -1) road().Pavimentaz = std::clamp(index, 0L, 3L);
  return view();
}

RoadView RoadEditor::setSlope(long index) {
  claim();
  if (valid()) road().Pendenza = std::clamp(index, 0L, 2L);
  return view();
}

void RoadEditor::setHeight(bool left, std::string_view text) {
  claim();
  if (!valid()) return;
  (left ? road().HmedSX : road().HmedDX) = PositiveFromText(text);
}

void RoadEditor::setLevel(bool day, std::string_view text) {
  claim();
  if (!valid() || road().Pavimentaz != -1) return;
  const double v = LeadingNumber(text);
  if (!(v > 0) || !std::isfinite(v)) return;
  (day ? road().FixLeqDay : road().FixLeqNight) = v;
  ComputeRoadEmission(app_.project, app_.CurrentRoad, app_.config, app_.tables);
}

RoadView RoadEditor::calcola(long pavementIndex) {
  claim();
  if (valid()) road().Pavimentaz = std::clamp(pavementIndex, 0L, 3L);
  return view();
}

RoadView RoadEditor::fisso() {
  claim();
  if (!valid()) return view();
  Strada& r = road();
  if (r.Pavimentaz != -1) {
    // The last computed levels are where the typed ones start.
    ComputeRoadEmission(app_.project, app_.CurrentRoad, app_.config, app_.tables);
    r.FixLeqDay = r.LeqDay;
    r.FixLeqNight = r.LeqNight;
    r.Pavimentaz = -1;
    ComputeRoadEmission(app_.project, app_.CurrentRoad, app_.config, app_.tables);
  }
  return view();
}

RoadView RoadEditor::preset(int category) {
  claim();
  if (!valid() || category < 1 || category > 6) return view();
  Strada& r = road();
  const Configuration& c = app_.config;
  const auto k = static_cast<size_t>(category);
  for (size_t v = 1; v <= 5; ++v) {
    r.NveicDay[v] = c.PresetFlowDay[k][v] * 16;
    r.NveicNight[v] = c.PresetFlowNight[k][v] * 8;
    r.VelDay[v] = c.PresetClassDay[k][v] - 1;
    r.VelNight[v] = c.PresetClassNight[k][v] - 1;
  }
  return show();
}

RoadView RoadEditor::c5c6() {
  claim();
  if (!valid()) return view();
  for (size_t v = 1; v <= 5; ++v) {
    road().VelDay[v] = 4;
    road().VelNight[v] = 5;
  }
  return view();
}

RoadView RoadEditor::c6() {
  claim();
  if (!valid()) return view();
  for (size_t v = 1; v <= 5; ++v) road().VelDay[v] = road().VelNight[v] = 5;
  return view();
}

void RoadEditor::zoom() {
  claim();
  if (!valid() || road().vertices.empty()) return;
  if (app_.ZoomFactor == 0) app_.ZoomFactor = 5;
  const auto& vs = road().vertices;
  auto [xmin, xmax] =
      std::minmax_element(vs.begin(), vs.end(), [](auto& a, auto& b) { return a.X < b.X; });
  auto [ymin, ymax] =
      std::minmax_element(vs.begin(), vs.end(), [](auto& a, auto& b) { return a.Y < b.Y; });
  const double cx = (xmin->X + xmax->X) / 2, cy = (ymin->Y + ymax->Y) / 2;
  const double dx = (xmax->X - xmin->X) * app_.ZoomFactor;
  const double dy = (ymax->Y - ymin->Y) * app_.ZoomFactor;
  app_.project.View = ViewWindow{cx - dx, cy - dy, cx + dx, cy + dy};
  // The window draws the highlight anew over every redraw.
  app_.view().drawMap(true);
}

void RoadEditor::zoomIn() {
  if (app_.ZoomFactor == 0) app_.ZoomFactor = 5;
  app_.ZoomFactor /= std::sqrt(2.0);
  zoom();
}

void RoadEditor::zoomOut() {
  if (app_.ZoomFactor == 0) app_.ZoomFactor = 5;
  app_.ZoomFactor *= std::sqrt(2.0);
  zoom();
}

}  // namespace sonvale
