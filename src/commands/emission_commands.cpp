#include "commands/emission_commands.h"

#include "emission/emission_update.h"
#include "text/translatable.h"

namespace sonvale {

bool ConfirmMissingEmissions(Document& doc, Ui& ui) {
  UpdateEmissions(doc.project, doc.config, doc.tables);
  if (doc.project.EmissioniOK) return true;
  Message m;
  m.title = SV_TR("sonvale", "Attenzione!");
  m.text = kMissingEmissionsQuestion;
  m.buttons = Buttons::YesNo;
  m.icon = Icon::Warning;
  m.defaultButton = Answer::No;
  return ui.message(m) == Answer::Yes;
}

}  // namespace sonvale
