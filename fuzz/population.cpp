// The population file of the façade exposure, for a project of 9000 buildings
// (the capacity): every input is read or refused with a FormatError.
#include "exposure/population.h"

#include <string>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::Refusable([&] {
    std::vector<PopulationRecord> r = ParsePopulationText("population.csv", text, 9000);
    // What is accepted is written back and must read the same.
    if (ParsePopulationText("side", PopulationText(r), 9000).size() != r.size()) __builtin_trap();
  });
  return 0;
}
