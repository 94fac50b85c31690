#include "commands/track_editor.h"

#include <algorithm>
#include <cmath>

#include "commands/editor_cursor.h"
#include "emission/rail_emission.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

bool HasNoTrains(const Binario& b) {
  for (size_t c = 1; c <= 3; ++c) {
    if (b.NtreniDay[c] != 0 || b.NtreniNight[c] != 0) return false;
  }
  return true;
}

void CopyTraffic(const Binario& from, Binario& to) {
  to.TipoArmamento = from.TipoArmamento;
  to.HmedSX = from.HmedSX;
  to.HmedDX = from.HmedDX;
  for (size_t c = 1; c <= 3; ++c) {
    to.VelDay[c] = from.VelDay[c];
    to.VelNight[c] = from.VelNight[c];
    to.NtreniDay[c] = from.NtreniDay[c];
    to.NtreniNight[c] = from.NtreniNight[c];
    to.LungDay[c] = from.LungDay[c];
    to.LungNight[c] = from.LungNight[c];
  }
}

size_t TrainClass(int item) { return static_cast<size_t>(item % 3 + 1); }
bool DayItem(int item) { return item < 3; }

}  // namespace

bool CmdBinari(AppState& app) {
  app.Saved = false;
  return app.project.binari.count() > 0;
}

Binario& TrackEditor::track() { return app_.project.binari[app_.CurrentRoad]; }

bool TrackEditor::valid() const {
  return app_.CurrentRoad >= 1 && app_.CurrentRoad <= app_.project.binari.count();
}

TrackView TrackEditor::view() {
  TrackView v;
  v.number = app_.CurrentRoad;
  if (!valid()) return v;
  shown_ = app_.CurrentRoad;
  Binario& b = track();
  v.nome = b.Nome;
  v.fixed = b.TipoArmamento == -1;
  v.tipoArmamento = v.fixed ? 0 : b.TipoArmamento;
  v.hmedSx = FormatPattern(b.HmedSX, "###0.##");
  v.hmedDx = FormatPattern(b.HmedDX, "#####0.##");
  for (int item = 0; item < 6; ++item) {
    const size_t c = TrainClass(item);
    const bool day = DayItem(item);
    const auto i = static_cast<size_t>(item);
    v.counts[i] =
        FormatPattern(static_cast<double>(day ? b.NtreniDay[c] : b.NtreniNight[c]), "#####");
    v.lengths[i] = FormatPattern(static_cast<double>(day ? b.LungDay[c] : b.LungNight[c]), "#####");
    v.classes[i] = day ? b.VelDay[c] : b.VelNight[c];
  }
  if (v.fixed) {
    v.leqDay = FormatPattern(b.LeqDay, "###.00");
    v.leqNight = FormatPattern(b.LeqNight, "###.00");
    v.heightTwips = kTrackFixedHeightTwips;
    v.title = "Editazione dati sorgenti lineari";
    v.selectionCaption = "Selezione Tratto Sorgente Lineare";
  } else {
    ComputeRailEmission(app_.project, app_.CurrentRoad, app_.tables);
    v.leqDay = FormatPattern(b.LeqDay, "###.#");
    v.leqNight = FormatPattern(b.LeqNight, "###.#");
  }
  return v;
}

TrackView TrackEditor::show() {
  if (!valid()) return view();
  Binario& b = track();
  if (b.TipoArmamento != -1 && autoImposta && app_.CurrentRoad > 1 && HasNoTrains(b))
    CopyTraffic(app_.project.binari[app_.CurrentRoad - 1], b);
  return view();
}

TrackView TrackEditor::open() {
  app_.CurrentRoad = OpeningNumber(app_.CurrentRoad, app_.project.binari.count());
  MoveHighlight(app_, EntityKind::Track);
  return show();
}

void TrackEditor::go(long number) {
  app_.CurrentRoad = number;
  MoveHighlight(app_, EntityKind::Track);
}

TrackView TrackEditor::previous() {
  go(PreviousNumber(app_.CurrentRoad, app_.project.binari.count()));
  return show();
}

TrackView TrackEditor::next() {
  go(NextNumber(app_.CurrentRoad, app_.project.binari.count()));
  return show();
}

TrackView TrackEditor::previous(std::string_view box) {
  go(PreviousFromBox(box, app_.project.binari.count()));
  return show();
}

TrackView TrackEditor::next(std::string_view box) {
  go(NextFromBox(box, app_.project.binari.count()));
  return show();
}

void TrackEditor::claim() {
  if (shown_ >= 1 && shown_ <= app_.project.binari.count() && shown_ != app_.CurrentRoad)
    go(shown_);
}

TrackView TrackEditor::typed(std::string_view text) {
  go(TypedNumber(text, app_.project.binari.count()));
  return show();
}

void TrackEditor::close() {
  // The number stays: the next editor opened starts from it.
  RemoveHighlight(app_, EntityKind::Track);
}

void TrackEditor::setName(std::string_view text) {
  claim();
  if (valid()) track().Nome = std::string(text);
}

TrackView TrackEditor::setCount(int item, std::string_view text) {
  claim();
  if (!valid() || item < 0 || item > 5) return view();
  (DayItem(item) ? track().NtreniDay : track().NtreniNight)[TrainClass(item)] = CountFromText(text);
  return view();
}

TrackView TrackEditor::setLength(int item, std::string_view text) {
  claim();
  if (!valid() || item < 0 || item > 5) return view();
  (DayItem(item) ? track().LungDay : track().LungNight)[TrainClass(item)] = CountFromText(text);
  return view();
}

TrackView TrackEditor::setClass(int item, long index) {
  claim();
  if (!valid() || item < 0 || item > 5) return view();
  (DayItem(item) ? track().VelDay : track().VelNight)[TrainClass(item)] = std::clamp(index, 0L, 3L);
  return view();
}

TrackView TrackEditor::setTrackType(long index) {
  claim();
  if (valid() && track().TipoArmamento != -1) track().TipoArmamento = std::clamp(index, 0L, 1L);
  return view();
}

void TrackEditor::setHeight(bool left, std::string_view text) {
  claim();
  if (valid()) (left ? track().HmedSX : track().HmedDX) = PositiveFromText(text);
}

void TrackEditor::setLevel(bool day, std::string_view text) {
  claim();
  if (!valid() || track().TipoArmamento != -1) return;
  const double v = LeadingNumber(text);
  if (v > 0 && std::isfinite(v)) (day ? track().LeqDay : track().LeqNight) = v;
}

TrackView TrackEditor::calcola(long trackTypeIndex) {
  claim();
  if (valid()) track().TipoArmamento = std::clamp(trackTypeIndex, 0L, 1L);
  return view();
}

TrackView TrackEditor::fisso() {
  claim();
  // The track keeps its last levels as the typed ones.
  if (valid()) track().TipoArmamento = -1;
  return view();
}

}  // namespace sonvale
