#include "propagation/point_calc.h"

#include <cmath>
#include <fstream>
#include <optional>
#include <string_view>

#include "model/acoustics.h"
#include "propagation/node_pool.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr const char* kCrLf = "\r\n";

size_t PeriodIndex(Period period) { return period == Period::Day ? 0 : 1; }

// The first five characters of the point name, left-aligned in six columns.
// Names may hold accented letters: characters are counted, not bytes.
std::string NameField(const Project& p, long n) {
  const std::string& name = p.punti[n].Nome;
  std::string out;
  int chars = 0;
  for (size_t k = 0; k < name.size() && chars < 5;) {
    size_t len = 1;
    unsigned char c = static_cast<unsigned char>(name[k]);
    if (c >= 0xF0)
      len = 4;
    else if (c >= 0xE0)
      len = 3;
    else if (c >= 0xC0)
      len = 2;
    out.append(name, k, len);
    k += len;
    ++chars;
  }
  out.append(static_cast<size_t>(6 - chars), ' ');
  return out;
}

std::string LevelField(const PointLevel& level, const char* pattern) {
  if (level) return FormatField(*level, pattern);
  return std::string(std::string_view(pattern).size() - 1, ' ') + "-";
}

std::string LevelText(const PointLevel& level, const char* pattern) {
  return level ? FormatPattern(*level, pattern) : std::string();
}

std::string Join(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) line += '\t';
    line += fields[k];
  }
  return line + kCrLf;
}

// The items of one limit-file line, separated by commas or, with blanks set, by
// runs of blanks and tabs. Blanks around an item are dropped; an item that starts
// with a double quote is the text up to the closing quote, and whatever follows
// that quote up to the separator is not part of it. nullopt when a quote is not
// closed.
std::optional<std::vector<std::string>> LimitItems(std::string_view line, bool blanks) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  auto isSeparator = [&](char c) { return c == ',' || (blanks && isBlank(c)); };
  std::vector<std::string> items;
  size_t i = 0;
  for (;;) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (blanks && i >= line.size()) break;
    std::string item;
    if (i < line.size() && line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      item = line.substr(i + 1, close - i - 1);
      i = close + 1;
      while (i < line.size() && !isSeparator(line[i])) ++i;
    } else {
      const size_t begin = i;
      while (i < line.size() && !isSeparator(line[i])) ++i;
      std::string_view raw = line.substr(begin, i - begin);
      while (!raw.empty() && isBlank(raw.back())) raw.remove_suffix(1);
      item = raw;
    }
    items.push_back(std::move(item));
    if (i >= line.size()) break;
    ++i;  // the separator
  }
  return items;
}

}  // namespace

PointResults::PointResults()
    : table_(static_cast<size_t>(kMaxIndex) + 1, std::array<PointLevel, 2>{0.0, 0.0}) {}

PointLevel PointResults::get(long n, Period period) const {
  if (n < 0 || n > kMaxIndex) return 0.0;
  return table_[static_cast<size_t>(n)][PeriodIndex(period)];
}

void PointResults::set(long n, Period period, PointLevel level) {
  if (n < 0 || n > kMaxIndex) {
    throw CapacityError("point " + PlainInteger(n) + " beyond the results table (at most " +
                        PlainInteger(kMaxIndex) + ")");
  }
  table_[static_cast<size_t>(n)][PeriodIndex(period)] = level;
}

long ReceiverCount(const Project& p, ReceiverSet set) {
  return set == ReceiverSet::Punti ? p.punti.count() : p.receivers.count();
}

Vec3 ReceiverPosition(const Project& p, ReceiverSet set, long n) {
  if (set == ReceiverSet::Punti) {
    const Punto& q = p.punti[n];
    return {q.X, q.Y, q.Z};
  }
  const Receiver& q = p.receivers[n];
  return {q.X, q.Y, q.Z};
}

std::vector<std::string> RunPointLoop(const PointCalcInputs& in, PointLoopReport& report) {
  Project& p = in.project;
  const Configuration& c = in.config;
  in.stopRequested = false;

  if (!p.AzzeraStandard) {
    SetupReport problems;
    FillSourcePowers(p, problems);
    if (!problems.messages.empty()) report.sourceProblems(problems.messages);
  }
  // With AzzeraStandard the setups hold the roads alone.
  const std::array<PropagationSetup, 2> setups = {PrepareSetup(p, c, Period::Day),
                                                  PrepareSetup(p, c, Period::Night)};
  const std::array<double, 2> background = {std::pow(10.0, c.FondoDiurno / 10),
                                            std::pow(10.0, c.FondoNotturno / 10)};

  std::vector<std::string> lines;
  auto add = [&](std::string line) {
    if (in.onLine) in.onLine(line);
    lines.push_back(std::move(line));
  };
  add(kPointListHeader);

  const long N = ReceiverCount(p, in.set);
  // Node n - 1 of the pool is the day and the night energy of point n, computed
  // ahead by the workers and taken here in the order of the loop.
  const std::unique_ptr<DayNightEngine> engine =
      MakeDayNightEngine(in.engineKind, p, c, setups[0], setups[1], 0.0);
  DayNightPool pool(N, in.threads, [&](long q) {
    const std::array<EnergyParts, 2> e = engine->parts(ReceiverPosition(p, in.set, q + 1));
    return std::array<double, 2>{e[0].total, e[1].total};
  });
  for (long n = 1; n <= N; ++n) {
    const std::array<double, 2> energies = pool.take(n - 1);
    for (Period period : {Period::Day, Period::Night}) {
      size_t k = PeriodIndex(period);
      double Etot = energies[k];
      PointLevel level;
      if (p.AzzeraStandard) {
        // Road energy alone: a receiver that no road piece reaches has no level.
        if (Etot > 0) level = 10 * std::log(Etot) / kLogTen;
      } else {
        level = 10 * std::log(Etot + background[k]) / kLogTen;
      }
      in.results.set(n, period, level);
      report.step();
    }
    report.pointDone(n, N);
    add(PointListLine(p, in.set, n, in.results));
    report.step();
    if (in.stopRequested) break;
  }
  return lines;
}

