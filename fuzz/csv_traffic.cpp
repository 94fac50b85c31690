// The CSV traffic import, onto a project with two roads.
#include "exchange/csv_traffic.h"

#include <memory>

#include "fuzz_input.h"
#include "model/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "traffic.csv");
  auto project = std::make_unique<Project>();
  project->strade.addEntity().Nome = "Via Roma";
  project->strade.addEntity().Nome = "1";
  fuzz::Refusable([&] { ImportCsvTraffic(path, *project); });
  return 0;
}
