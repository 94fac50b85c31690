// The configuration file sonvale.ini on arbitrary bytes.
#include "project/configuration.h"

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "sonvale.ini");
  fuzz::Refusable([&] { ReadConfiguration(path); });
  return 0;
}
