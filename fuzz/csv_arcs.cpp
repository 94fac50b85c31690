// The CSV arc file, over a small node table, with the merge switches chosen by the
// first byte.
#include <memory>

#include "exchange/csv_nodes_arcs.h"
#include "fuzz_input.h"
#include "model/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  if (size == 0) return 0;
  static const CsvNodeTable nodes = [] {
    const std::string text = "1,0,0\n2,100,0\n3,100,100\n4,0,100\n";
    return ReadCsvNodes(fuzz::InputFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                        "arc-nodes.csv"))
        .table;
  }();
  const std::string path = fuzz::InputFile(data + 1, size - 1, "arcs.csv");
  ArcImportModes modes;
  modes.LimitaPlans = (data[0] & 1) != 0;
  modes.Accorpa = (data[0] & 2) != 0;
  modes.Riconosci = (data[0] & 4) != 0;
  CsvOptions options;
  options.fractionDay = {0, 0.9, 0.4, 0.3, 0.3, 0.1};
  options.fractionNight = options.fractionDay;
  auto project = std::make_unique<Project>();
  fuzz::Refusable([&] { ImportCsvArcs(path, nodes, options, modes, *project); });
  return 0;
}
