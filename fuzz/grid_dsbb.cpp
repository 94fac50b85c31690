// The binary grid (DSBB) of the external tracer.
#include "fuzz_input.h"
#include "propagation/grid_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "grid.grd");
  fuzz::Refusable([&] { ReadBinaryGrid(path); });
  return 0;
}
