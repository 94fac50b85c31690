// The DXF layer reader: polylines, 3DFACE sections and circles of a layer chosen
// by the first byte, on the rest of the input as a drawing.
#include <memory>

#include "exchange/dxf_reader.h"
#include "fuzz_input.h"
#include "model/project.h"
#include "project/configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  if (size == 0) return 0;
  const std::string path = fuzz::InputFile(data + 1, size - 1, "drawing.dxf");
  auto project = std::make_unique<Project>();
  Configuration config;
  WorkReport ui;
  // Cancelling the data-reduction question keeps every distinct vertex.
  const MinimumDistanceQuestion cancel = [](const std::string&) {
    return std::optional<std::string>();
  };
  DxfImportModes modes;
  modes.keepRowData = (data[0] & 0x80) != 0;
  fuzz::Refusable([&] {
    switch (data[0] % 8) {
      case 0:
        ReadPolylines(path, "STRADE", PolylineTable::Strade, *project, config, modes, ui, cancel);
        break;
      case 1:
        ReadPolylines(path, "BINARI", PolylineTable::Binari, *project, config, modes, ui, cancel);
        break;
      case 2:
        ReadPolylines(path, "0", PolylineTable::Barriere, *project, config, modes, ui, cancel);
        break;
      case 3:
        ReadPolylines(path, "CASE", PolylineTable::Case, *project, config, modes, ui, cancel);
        break;
      case 4:
        ReadPolylines(path, "PLANS", PolylineTable::Plans, *project, config, modes, ui, cancel);
        break;
      case 5:
        ReadFaces(path, "0", *project, ui);
        break;
      case 6:
        ReadCircles(path, "0", PointTable::Punti, *project, ui);
        break;
      default:
        ReadCircles(path, "SORGENTI", PointTable::Sorgenti, *project, ui);
        break;
    }
  });
  return 0;
}
