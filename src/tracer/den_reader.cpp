#include "tracer/den_reader.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

// Splits the file into its numbers as free-format input does: commas, blanks,
// tabs and line ends separate them.
std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> out;
  std::string cur;
  for (char ch : text) {
    if (ch == ',' || ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

PointLevel Level(double v) {
  if (v <= kTracerNoLevel) return std::nullopt;
  return v;
}

}  // namespace

DenOutcome DenReader(const Project& p, ReceiverSet set, const std::string& denFile,
                     PointResults& results, WorkReport& report) {
  DenOutcome out;
  out.lines.push_back(kDenListHeader);
  out.count = ReceiverCount(p, set);

  std::vector<std::string> tokens;
  {
    std::ifstream in(denFile, std::ios::binary);
    if (in) {
      out.fileFound = true;
      std::ostringstream s;
      s << in.rdbuf();
      tokens = Tokens(s.str());
    }
  }
  size_t next = 0;
  bool readable = true;
  auto take = [&](double& v) {
    if (!readable || next >= tokens.size() || !IsNumber(tokens[next])) {
      readable = false;
      return false;
    }
    v = LeadingNumber(tokens[next++]);
    return true;
  };
  for (long i = 1; i <= out.count; ++i) {
    double day = 0, evening = 0, night = 0;
    if (take(day) && take(evening) && take(night)) {
      results.set(i, Period::Day, Level(day));
      results.set(i, Period::Night, Level(night));
      ++out.read;
    } else {
      results.set(i, Period::Day, std::nullopt);
      results.set(i, Period::Night, std::nullopt);
    }
    report.progress(PlainInteger(i) + " /" + PlainInteger(out.count));
    report.tick();
  }
  for (long i = 1; i <= out.count; ++i) out.lines.push_back(PointListLine(p, set, i, results));
  report.tick();
  if (out.fileFound) std::remove(denFile.c_str());

  if (!out.fileFound && out.count > 0) {
    report.notice(
        {"Attenzione!",
         SV_TR("sonvale", "Il file dei risultati di Beamrun ") + denFile +
             SV_TR("sonvale", " non è stato trovato: i ricettori sono elencati senza livello")});
  } else if (out.read < out.count) {
    report.notice({"Attenzione!", SV_TR("sonvale", "Il file dei risultati di Beamrun ") + denFile +
                                      SV_TR("sonvale", " contiene i livelli di") +
                                      ShowNumber(static_cast<double>(out.read)) +
                                      SV_TR("sonvale", " ricettori su") +
                                      ShowNumber(static_cast<double>(out.count)) +
                                      SV_TR("sonvale", ": gli altri sono elencati senza livello")});
  }
  return out;
}

}  // namespace sonvale
