#include "exposure/exposure_assessment.h"

#include <algorithm>

namespace sonvale {
namespace {

size_t K(SourceKind k) { return static_cast<size_t>(k); }
size_t I(Indicator i) { return static_cast<size_t>(i); }

void Widen(std::optional<double>& lo, std::optional<double>& hi, const std::optional<double>& v) {
  if (!v) return;
  if (!lo || *v < *lo) lo = v;
  if (!hi || *v > *hi) hi = v;
}

}  // namespace

KindLevels LevelsOf(const PointEnergies& e, SourceKind k, const PeriodScheme& periods) {
  KindLevels l;
  l.day = LevelOf(e.day(k));
  l.night = LevelOf(e.night(k));
  l.lden = LevelOf(LdenEnergy(e.day(k), e.night(k), periods));
  return l;
}

ExposureAssessment AssessExposure(const FacadeLayout& layout,
                                  const std::vector<PointEnergies>& energies,
                                  const std::vector<BuildingPopulation>& people,
                                  const ExposureSettings& settings) {
  ExposureAssessment out;
  out.points.resize(layout.points.size());
  for (size_t i = 0; i < layout.points.size(); ++i) {
    for (SourceKind k : kSourceKinds)
      out.points[i].levels[K(k)] = LevelsOf(energies[i], k, settings.periods);
  }
  const size_t buildings = layout.first.empty() ? 0 : layout.first.size() - 1;
  out.buildings.resize(buildings);
  for (size_t b = 0; b < buildings; ++b) {
    BuildingAssessment& ba = out.buildings[b];
    ba.population = b < people.size() ? people[b] : BuildingPopulation{};
    ba.method = ba.population.method.value_or(settings.method);
    ba.first = layout.first[b];
    ba.last = layout.first[b + 1];
    const bool residential = ba.population.use == BuildingUse::Residential;
    if (residential) {
      out.residents += ba.population.people;
      out.dwellings += ba.population.dwellings;
    }
    std::vector<double> lengths;
    for (size_t i = ba.first; i < ba.last; ++i) {
      lengths.push_back(layout.points[i].length);
      const KindLevels& all = out.points[i].levels[K(SourceKind::All)];
      Widen(ba.quietestLden, ba.loudestLden, all.lden);
      Widen(ba.quietestLnight, ba.loudestLnight, all.night);
    }
    ba.quietFacade = ba.loudestLden && ba.quietestLden &&
                     *ba.quietestLden <= *ba.loudestLden - settings.quietMargin;
    if (ba.first == ba.last) continue;

    for (SourceKind k : kSourceKinds) {
      for (Indicator ind : {Indicator::Lden, Indicator::Lnight}) {
        std::vector<std::optional<double>> levels;
        for (size_t i = ba.first; i < ba.last; ++i)
          levels.push_back(out.points[i].levels[K(k)].of(ind));
        const std::vector<double> shares = AssignShares(ba.method, levels, lengths);
        std::array<BandFigures, kBandCount>& row = out.table[K(k)][I(ind)];
        std::optional<double> loudest;
        for (size_t q = 0; q < shares.size(); ++q) {
          const size_t i = ba.first + q;
          out.points[i].people[K(k)][I(ind)] = shares[q] * ba.population.people;
          const std::optional<double>& level = levels[q];
          if (level && (!loudest || *level > *loudest)) loudest = level;
          if (!level || !residential) continue;
          const int band = BandIndex(ind, Tenths(*level));
          if (band < 0) continue;
          row[static_cast<size_t>(band)].people += shares[q] * ba.population.people;
          row[static_cast<size_t>(band)].dwellings += shares[q] * ba.population.dwellings;
        }
        if (!loudest) continue;
        const int band = BandIndex(ind, Tenths(*loudest));
        if (band < 0) continue;
        if (ba.population.use == BuildingUse::School) ++row[static_cast<size_t>(band)].schools;
        if (ba.population.use == BuildingUse::Hospital) ++row[static_cast<size_t>(band)].hospitals;
      }
    }
  }
  return out;
}

}  // namespace sonvale
