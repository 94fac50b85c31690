#include "exposure/exposure_report.h"

#include "exposure/exposure_tables.h"
#include "text/number_text.h"
#include "tracer/xml_text.h"

namespace sonvale {
namespace {

std::string Cell(const std::string& s, bool number = false) {
  return std::string(number ? "<td class=\"n\">" : "<td>") + XmlEscape(s) + "</td>";
}

std::string Hundredths(double v) { return FormatPattern(v, "0.00"); }

std::string BandTable(const ExposureAssessment& a, SourceKind k) {
  std::string h = "<h3>" + XmlEscape(std::string(SourceKindName(k))) +
                  "</h3>\n<table>\n<tr>"
                  "<th>indicator</th><th>band (dB)</th><th>people</th><th>dwellings</th>"
                  "<th>schools</th><th>hospitals</th><th>people (exact)</th>"
                  "<th>dwellings (exact)</th></tr>\n";
  for (Indicator ind : {Indicator::Lden, Indicator::Lnight}) {
    for (int b = 0; b < kBandCount; ++b) {
      const BandFigures& f =
          a.table[static_cast<size_t>(k)][static_cast<size_t>(ind)][static_cast<size_t>(b)];
      h += "<tr>" + Cell(IndicatorName(ind)) + Cell(BandLabel(ind, b)) +
           Cell(PlainInteger(RoundToHundred(f.people)), true) +
           Cell(PlainInteger(RoundToHundred(f.dwellings)), true) +
           Cell(PlainInteger(f.schools), true) + Cell(PlainInteger(f.hospitals), true) +
           Cell(Hundredths(f.people), true) + Cell(Hundredths(f.dwellings), true) + "</tr>\n";
    }
  }
  return h + "</table>\n";
}

}  // namespace

BandRgb ExposureBandColour(Indicator, int band) {
  // Yellow to deep red, grey below the first band.
  static const BandRgb kColours[kBandCount] = {
      {255, 255, 0}, {255, 170, 0}, {255, 85, 0}, {220, 0, 0}, {140, 0, 80}};
  if (band < 0) return {160, 160, 160};
  return kColours[band < kBandCount ? band : kBandCount - 1];
}

BandRgb LdenColour(std::optional<double> lden) {
  return ExposureBandColour(Indicator::Lden, lden ? BandIndex(Indicator::Lden, Tenths(*lden)) : -1);
}

BandRgb FacadePointColour(const ExposureAssessment& a, size_t point) {
  return LdenColour(a.points[point].levels[static_cast<size_t>(SourceKind::All)].lden);
}

std::string ExposureReportHtml(const ExposureReportInputs& in) {
  const ExposureAssessment& a = *in.assessment;
  long quiet = 0, withPoints = 0;
  for (const BuildingAssessment& b : a.buildings) {
    quiet += b.quietFacade ? 1 : 0;
    withPoints += b.last > b.first ? 1 : 0;
  }
  std::string h =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Façade exposure - " +
      XmlEscape(in.project) +
      "</title>\n"
      "<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse;"
      "margin-bottom:1em}td,th{border:1px solid #999;padding:2px 8px}td.n{text-align:right}"
      "</style>\n</head>\n<body>\n<h1>Façade exposure</h1>\n<p>Project: " +
      XmlEscape(in.project) + "</p>\n<h2>Choices</h2>\n<table>\n";
  for (const auto& [what, value] : in.choices) h += "<tr>" + Cell(what) + Cell(value) + "</tr>\n";
  h += "</table>\n<h2>Façade points</h2>\n<p>" +
       PlainInteger(static_cast<long long>(in.layout->points.size())) + " points on " +
       PlainInteger(withPoints) + " buildings; dropped: " + PlainInteger(in.layout->droppedInside) +
       " inside a building, " + PlainInteger(in.layout->droppedNearAxis) +
       " near a road or track axis. Buildings with a quiet façade: " + PlainInteger(quiet) +
       ".</p>\n";
  h += "<h2>People, dwellings, schools and hospitals per band</h2>\n<p>People and dwellings "
       "rounded to the nearest hundred, exact figures beside them; residents: " +
       Hundredths(a.residents) + ", dwellings: " + Hundredths(a.dwellings) + ".</p>\n";
  for (SourceKind k : kSourceKinds) h += BandTable(a, k);
  if (in.chart)
    h += std::string("<p><img src=\"") + kChartPicture + "\" alt=\"people per band\"></p>\n";
  h += "<h2>Harmful effects</h2>\n<table>\n<tr><th>source</th><th>effect</th><th>indicator</th>"
       "<th>cases</th><th>fraction</th><th>rule</th></tr>\n";
  for (const HealthFigure& f : in.health) {
    h += "<tr>" + Cell(f.source) + Cell(f.effect) + Cell(f.indicator) +
         Cell(f.casesKnown ? Hundredths(f.cases) : "-", true) +
         Cell(FormatPattern(f.fraction, "0.000000"), true) + Cell(f.rule) + "</tr>\n";
  }
  h += "</table>\n";
  if (!in.areas.empty()) {
    h += "<h2>Areas above Lden thresholds</h2>\n<table>\n<tr><th>Lden</th><th>km²</th>"
         "<th>people</th><th>dwellings</th><th>people (exact)</th><th>dwellings (exact)</th>"
         "</tr>\n";
    for (const AreaFigures& ar : in.areas) {
      h += "<tr>" + Cell(">= " + PlainNumber(ar.threshold)) +
           Cell(FormatPattern(ar.squareKm, "0.0000"), true) +
           Cell(PlainInteger(RoundToHundred(ar.people)), true) +
           Cell(PlainInteger(RoundToHundred(ar.dwellings)), true) +
           Cell(Hundredths(ar.people), true) + Cell(Hundredths(ar.dwellings), true) + "</tr>\n";
    }
    h += "</table>\n";
  }
  if (in.map)
    h += std::string("<h2>Façade points by Lden band</h2>\n<p><img src=\"") + kMapPicture +
         "\" alt=\"façade points coloured by Lden band\"></p>\n";
  return h + "</body>\n</html>\n";
}

}  // namespace sonvale
