#include <cmath>
#include <map>
#include <set>

#include "model/acoustics.h"
#include "propagation/kernel.h"
#include "text/field_reader.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

void SkipLineOrFail(FieldReader& in, const char* what) {
  if (in.atEnd()) in.fail(std::string("the file ends before ") + what);
  in.skipLine();
}

}  // namespace

double SourceSpectrumLevel(const std::string& fileName) {
  FieldReader in(fileName);
  // Source name, manufacturer, date and time: label and value each.
  for (int i = 0; i < 8; ++i) in.readText();
  in.readText();
  const long N = in.readLong();
  // No band at all would leave nothing to sum and the level would be log(0).
  if (N < 1) in.fail("the number of frequency bands must be at least 1");

  double sum = 0;
  for (long band = 0; band < N; ++band) {
    in.readText();
    const long k = in.readLong();
    if (k < 0 || k > 10) in.fail("frequency band number outside 0..10");
    SkipLineOrFail(in, "the column titles");
    double values[6];
    for (double& v : values) v = in.readNumber();
    const double Lk = values[2];
    sum += std::pow(10.0, (Lk + AWeight[static_cast<size_t>(k)]) / 10);
    in.readText();
    const long M = in.readLong();
    if (M < 0) in.fail("negative number of polar plots");
    in.readText();
    in.readNumber();
    SkipLineOrFail(in, "the polar header");
    for (long m = 0; m < M; ++m) SkipLineOrFail(in, "the last polar plot");
  }
  const double level = 10 * std::log(sum) / kLogTen;
  if (!std::isfinite(level)) in.fail("the band levels give no finite sound power");
  return level;
}

void FillSourcePowers(Project& p, SetupReport& report) {
  // Several sources may share one file: read it once, and report a bad one once.
  std::map<std::string, double> levels;
  std::set<std::string> failed;
  for (long i = 1; i <= p.sources.count(); ++i) {
    Source& s = p.sources[i];
    if (s.Lw != 0) continue;
    if (failed.count(s.Nome)) continue;
    auto known = levels.find(s.Nome);
    if (known != levels.end()) {
      s.Lw = known->second;
      continue;
    }
    try {
      const double level = SourceSpectrumLevel(s.Nome);
      levels[s.Nome] = level;
      s.Lw = level;
    } catch (const FileError& e) {
      failed.insert(s.Nome);
      report.messages.push_back(e.what());
    } catch (const FormatError& e) {
      failed.insert(s.Nome);
      report.messages.push_back(e.what());
    }
  }
}

}  // namespace sonvale
