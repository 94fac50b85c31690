#include "exposure/exposure_parts.h"

#include <bit>
#include <cstdint>
#include <sstream>

#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr const char* kMagic = "SONVALE-EXPOSURE-PART";

std::string Hex(double v) { return HexBits(std::bit_cast<uint64_t>(v)); }

bool ParseHex(const std::string& s, double& v) {
  uint64_t bits = 0;
  if (!ParseHexBits(s, bits)) return false;
  v = std::bit_cast<double>(bits);
  return true;
}

bool ParseCount(const std::string& s, long long& v) {
  if (s.empty() || s.size() > 12) return false;
  v = 0;
  for (char ch : s) {
    if (ch < '0' || ch > '9') return false;
    v = v * 10 + (ch - '0');
  }
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> w;
  for (std::string s; in >> s;) w.push_back(s);
  return w;
}

}  // namespace

PointRange PartRange(size_t total, int k, int n) {
  const size_t base = total / static_cast<size_t>(n), extra = total % static_cast<size_t>(n);
  // The last `extra` parts take one more point.
  auto start = [&](size_t part) {
    const size_t small = static_cast<size_t>(n) - extra;
    return part <= small ? part * base : small * base + (part - small) * (base + 1);
  };
  return {start(static_cast<size_t>(k - 1)), start(static_cast<size_t>(k))};
}

std::string ExposurePartName(int k, int n) {
  return "exposure.part" + PlainInteger(k) + "of" + PlainInteger(n);
}

std::string ExposurePartText(int k, int n, size_t total, PointRange range,
                             const std::vector<PointEnergies>& energies, uint64_t inputs) {
  std::string text = std::string(kMagic) + " " + PlainInteger(k) + " " + PlainInteger(n) + " " +
                     PlainInteger(static_cast<long long>(range.first)) + " " +
                     PlainInteger(static_cast<long long>(range.last)) + " " +
                     PlainInteger(static_cast<long long>(total)) + " " + HexBits(inputs) + "\n";
  for (size_t i = range.first; i < range.last; ++i) {
    const PointEnergies& e = energies[i];
    for (size_t kind = 0; kind < 3; ++kind)
      for (size_t period = 0; period < 2; ++period)
        text += Hex(e.e[kind][period]) + (kind == 2 && period == 1 ? "\n" : " ");
  }
  return text + "END\n";
}

std::vector<PointEnergies> MergeExposureParts(const std::vector<std::string>& parts, size_t total,
                                              uint64_t inputs) {
  std::vector<PointEnergies> out(total);
  std::vector<bool> have;
  long long expectedN = -1;
  for (const std::string& path : parts) {
    TextCursor in(ReadWholeFile(path));
    auto readLine = [&in]() {
      std::string line;
      for (int ch = in.get(); ch != -1 && ch != '\n'; ch = in.get()) line += static_cast<char>(ch);
      return line;
    };
    std::vector<std::string> head = Words(readLine());
    long long k = 0, n = 0, first = 0, last = 0, count = 0;
    uint64_t from = inputs;
    if ((head.size() != 6 && head.size() != 7) || head[0] != kMagic || !ParseCount(head[1], k) ||
        !ParseCount(head[2], n) || !ParseCount(head[3], first) || !ParseCount(head[4], last) ||
        !ParseCount(head[5], count) || k < 1 || k > n || n > 100000 ||
        (head.size() == 7 && !ParseHexBits(head[6], from))) {
      throw FormatError(path, 1, "not a part of an exposure run");
    }
    if (static_cast<size_t>(count) != total)
      throw FormatError(path, 1,
                        "a part of a run of " + PlainInteger(count) + " points, not " +
                            PlainInteger(static_cast<long long>(total)) +
                            " (another project or other options)");
    if (from != inputs)
      throw FormatError(path, 1,
                        "computed from another project, other emissions, settings or "
                        "receivers than this run's");
    if (expectedN < 0) {
      expectedN = n;
      have.assign(static_cast<size_t>(n), false);
    } else if (n != expectedN) {
      throw FormatError(
          path, 1, "a part of " + PlainInteger(n) + " among parts of " + PlainInteger(expectedN));
    }
    const PointRange range = PartRange(total, static_cast<int>(k), static_cast<int>(n));
    if (static_cast<size_t>(first) != range.first || static_cast<size_t>(last) != range.last)
      throw FormatError(path, 1, "the point range does not match part " + PlainInteger(k));
    if (have[static_cast<size_t>(k - 1)])
      throw FormatError(path, 1, "part " + PlainInteger(k) + " is given twice");
    have[static_cast<size_t>(k - 1)] = true;
    for (size_t i = range.first; i < range.last; ++i) {
      const long line = in.line();
      std::vector<std::string> w = Words(readLine());
      if (w.size() != 6) throw FormatError(path, line, "the part is unfinished or damaged");
      for (size_t q = 0; q < 6; ++q) {
        if (!ParseHex(w[q], out[i].e[q / 2][q % 2]))
          throw FormatError(path, line, "the part is damaged");
      }
    }
    const long endLine = in.line();
    if (readLine() != "END") throw FormatError(path, endLine, "the part is unfinished");
  }
  for (size_t k = 0; k < have.size(); ++k) {
    if (!have[k])
      throw FormatError(parts.empty() ? std::string("exposure parts") : parts.front(), 1,
                        "part " + PlainInteger(static_cast<long long>(k + 1)) + " of " +
                            PlainInteger(expectedN) + " is missing");
  }
  if (parts.empty()) throw FormatError("exposure parts", 0, "no part given");
  return out;
}

}  // namespace sonvale
