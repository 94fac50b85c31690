#include "project/configuration.h"

#include "text/field_reader.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

// An item of one value: the label is free text and only keeps the fields in step.
double ReadRealItem(FieldReader& in) {
  in.readText();
  return in.readNumber();
}

std::string ReadTextItem(FieldReader& in) {
  in.readText();
  return in.readText();
}

short ReadDivisionsItem(FieldReader& in) {
  in.readText();
  short n = in.readShort();
  // A grid of no division would leave the mapping with nothing to compute and a
  // zero to divide by; refuse it here, where the user can see which line is wrong.
  if (n < 1) in.fail("the number of grid divisions must be at least 1");
  return n;
}

void ReadPresetGroup(FieldReader& in, std::array<long, 6>& values) {
  in.readText();
  for (int v = 1; v <= 5; ++v) values[v] = in.readLong();
}

}  // namespace

Configuration ReadConfiguration(const std::string& path) {
  FieldReader in(path);
  Configuration c;

  c.TablesDir = ReadTextItem(in);
  c.RayDir = ReadTextItem(in);
  c.Hsorg = ReadRealItem(in);
  c.Hrec = ReadRealItem(in);
  c.AttCoeff = ReadRealItem(in);
  c.CorrLatoEdificato = ReadRealItem(in);
  c.CorrStradaStretta = ReadRealItem(in);
  c.CorrCanyon = ReadRealItem(in);
  c.PassoSorgenti = ReadRealItem(in);
  c.NdivX = ReadDivisionsItem(in);
  c.NdivY = ReadDivisionsItem(in);
  c.LayerStrade = ReadTextItem(in);
  c.LayerBinari = ReadTextItem(in);
  c.LayerSezioni = ReadTextItem(in);
  in.skipLine();

  for (int k = 1; k <= 6; ++k) {
    in.skipLine();
    ReadPresetGroup(in, c.PresetFlowDay[k]);
    ReadPresetGroup(in, c.PresetFlowNight[k]);
    ReadPresetGroup(in, c.PresetClassDay[k]);
    ReadPresetGroup(in, c.PresetClassNight[k]);
  }

  c.LayerCase = ReadTextItem(in);
  c.LayerBarriere = ReadTextItem(in);
  c.LayerPunti = ReadTextItem(in);
  c.LayerIncroci = ReadTextItem(in);
  c.LayerSorgenti = ReadTextItem(in);
  c.DistMax = ReadRealItem(in);
  c.DistMin = ReadRealItem(in);
  for (int v = 1; v <= 5; ++v) {
    c.DayCorr[v] = ReadRealItem(in);
    c.NightCorr[v] = in.readNumber();
  }
  c.AssCase = ReadRealItem(in);
  in.readText();
  c.SigmaCase = in.readNumber();
  c.AssBarriere = ReadRealItem(in);
  in.readText();
  c.SigmaBarriere = in.readNumber();
  // Item 35 is no longer used: its label, value, label and value only keep the
  // fields in step, whatever they hold.
  for (int i = 0; i < 4; ++i) in.readText();

  c.RidBassoEm = in.atEnd() ? 3.0 : ReadRealItem(in);
  c.FondoDiurno = 30;
  c.FondoNotturno = 30;
  return c;
}

}  // namespace sonvale
