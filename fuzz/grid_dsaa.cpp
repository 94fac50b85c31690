// The text grid (DSAA), read as a grid and as terrain.
#include "fuzz_input.h"
#include "propagation/grid_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "grid.grd");
  fuzz::Refusable([&] { ReadTerrainGrid(path); });
  fuzz::Refusable([&] { ReadTerrainHeights(path); });
  return 0;
}
