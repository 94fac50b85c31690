// The CSV node file.
#include "exchange/csv_nodes_arcs.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "nodes.csv");
  fuzz::Refusable([&] { ReadCsvNodes(path); });
  return 0;
}
