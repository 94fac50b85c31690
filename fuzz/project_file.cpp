// The project file reader on arbitrary bytes.
#include "project/project_file.h"

#include "fuzz_input.h"
#include "model/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  auto project = std::make_unique<Project>();
  fuzz::Refusable([&] { ReadProjectText("fuzz.svp", fuzz::Text(data, size), *project); });
  return 0;
}
