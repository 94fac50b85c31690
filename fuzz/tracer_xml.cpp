// The stand-in tracer's XML: the input read as a job, and as the model of a job.
#include "beamrun/tracer_input.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  const std::string path = fuzz::InputFile(data, size, "job.xml");
  fuzz::Refusable([&] { ReadTracerJob(path); });
  TracerJob job;
  job.file = path;
  job.modelFile = path;
  fuzz::Refusable([&] { ReadTracerModel(job); });
  return 0;
}
