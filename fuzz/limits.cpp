// The receiver limit file of the point calculation.
#include "fuzz_input.h"
#include "propagation/point_calc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "limits.txt");
  fuzz::Refusable([&] { ReadLimitFile(path); });
  return 0;
}
