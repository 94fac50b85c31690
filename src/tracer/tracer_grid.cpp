#include "tracer/tracer_grid.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

#include "model/acoustics.h"
#include "platform/atomic_file.h"
#include "propagation/grid_file.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

constexpr size_t kHeaderSize = 56;

template <class T>
T Get(const std::string& bytes, size_t offset) {
  unsigned char b[sizeof(T)];
  for (size_t k = 0; k < sizeof(T); ++k) b[k] = static_cast<unsigned char>(bytes[offset + k]);
  T v;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, b, sizeof(T));
  } else {
    unsigned char r[sizeof(T)];
    for (size_t k = 0; k < sizeof(T); ++k) r[k] = b[sizeof(T) - 1 - k];
    std::memcpy(&v, r, sizeof(T));
  }
  return v;
}

void PutSingle(std::string& bytes, size_t offset, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (size_t k = 0; k < 4; ++k) bytes[offset + k] = static_cast<char>((bits >> (8 * k)) & 0xFFu);
}

void Problem(WorkReport& report, const std::string& detail) {
  std::string text = kGrdReadProblem;
  if (!detail.empty()) text += ": " + detail;
  report.notice({"Error!", text, Severity::Critical});
}

}  // namespace

TracerGridOutcome LoadTracerGrid(const std::string& fileName, bool draw, double backgroundDb,
                                 WorkReport& report, const TracerGridHooks& hooks) {
  TracerGridOutcome out;
  std::string bytes;
  {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
      Problem(report, fileName + ": the file cannot be opened");
      return out;
    }
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
  }
  if (bytes.size() < 4 || bytes.compare(0, 4, "DSBB") != 0) {
    Problem(report, "");
    return out;
  }
  if (bytes.size() < kHeaderSize) {
    Problem(report, fileName + ": the header is incomplete");
    return out;
  }
  const int nx = Get<int16_t>(bytes, 4);
  const int ny = Get<int16_t>(bytes, 6);
  const double xlo = Get<double>(bytes, 8);
  const double xhi = Get<double>(bytes, 16);
  const double ylo = Get<double>(bytes, 24);
  const double yhi = Get<double>(bytes, 32);
  if (nx <= 0 || ny <= 0 ||
      bytes.size() < kHeaderSize + 4 * static_cast<size_t>(nx) * static_cast<size_t>(ny)) {
    Problem(report, fileName + ": the file is shorter than its header announces");
    return out;
  }
  const double B = std::pow(10.0, backgroundDb / 10);
  float blank;
  uint32_t blankBits = kBlankSingleBits;
  std::memcpy(&blank, &blankBits, sizeof blank);

  if (hooks.suspendPicture) hooks.suspendPicture(true);
  report.status("Mapping....");
  const double dx = (xhi - xlo) / nx;
  const double dy = (yhi - ylo) / ny;
  size_t offset = kHeaderSize;
  for (int j = 0; j < ny; ++j) {
    for (int i = 0; i < nx; ++i, offset += 4) {
      float v = Get<float>(bytes, offset);
      const bool valid = v > -999.9f && v < 999.9f;
      if (valid) {
        v = static_cast<float>(10 * std::log(B + std::pow(10.0, static_cast<double>(v) / 10)) /
                               kLogTen);
        ++out.valid;
      } else {
        v = blank;
        ++out.blank;
      }
      PutSingle(bytes, offset, v);
      if (draw && valid && hooks.onCell) {
        hooks.onCell({i, j, xlo + i * dx, ylo + j * dy, xlo + (i + 1) * dx, ylo + (j + 1) * dy,
                      static_cast<double>(v)});
      }
    }
    report.tick();
  }
  try {
    WriteFileAtomically(fileName, bytes);
    out.loaded = true;
  } catch (const FileError& e) {
    Problem(report, e.what());
  }
  report.status("Mapping Done!");
  report.alert();
  if (hooks.suspendPicture) hooks.suspendPicture(false);
  return out;
}

}  // namespace sonvale
