// The "Calcolo Livelli di Emissione" dialog DoEmiss without its window: captions,
// the file dialog it opens at once and from "...", the options and the check of
// "OK - Esegui". The window DoEmiss binds its controls to an EmissionDialog.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "commands/export_commands.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kDoEmissTitle = SV_TR("sonvale", "Calcolo Livelli di Emissione");

enum class EmissControl {
  Text1,     // file name
  Command1,  // "..."
  DistFrame,
  At75,
  Facade,
  Periodo,
  Diurno,
  Notturno,
  OK,
  Annulla,
};
inline constexpr size_t kEmissControlCount = static_cast<size_t>(EmissControl::Annulla) + 1;

std::string_view EmissControlName(EmissControl c);
std::string_view EmissCaption(EmissControl c);

// The dialog over the choices of "&Livelli di Emissione (.DXF)". It counts as
// cancelled until "OK - Esegui" closes it.
class EmissionDialog {
 public:
  EmissionDialog(DoEmissChoices& choices, Ui& ui) : choices_(choices), ui_(ui) {}

  const DoEmissChoices& choices() const { return choices_; }
  bool cancelled() const { return cancelled_; }
  bool isChecked(EmissControl option) const;

  // The dialog became active: the file dialog opens the first time.
  void activated();
  // "...": a cancelled file dialog changes nothing; true when a name was chosen.
  bool browse();
  // The file box now holds text.
  void nameEdited(std::string_view text) { choices_.EmisDxfName = text; }
  // At75, Facade, Diurno, Notturno clicked.
  void setChecked(EmissControl option);
  // "OK - Esegui": true when the dialog closes; an empty name beeps and stays.
  bool confirm();

 private:
  DoEmissChoices& choices_;
  Ui& ui_;
  bool cancelled_ = true;
  bool opened_ = false;
};

}  // namespace sonvale
