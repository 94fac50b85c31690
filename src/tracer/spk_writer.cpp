#include "tracer/spk_writer.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <stdexcept>

#include "model/acoustics.h"
#include "platform/atomic_file.h"
#include "text/field_reader.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr int kBands = 8;
constexpr int kRows = 10;
constexpr double kLineToPoint = 23.56194;  // 7.5 * pi

double Log10(double x) { return std::log(x) / kLogTen; }

double SpacingTerm(const Configuration& c) { return 10 * Log10(kLineToPoint * c.PassoSorgenti); }

SpkBands FixedBands(double level, const Configuration& c) {
  SpkBands b;
  b.Lw.fill(level + SpacingTerm(c));
  return b;
}

// One class of a line source in one band: its energy and the directivity
// table row it takes its balloon from.
struct ClassBand {
  double E = 0;
  std::array<double, kRows> dir{};  // dB
};

// Weights, balloon and power of one band from its classes.
template <size_t N>
void CombineBand(SpkBands& out, int v, const std::array<ClassBand, N>& classes,
                 const Configuration& c) {
  double sum = 0;
  for (const ClassBand& k : classes) sum += k.E;
  const size_t b = static_cast<size_t>(v - 1);
  double mean = 0;
  for (int m = 0; m < kRows; ++m) {
    double d = 0;
    for (const ClassBand& k : classes) {
      const double w = sum > 0 ? k.E / sum : 1.0 / static_cast<double>(N);
      d += w * std::pow(10.0, k.dir[static_cast<size_t>(m)] / 10);
    }
    out.D[static_cast<size_t>(m)][b] = d;
    mean += d;
  }
  out.A[b] = mean / kRows;
  out.Lw[b] = 10 * Log10(1e4 + sum) + SpacingTerm(c);
}

std::string TwoDigits(int n) {
  std::string s = PlainInteger(n);
  return s.size() < 2 ? "0" + s : s;
}

// Folds a point or plot number onto the ten directivity rows (0..9).
int FoldPlot(int K) { return K <= 9 ? K : 18 - K; }
int FoldPoint(int P) {
  if (P <= 9) return P;
  if (P <= 18) return 18 - P;
  if (P <= 27) return P - 18;
  return 36 - P;
}

}  // namespace

std::string RayFolder(std::string_view rayFileName) {
  size_t cut = rayFileName.find_last_of("\\/");
  return cut == std::string_view::npos ? std::string()
                                       : std::string(rayFileName.substr(0, cut + 1));
}

std::string SpkFileName(std::string_view rayFileName, std::string_view prefix, long number) {
  std::string digits = PlainInteger(std::labs(number) % 10000);
  digits.insert(0, 4 - digits.size(), '0');
  return RayFolder(rayFileName) + std::string(prefix) + digits + ".SPK";
}

SpkBands RoadSpkBands(const Project& p, long i, const Configuration& c,
                      const EmissionTables& tables) {
  const Strada& road = p.strade[i];
  const bool day = p.Diurno;
  if (road.Pavimentaz == -1) return FixedBands(day ? road.LeqDay : road.LeqNight, c);

  const long pav = road.Pavimentaz;
  const double hours = day ? 16.0 : 8.0;
  const long slope = std::clamp(road.Pendenza, 0L, 2L);
  const Table4& sel = tables.SelStrade;
  SpkBands out;
  for (int v = 1; v <= kBands; ++v) {
    std::array<ClassBand, 5> classes;
    for (int k = 1; k <= 5; ++k) {
      const size_t kk = static_cast<size_t>(k);
      const int s =
          static_cast<int>(std::clamp(day ? road.VelDay[kk] : road.VelNight[kk], 0L, 7L)) + 1;
      ClassBand& cb = classes[kk - 1];
      for (int m = 1; m <= kRows; ++m)
        cb.dir[static_cast<size_t>(m - 1)] = tables.DirStrade.at(v, s, k, m);
      double L = sel.at(v, s, k, 1);
      if (pav == 1 || pav == 2) L -= sel.at(v, s, k, static_cast<int>(pav) + 1);
      if (slope > 0) L -= sel.at(v, s, k, static_cast<int>(slope) + 3);
      const long n = day ? road.NveicDay[kk] : road.NveicNight[kk];
      cb.E = static_cast<double>(n) * std::pow(10.0, L / 10) / hours / 3600;
    }
    CombineBand(out, v, classes, c);
  }
  return out;
}

