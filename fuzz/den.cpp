// The tracer's point results (.den) for a project of three receiver points.
#include <memory>

#include "fuzz_input.h"
#include "model/project.h"
#include "tracer/den_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "points.den");
  static const std::unique_ptr<Project> project = [] {
    auto p = std::make_unique<Project>();
    for (int k = 0; k < 3; ++k) p->punti.addEntity();
    return p;
  }();
  PointResults results;
  WorkReport ui;
  fuzz::Refusable([&] { DenReader(*project, ReceiverSet::Punti, path, results, ui); });
  return 0;
}
