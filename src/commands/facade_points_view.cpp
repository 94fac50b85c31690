#include "commands/facade_points_view.h"

#include "commands/window_status.h"
#include "exposure/exposure_report.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {

std::vector<MapMark> FacadePointMarks(const std::vector<FacadePointRow>& points) {
  std::vector<MapMark> marks;
  marks.reserve(points.size());
  for (const FacadePointRow& p : points) {
    const BandRgb c = LdenColour(p.lden);
    marks.push_back(
        {p.x, p.y, RGB(c.r, c.g, c.b), FacadeMarkText(p.building, p.facade, p.lden, p.night)});
  }
  return marks;
}

bool CmdShowFacadePoints(AppState& app, Ui& ui) {
  const std::optional<std::string> path = ui.openFile(
      {kShowFacadePointsCaption,
       SV_TR("sonvale", "Punti di facciata|facade_points.csv|File CSV|*.csv|Tutti i file|*.*"),
       "facade_points.csv", true, false});
  if (!path) return false;
  std::vector<FacadePointRow> points;
  try {
    points = ReadFacadePointsCsv(*path);
  } catch (const FileError& e) {
    ui.message({"Errore", e.file() + ": " + e.message(), Buttons::Ok, Icon::Critical, Answer::Ok});
    return false;
  } catch (const FormatError& e) {
    ui.message({"Errore", e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
    return false;
  }
  app.view().showMarks(FacadePointMarks(points));
  ui.showStatus(PlainInteger(static_cast<long long>(points.size())) +
                SV_TR("sonvale", " punti di facciata: ") + *path);
  return true;
}

}  // namespace sonvale
