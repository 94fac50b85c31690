// The CSV receiver point import.
#include "exchange/csv_points.h"

#include <memory>

#include "fuzz_input.h"
#include "model/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "points.csv");
  auto project = std::make_unique<Project>();
  fuzz::Refusable([&] { ImportCsvPoints(path, *project); });
  return 0;
}
