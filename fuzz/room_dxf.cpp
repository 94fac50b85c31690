// The room-acoustics DXF import, with the delivered materials file.
#include <memory>

#include "fuzz_input.h"
#include "model/project.h"
#include "project/configuration.h"
#include "tracer/room_dxf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "room.dxf");
  auto project = std::make_unique<Project>();
  Configuration config;
  WorkReport ui;
  fuzz::Refusable([&] {
    ImportRoomDxf(path, *project, config, std::string(SONVALE_SOURCE_DIR) + "/data", ui);
  });
  return 0;
}
