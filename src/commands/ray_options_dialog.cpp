#include "commands/ray_options_dialog.h"

#include <cmath>

#include "commands/map_dialog.h"
#include "text/number_text.h"
#include "text/translatable.h"
#include "tracer/ray_file.h"

namespace sonvale {
namespace {

using C = RayControl;

struct ControlText {
  const char* name;
  const char* caption;
};

// By control, in the order of RayControl.
constexpr ControlText kControls[kRayControlCount] = {
    {"Text1", SV_TR("sonvale", "Nome del File ")},
    {"Command1", "..."},
    {"MappaRec", SV_TR("sonvale", "Creazione Automatica Griglia di Ricevitori")},
    {"Rec", SV_TR("sonvale", "RECEIVERS")},
    {"Punti", SV_TR("sonvale", "PUNTI")},
    {"Frame1", SV_TR("sonvale", "Mappatura regolare in pianta o sezione")},
    {"X1", SV_TR("sonvale", "X1")},
    {"Y1", SV_TR("sonvale", "Y1")},
    {"Z1", SV_TR("sonvale", "Z1")},
    {"X2", SV_TR("sonvale", "X2")},
    {"Y2", SV_TR("sonvale", "Y2")},
    {"Z2", SV_TR("sonvale", "Z2")},
    {"Horiz", SV_TR("sonvale", "N. divis. Orizz.")},
    {"Vert", SV_TR("sonvale", "N. divis. Vertic.")},
    {"List1", SV_TR("sonvale", "Plan / Sezione")},
    {"Frame2", SV_TR("sonvale", "Periodo")},
    {"Diurno", SV_TR("sonvale", "Diurno")},
    {"Notturno", SV_TR("sonvale", "Notturno")},
    {"OK", SV_TR("sonvale", "OK - Esegui")},
    {"Annulla", SV_TR("sonvale", "Annulla")},
};

constexpr const char* kCoordinatePattern = "#####0.##";
constexpr const char* kHeightPattern = "#0.##";

}  // namespace

std::string_view RayControlName(RayControl c) { return kControls[static_cast<size_t>(c)].name; }
std::string_view RayCaption(RayControl c) { return kControls[static_cast<size_t>(c)].caption; }

RayOptionsDialog::RayOptionsDialog(const Project& project, Ui& ui, RayChoices& choices)
    : project_(project), ui_(ui), choices_(choices) {
  for (long n = 1; n <= project.plans.count(); ++n)
    areaItems_.push_back("Plan. n." + ShowNumber(static_cast<double>(n)));
  for (long n = 1; n <= project.sezioni.count(); ++n)
    areaItems_.push_back("Sez. n." + ShowNumber(static_cast<double>(n)));
}

std::array<std::string, std::size(kRayBoxes)> RayOptionsDialog::boxTexts() const {
  const SectionLine& s = choices_.Section;
  return {FormatPattern(s.X1, kCoordinatePattern),
          FormatPattern(s.Y1, kCoordinatePattern),
          FormatPattern(s.Z1, kHeightPattern),
          FormatPattern(s.X2, kCoordinatePattern),
          FormatPattern(s.Y2, kCoordinatePattern),
          FormatPattern(s.Z2, kHeightPattern),
          PlainInteger(choices_.NdivX),
          PlainInteger(choices_.NdivY)};
}

bool RayOptionsDialog::isChecked(RayControl option) const {
  switch (option) {
    case C::MappaRec:
      return choices_.RecMode == kRayGrid;
    case C::Rec:
      return choices_.RecMode == kRayReceivers;
    case C::Punti:
      return choices_.RecMode == kRayPunti;
    case C::Diurno:
      return choices_.Diurno;
    case C::Notturno:
      return !choices_.Diurno;
    default:
      return false;
  }
}

void RayOptionsDialog::edited(RayControl box, std::string_view text) {
  const double v = LeadingNumber(text);
  const double value = std::isfinite(v) ? v : 0;
  SectionLine& s = choices_.Section;
  switch (box) {
    case C::X1:
      s.X1 = value;
      break;
    case C::Y1:
      s.Y1 = value;
      break;
    case C::Z1:
      s.Z1 = value;
      break;
    case C::X2:
      s.X2 = value;
      break;
    case C::Y2:
      s.Y2 = value;
      break;
    case C::Z2:
      s.Z2 = value;
      break;
    case C::Horiz:
      choices_.NdivX = DivisionCount(value);
      break;
    case C::Vert:
      choices_.NdivY = DivisionCount(value);
      break;
    default:
      break;
  }
}

std::string RayOptionsDialog::nameLeft(std::string_view text) {
  choices_.RayFile = CompleteRayName(text);
  return choices_.RayFile;
}

void RayOptionsDialog::chooseArea(int index) {
  if (index < 0) return;
  const long plans = project_.plans.count();
  SectionLine& s = choices_.Section;
  if (index < plans) {
    if (std::optional<GridBounds> b = PlanBounds(project_, index + 1)) {
      s.X1 = b->Xmin;
      s.X2 = b->Xmax;
      s.Y1 = b->Ymin;
      s.Y2 = b->Ymax;
    }
    return;
  }
  const long n = index - plans + 1;
  if (n > project_.sezioni.count()) return;
  const Sezione& z = project_.sezioni[n];
  s = SectionLine{z.XL, z.YL, z.ZL, z.XR, z.YR, z.ZR};
}

void RayOptionsDialog::setChecked(RayControl option) {
  switch (option) {
    case C::MappaRec:
      choices_.RecMode = kRayGrid;
      break;
    case C::Rec:
      choices_.RecMode = kRayReceivers;
      break;
    case C::Punti:
      choices_.RecMode = kRayPunti;
      break;
    case C::Diurno:
    case C::Notturno:
      choices_.Diurno = option == C::Diurno;
      break;
    default:
      break;
  }
}

bool RayOptionsDialog::browse() {
  FileDialog d;
  d.title = kRaySaveTitle;
  d.filter = "Conetrak file|*.RAY";
  d.initialName = choices_.RayFile.empty() ? "*.RAY" : choices_.RayFile;
  d.overwritePrompt = true;
  std::optional<std::string> name = ui_.saveFile(d);
  if (!name || name->empty()) return false;
  choices_.RayFile = *name;
  return true;
}

bool RayOptionsDialog::confirm() {
  if (choices_.RayFile.empty()) {
    ui_.beep();
    return false;
  }
  choices_.cancelled = false;
  return true;
}

}  // namespace sonvale
