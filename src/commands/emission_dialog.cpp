#include "commands/emission_dialog.h"

#include "text/translatable.h"

namespace sonvale {
namespace {

using C = EmissControl;

struct ControlText {
  const char* name;
  const char* caption;
};

// By control, in the order of EmissControl.
constexpr ControlText kControls[kEmissControlCount] = {
    {"Text1", SV_TR("sonvale", "Nome del File")},
    {"Command1", "..."},
    {"Frame1", SV_TR("sonvale", "Distanza dalla sorgente")},
    {"Option1", SV_TR("sonvale", "7.5m (Liv. Emissione)")},
    {"Option2", SV_TR("sonvale", "semilarghezza strada (Liv. in Facciata)")},
    {"Frame2", SV_TR("sonvale", "Periodo")},
    {"Diurno", SV_TR("sonvale", "Diurno")},
    {"Notturno", SV_TR("sonvale", "Notturno")},
    {"OK", SV_TR("sonvale", "OK - Esegui")},
    {"Annulla", SV_TR("sonvale", "Annulla")},
};

}  // namespace

std::string_view EmissControlName(EmissControl c) { return kControls[static_cast<size_t>(c)].name; }
std::string_view EmissCaption(EmissControl c) { return kControls[static_cast<size_t>(c)].caption; }

bool EmissionDialog::isChecked(EmissControl option) const {
  switch (option) {
    case C::At75:
      return choices_.EmisAt75;
    case C::Facade:
      return !choices_.EmisAt75;
    case C::Diurno:
      return choices_.Diurno;
    case C::Notturno:
      return !choices_.Diurno;
    default:
      return false;
  }
}

void EmissionDialog::activated() {
  if (opened_) return;
  opened_ = true;
  browse();
}

bool EmissionDialog::browse() {
  std::optional<std::string> name = ui_.saveFile(EmissionDxfFileDialog(choices_.EmisDxfName));
  if (!name || name->empty()) return false;
  choices_.EmisDxfName = *name;
  return true;
}

void EmissionDialog::setChecked(EmissControl option) {
  if (option == C::At75 || option == C::Facade) choices_.EmisAt75 = option == C::At75;
  if (option == C::Diurno || option == C::Notturno) choices_.Diurno = option == C::Diurno;
}

bool EmissionDialog::confirm() {
  if (choices_.EmisDxfName.empty()) {
    ui_.beep();
    return false;
  }
  cancelled_ = false;
  return true;
}

}  // namespace sonvale
