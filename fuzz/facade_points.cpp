// facade_points.csv read back for the map: every input is read or refused with
// a FormatError, and what is read holds finite positions and levels.
#include <cmath>
#include <string>

#include "exposure/facade_points_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::Refusable([&] {
    for (const FacadePointRow& p : ParseFacadePointsText("facade_points.csv", text)) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y) || p.building < 1 || p.facade < 1)
        __builtin_trap();
      if ((p.lden && !std::isfinite(*p.lden)) || (p.night && !std::isfinite(*p.night)))
        __builtin_trap();
    }
  });
  return 0;
}
