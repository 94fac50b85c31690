// The RAY geometry file.
#include <memory>

#include "fuzz_input.h"
#include "model/project.h"
#include "tracer/ray_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "model.ray");
  auto project = std::make_unique<Project>();
  SectionLine section;
  fuzz::Refusable([&] { ReadRay(path, *project, section); });
  return 0;
}
