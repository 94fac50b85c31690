#include "exposure/exposure_tables.h"

#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr const char* kEol = "\r\n";

std::string Hundredths(double v) { return FormatPattern(v, "0.00"); }

size_t K(SourceKind k) { return static_cast<size_t>(k); }

std::array<double, kBandCount> PeopleOf(const ExposureAssessment& a, SourceKind k, Indicator i) {
  std::array<double, kBandCount> out{};
  for (int b = 0; b < kBandCount; ++b)
    out[static_cast<size_t>(b)] =
        a.table[K(k)][static_cast<size_t>(i)][static_cast<size_t>(b)].people;
  return out;
}

// Text fields holding commas are quoted.
std::string CsvText(const std::string& s) {
  return s.find_first_of(",\"") == std::string::npos ? s : "\"" + s + "\"";
}

}  // namespace

std::string LevelField(const std::optional<double>& level) {
  return level ? TenthsText(Tenths(*level)) : std::string();
}

std::string FacadePointsCsv(const FacadeLayout& layout, const ExposureAssessment& a) {
  std::string text = std::string(kFacadePointsHeader) + kEol;
  for (size_t i = 0; i < layout.points.size(); ++i) {
    const FacadePoint& p = layout.points[i];
    const PointAssessment& pa = a.points[i];
    const KindLevels& all = pa.levels[K(SourceKind::All)];
    const KindLevels& road = pa.levels[K(SourceKind::Road)];
    const KindLevels& rail = pa.levels[K(SourceKind::Rail)];
    text += PlainInteger(p.building) + "," + PlainInteger(p.facade) + "," + PlainInteger(p.point) +
            "," + Hundredths(p.x) + "," + Hundredths(p.y) + "," + Hundredths(p.z) + "," +
            Hundredths(p.length) + "," + LevelField(all.day) + "," + LevelField(all.night) + "," +
            LevelField(all.lden) + "," + Hundredths(pa.people[K(SourceKind::All)][0]) + "," +
            LevelField(road.day) + "," + LevelField(road.night) + "," + LevelField(road.lden) +
            "," + LevelField(rail.day) + "," + LevelField(rail.night) + "," +
            LevelField(rail.lden) + kEol;
  }
  return text;
}

std::string BuildingsCsv(const ExposureAssessment& a) {
  std::string text = std::string(kBuildingsHeader) + kEol;
  for (size_t b = 0; b < a.buildings.size(); ++b) {
    const BuildingAssessment& ba = a.buildings[b];
    const BuildingPopulation& p = ba.population;
    const char* origin = p.listed ? "file" : p.estimated ? "estimate" : "none";
    text += PlainInteger(static_cast<long long>(b + 1)) + "," + Hundredths(p.people) + "," +
            Hundredths(p.dwellings) + "," + BuildingUseName(p.use) + "," +
            AssignMethodName(ba.method) + "," + origin + "," +
            PlainInteger(static_cast<long long>(ba.last - ba.first)) + "," +
            LevelField(ba.loudestLden) + "," + LevelField(ba.quietestLden) + "," +
            LevelField(ba.loudestLnight) + "," + LevelField(ba.quietestLnight) + "," +
            (ba.quietFacade ? "yes" : "no") + kEol;
  }
  return text;
}

std::string ExposureCsv(const ExposureAssessment& a) {
  std::string text = std::string(kExposureHeader) + kEol;
  for (SourceKind k : kSourceKinds) {
    for (Indicator ind : {Indicator::Lden, Indicator::Lnight}) {
      for (int b = 0; b < kBandCount; ++b) {
        const BandFigures& f = a.table[K(k)][static_cast<size_t>(ind)][static_cast<size_t>(b)];
        text += std::string(SourceKindName(k)) + "," + IndicatorName(ind) + "," +
                BandLabel(ind, b) + "," + PlainInteger(RoundToHundred(f.people)) + "," +
                PlainInteger(RoundToHundred(f.dwellings)) + "," + PlainInteger(f.schools) + "," +
                PlainInteger(f.hospitals) + "," + Hundredths(f.people) + "," +
                Hundredths(f.dwellings) + kEol;
      }
    }
  }
  return text;
}

std::vector<HealthFigure> ExposureHealth(const ExposureAssessment& a,
                                         std::optional<double> ihdIncidence) {
  std::vector<HealthFigure> out;
  for (auto [kind, source] : {std::pair{SourceKind::Road, HealthSource::Road},
                              std::pair{SourceKind::Rail, HealthSource::Rail}}) {
    std::vector<HealthFigure> f =
        HealthFigures(source, PeopleOf(a, kind, Indicator::Lden),
                      PeopleOf(a, kind, Indicator::Lnight), a.residents, ihdIncidence);
    out.insert(out.end(), f.begin(), f.end());
  }
  return out;
}

std::string HealthCsv(const std::vector<HealthFigure>& figures) {
  std::string text = std::string(kHealthHeader) + kEol;
  for (const HealthFigure& f : figures) {
    text += f.source + "," + f.effect + "," + f.indicator + "," +
            (f.casesKnown ? Hundredths(f.cases) : std::string()) + "," +
            FormatPattern(f.fraction, "0.000000") + "," + CsvText(f.rule) + kEol;
  }
  return text;
}

std::string AreasCsv(const std::vector<AreaFigures>& areas) {
  std::string text = std::string(kAreasHeader) + kEol;
  for (const AreaFigures& a : areas) {
    text += std::string("Lden,") + PlainNumber(a.threshold) + "," +
            FormatPattern(a.squareKm, "0.0000") + "," + PlainInteger(RoundToHundred(a.people)) +
            "," + PlainInteger(RoundToHundred(a.dwellings)) + "," + Hundredths(a.people) + "," +
            Hundredths(a.dwellings) + kEol;
  }
  return text;
}

}  // namespace sonvale