std::string PointListLine(const Project& p, ReceiverSet set, long n, const PointResults& r) {
  Vec3 q = ReceiverPosition(p, set, n);
  return FormatField(static_cast<double>(n), "#### ") + NameField(p, n) +
         FormatField(q.x, "########0.0") + FormatField(q.y, "########0.0") +
         FormatField(q.z, "####0.00") + LevelField(r.get(n, Period::Day), "###0.0") +
         LevelField(r.get(n, Period::Night), "#####0.0");
}

std::string PointClipboardText(const Project& p, ReceiverSet set, const PointResults& r) {
  const bool names = set == ReceiverSet::Punti;
  std::string text = names ? Join({"N.", "nome", "X", "Y", "Z", "Leq Day", "Leq Night"})
                           : Join({"N.", "X", "Y", "Z", "Leq Day", "Leq Night"});
  const long N = ReceiverCount(p, set);
  for (long n = 1; n <= N; ++n) {
    Vec3 q = ReceiverPosition(p, set, n);
    std::vector<std::string> f{FormatPattern(static_cast<double>(n), "######")};
    if (names) f.push_back(NameField(p, n));
    f.push_back(FormatPattern(q.x, "#########0.##"));
    f.push_back(FormatPattern(q.y, "#########0.##"));
    f.push_back(FormatPattern(q.z, "#########0.##"));
    f.push_back(LevelText(r.get(n, Period::Day), "##0.000"));
    f.push_back(LevelText(r.get(n, Period::Night), "##0.000"));
    text += Join(f);
  }
  return text;
}

std::string PointDataText(const Project& p, ReceiverSet set, const PointResults& r) {
  std::string text = Join({"N.", "X", "Y", "Z", "Leq Day", "Leq Night"});
  const long N = ReceiverCount(p, set);
  for (long n = 1; n <= N; ++n) {
    Vec3 q = ReceiverPosition(p, set, n);
    text += Join({FormatPattern(static_cast<double>(n), "#####"),
                  FormatPattern(q.x, "#########0.##"), FormatPattern(q.y, "#########0.##"),
                  FormatPattern(q.z, "#########0.##"), LevelText(r.get(n, Period::Day), "##0.0"),
                  LevelText(r.get(n, Period::Night), "##0.0")});
  }
  return text;
}

std::vector<PointLimit> ReadLimitFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, "cannot open the limit file");
  std::vector<PointLimit> limits;
  std::string line;
  long lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // Items are separated by commas where the line has any outside its texts, else
    // by blanks or tabs, so that an identifier with blanks can be written between
    // commas or in quotes.
    std::optional<std::vector<std::string>> items = LimitItems(line, false);
    if (items && items->size() == 1) items = LimitItems(line, true);
    if (!items) throw FormatError(path, lineNo, "a text has no closing quote");
    bool blankLine = true;
    for (const std::string& s : *items) blankLine = blankLine && s.empty();
    if (blankLine) continue;
    if (items->size() < 3 || !IsNumber((*items)[1]) || !IsNumber((*items)[2])) {
      throw FormatError(path, lineNo, "expected an identifier, the day limit and the night limit");
    }
    limits.push_back({LeadingNumber((*items)[1]), LeadingNumber((*items)[2])});
  }
  if (in.bad()) throw FileError(path, "error while reading the limit file");
  return limits;
}

PointScript PointScriptText(const Project& p, ReceiverSet set, const PointResults& r,
                            const std::vector<PointLimit>& limits) {
  PointScript script;
  const long N = ReceiverCount(p, set);
  for (long n = 1; n <= N; ++n) {
    Vec3 q = ReceiverPosition(p, set, n);
    PointLevel day = r.get(n, Period::Day);
    PointLevel night = r.get(n, Period::Night);
    std::string colour;
    PointLevel compared;
    if (static_cast<size_t>(n) <= limits.size()) {
      const PointLimit& lim = limits[static_cast<size_t>(n - 1)];
      if (lim.night < 30) {
        compared = day;
        colour = day && *day > lim.day ? "color 6" : "color 4";
      } else {
        compared = night;
        colour = night && *night > lim.night ? "color 1" : "color 5";
      }
    } else {
      ++script.pointsWithoutLimit;
      compared = day;
      colour = "color 4";
    }
    const std::string x = PlainNumber(q.x), z = PlainNumber(q.z);
    script.text += colour + kCrLf;
    script.text += "circle " + x + "," + PlainNumber(q.y) + "," + z + " 15" + kCrLf;
    script.text += "text j tc " + x + "," + PlainNumber(q.y - 25) + "," + z + " 25 0" +
                   ShowNumber(static_cast<double>(n)) + kCrLf;
    script.text += "text j bc " + x + "," + PlainNumber(q.y + 20) + "," + z + " 25 0" +
                   (compared ? FormatPattern(*compared, " ###.0") : std::string(" -")) + kCrLf;
  }
  return script;
}

}  // namespace sonvale
