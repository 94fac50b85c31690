// The SPK source file, read for a source's sound power.
#include "fuzz_input.h"
#include "propagation/kernel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "source.spk");
  fuzz::Refusable([&] { SourceSpectrumLevel(path); });
  return 0;
}
