// The materials file of the room-acoustics import.
#include "fuzz_input.h"
#include "tracer/room_dxf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "echoray.mat");
  fuzz::Refusable([&] { ReadMaterialNames(path); });
  return 0;
}
