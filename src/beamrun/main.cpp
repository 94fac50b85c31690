// beamrun: the stand-in external tracer. Given a job file written by Sonvale, it
// computes the levels the job asks for with Sonvale's propagation kernel and
// writes the grids or point results that Sonvale reads back.
#include <exception>
#include <iostream>
#include <string>

#include "beamrun/tracer_input.h"
#include "beamrun/tracer_run.h"
#include "text/file_error.h"

int main(int argc, char** argv) {
  using namespace sonvale;
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::cerr << "usage: beamrun JOBFILE\n"
                 "Runs a tracer job written by Sonvale: grids JOB_d.grd, JOB_n.grd, JOB_e.grd\n"
                 "(binary DSBB) for grid jobs, a .den file for point jobs.\n";
    return argc == 2 ? 0 : 2;
  }
  try {
    TracerJob job = ReadTracerJob(argv[1]);
    RunTracerJob(job);
    return 0;
  } catch (const FormatError& e) {
    std::cerr << "beamrun: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "beamrun: " << e.what() << "\n";
    return 1;
  }
}