SpkBands TrackSpkBands(const Project& p, long i, const Configuration& c,
                       const EmissionTables& tables) {
  const Binario& track = p.binari[i];
  const bool day = p.Diurno;
  if (track.TipoArmamento == -1) return FixedBands(day ? track.LeqDay : track.LeqNight, c);

  const long armamento = std::min(track.TipoArmamento, 1L);
  const double hours = day ? 16.0 : 8.0;
  SpkBands out;
  for (int v = 1; v <= kBands; ++v) {
    std::array<ClassBand, 3> classes;
    for (int k = 1; k <= 3; ++k) {
      const size_t kk = static_cast<size_t>(k);
      const int s =
          static_cast<int>(std::clamp(day ? track.VelDay[kk] : track.VelNight[kk], 0L, 3L)) + 1;
      ClassBand& cb = classes[kk - 1];
      for (int m = 1; m <= kRows; ++m)
        cb.dir[static_cast<size_t>(m - 1)] = tables.DirBinari.at(v, s, k, m);
      double L = tables.SelBinari.at(v, s, k, 1);
      if (armamento > 0) L -= tables.SelBinari.at(v, s, k, 2);
      const long trains = day ? track.NtreniDay[kk] : track.NtreniNight[kk];
      const long length = day ? track.LungDay[kk] : track.LungNight[kk];
      cb.E = std::pow(10.0, L / 10) * static_cast<double>(trains) / hours / 3600 *
             static_cast<double>(length) / 100;
    }
    CombineBand(out, v, classes, c);
  }
  return out;
}

SpkStamp CurrentSpkStamp() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return {
      TwoDigits(t.tm_mon + 1) + "-" + TwoDigits(t.tm_mday) + "-" + PlainInteger(t.tm_year + 1900),
      TwoDigits(t.tm_hour) + ":" + TwoDigits(t.tm_min) + ":" + TwoDigits(t.tm_sec)};
}

std::string SpkValueField(double value) {
  const double r = std::floor(1000 * value + 0.5) / 1000;
  const std::string plain = PlainNumber(r);
  const bool exponent = plain.find('E') != std::string::npos;
  const size_t point = plain.find('.');
  if (!exponent && point != std::string::npos && point <= 2) {
    // Two characters before the point, the point and three decimals.
    std::string s = "    " + plain + "0000";
    return s.substr(point + 4 - 2, 6);
  }
  if (!exponent && point == std::string::npos && plain.size() <= 4) {
    std::string s = "    " + plain + ".0";
    return s.substr(s.size() - 6);
  }
  // A whole part too wide for three decimals: as many decimals as still fit.
  if (std::isfinite(r)) {
    for (int decimals = 2; decimals >= 0; --decimals) {
      std::string text = FormatPattern(r, "0." + std::string(static_cast<size_t>(decimals), '0'));
      if (text.size() <= 6) return std::string(6 - text.size(), ' ') + text;
    }
  }
  throw std::out_of_range("balloon value " + plain + " does not fit six characters");
}

std::string SpkText(const std::string& fileName, const SpkBands& bands, const SpkStamp& stamp) {
  RecordWriter w;
  std::string out;
  out += w.text("Source Name").text(fileName).line();
  out += w.text("Manufacturer").text("ConeTrak").line();
  out += w.text("Date").text(stamp.date).line();
  out += w.text("Time").text(stamp.time).line();
  out += w.text("Number of frequency bands").integer(kBands).line();

  std::string header = "\"Polar Angle on the plot (ß)\",\"--->\"";
  for (int P = 0; P < 36; ++P) header += "," + FormatField(10.0 * P, "####0");
  header += "\r\n";

  for (int v = 1; v <= kBands; ++v) {
    const size_t b = static_cast<size_t>(v - 1);
    out += w.text("Freq. band no.").integer(v + 1).line();
    out += w.text("Z (ê)")
               .text("Efficiency (%)")
               .text("Lw (dBpW)")
               .text("Directivity Q")
               .text("Directivity Index (dB)")
               .text("Sensitivity (dB SPL at 1W,1m)")
               .line();
    out += w.integer(0).integer(1).number(bands.Lw[b]).integer(1).integer(0).integer(94).line();
    out += w.text("No. of polar plots").integer(18).line();
    out += w.text("No. of points per plot").integer(36).line();
    out += header;
    for (int K = 0; K < 18; ++K) {
      const double axis = bands.A[b];
      const double rim = bands.D[static_cast<size_t>(FoldPlot(K))][b];
      out += "\"Angle of the polar plot (ø)\"," + FormatField(10.0 * K, "######0");
      for (int P = 0; P < 36; ++P) {
        const double value = axis + (rim - axis) * FoldPoint(P) / 9;
        out += "," + SpkValueField(value);
      }
      out += "\r\n";
    }
  }
  out += w.text("END").line();
  return out;
}

void WriteSpkFiles(const std::string& rayFileName, const Project& p, const Configuration& c,
                   const EmissionTables& tables, WorkReport& report, const SpkStamp& stamp) {
  auto write = [&](const std::string& name, const SpkBands& bands) {
    std::string text;
    try {
      text = SpkText(name, bands, stamp);
    } catch (const std::out_of_range& e) {
      throw FileError(name, e.what());
    }
    WriteFileAtomically(name, text);
    report.tick();
  };
  for (long i = 1; i <= p.strade.count(); ++i)
    write(SpkFileName(rayFileName, kSpkRoadPrefix, i), RoadSpkBands(p, i, c, tables));
  for (long i = 1; i <= p.binari.count(); ++i)
    write(SpkFileName(rayFileName, kSpkTrackPrefix, i), TrackSpkBands(p, i, c, tables));
}

}  // namespace sonvale
