#include "model/project.h"

namespace sonvale {

void Project::ExtendExtent(double x, double y) {
  if (x > extent.Xmax) extent.Xmax = x;
  if (x < extent.Xmin) extent.Xmin = x;
  if (y > extent.Ymax) extent.Ymax = y;
  if (y < extent.Ymin) extent.Ymin = y;
}

void Project::clearCounts() {
  strade.setCount(0);
  binari.setCount(0);
  sezioni.setCount(0);
  barriere.setCount(0);
  case_.setCount(0);
  incroci.setCount(0);
  punti.setCount(0);
  plans.setCount(0);
  faces.setCount(0);
  holes.setCount(0);
  doors.setCount(0);
  sources.setCount(0);
  receivers.setCount(0);
}

void Project::Reset() {
  for (long i = 1; i <= strade.count(); ++i) {
    strade[i].Pavimentaz = 0;
    strade[i].NDir = 0;
  }
  clearCounts();
  extent = Extent{};
  Algorithm = 1;
}

short PackCalcFlags(const Project& p) {
  int b = (p.AzzeraStandard ? 1 : 0) + (p.IgnoraRidFonoass ? 2 : 0) + (p.AzzeraFonoass ? 4 : 0) +
          (p.IgnoraFisse ? 8 : 0);
  return static_cast<short>(-b);
}

void UnpackCalcFlags(short f, Project& p) {
  int neg = -static_cast<int>(f);
  p.AzzeraStandard = (f & 1) != 0;
  p.IgnoraRidFonoass = (neg & 2) != 0;
  p.AzzeraFonoass = (neg & 4) != 0;
  p.IgnoraFisse = (neg & 8) != 0;
}

}  // namespace sonvale
