#include "commands/exposure_dialog.h"

#include "platform/paths.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

std::string Text(const ExposureTexts& t, ExposureField f) {
  return std::string(TrimBlanks(t[static_cast<size_t>(f)]));
}

// A positive number of the field (0 allowed when zeroAllowed); nullopt otherwise.
std::optional<double> Positive(const std::string& text, bool zeroAllowed) {
  if (!IsNumber(text) || IsOutOfRangeNumber(text)) return std::nullopt;
  const double v = LeadingNumber(text);
  if (v < 0 || (v == 0 && !zeroAllowed) || v > 1e6) return std::nullopt;
  return v;
}

std::string Bad(ExposureField f) {
  return std::string(SV_TR("sonvale", "Valore non valido: ")) + ExposureFieldLabel(f);
}

}  // namespace

const char* ExposureFieldLabel(ExposureField f) {
  switch (f) {
    case ExposureField::Population:
      return SV_TR("sonvale", "File popolazione (CSV)");
    case ExposureField::OutDir:
      return SV_TR("sonvale", "Cartella dei risultati");
    case ExposureField::Method:
      return SV_TR("sonvale", "Assegnazione abitanti");
    case ExposureField::Periods:
      return SV_TR("sonvale", "Ore giorno, sera, notte");
    case ExposureField::Height:
      return SV_TR("sonvale", "Altezza ricettori sul terreno (m)");
    case ExposureField::Distance:
      return SV_TR("sonvale", "Distanza dalla facciata (m)");
    case ExposureField::Estimate:
      return SV_TR("sonvale", "m² per abitante (stima, vuoto = nessuna)");
  }
  return "";
}

const std::vector<std::string>& ExposureMethodItems() {
  static const std::vector<std::string> items = {"median", "facade-length", "loudest"};
  return items;
}

ExposureTexts DefaultExposureTexts(const AppState& app) {
  ExposureTexts t;
  const std::string& project = app.project.ProjectFileName;
  const std::string side = project.empty() ? std::string() : PopulationSideFile(project);
  t[static_cast<size_t>(ExposureField::Population)] = FileExists(side) ? side : "";
  std::string base = project;
  const size_t dot = base.find_last_of('.');
  if (dot != std::string::npos && dot + FileNameOnly(base).size() >= base.size())
    base = base.substr(0, dot);
  t[static_cast<size_t>(ExposureField::OutDir)] =
      (base.empty() ? "sonvale" : base) + "_esposizione";
  t[static_cast<size_t>(ExposureField::Method)] = "median";
  t[static_cast<size_t>(ExposureField::Periods)] = "12,4,8";
  t[static_cast<size_t>(ExposureField::Height)] = "4";
  t[static_cast<size_t>(ExposureField::Distance)] = "0.1";
  t[static_cast<size_t>(ExposureField::Estimate)] = "";
  return t;
}

std::variant<ExposureDialogResult, std::string> ReadExposureTexts(const ExposureTexts& texts) {
  ExposureDialogResult r;
  ExposureChoices& c = r.choices;
  c.populationFile = Text(texts, ExposureField::Population);
  r.outDir = Text(texts, ExposureField::OutDir);
  if (r.outDir.empty()) return Bad(ExposureField::OutDir);
  auto method = ParseAssignMethod(Text(texts, ExposureField::Method));
  if (!method) return Bad(ExposureField::Method);
  c.settings.method = *method;
  auto periods = ParsePeriodScheme(Text(texts, ExposureField::Periods));
  if (!periods) return Bad(ExposureField::Periods);
  c.settings.periods = *periods;
  auto height = Positive(Text(texts, ExposureField::Height), true);
  if (!height) return Bad(ExposureField::Height);
  c.facade.height = *height;
  auto distance = Positive(Text(texts, ExposureField::Distance), false);
  if (!distance) return Bad(ExposureField::Distance);
  c.facade.distance = *distance;
  const std::string estimate = Text(texts, ExposureField::Estimate);
  if (!estimate.empty()) {
    auto m2 = Positive(estimate, false);
    if (!m2) return Bad(ExposureField::Estimate);
    c.estimate.squareMetresPerPerson = *m2;
  }
  return r;
}

}  // namespace sonvale
