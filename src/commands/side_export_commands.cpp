#include "commands/side_export_commands.h"

#include <exception>
#include <functional>

#include "commands/emission_commands.h"
#include "exchange/xyz_extract.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

class BusyPointer {
 public:
  explicit BusyPointer(Ui& ui) : ui_(ui) { ui_.setBusy(true); }
  ~BusyPointer() { ui_.setBusy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  Ui& ui_;
};

void ShowCritical(Ui& ui, const std::string& text) {
  ui.message(Message{ProgramTitle(), text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

std::optional<std::string> AskSaveName(AppState& app, Ui& ui, const char* title, const char* filter,
                                       const char* extension) {
  std::optional<std::string> file =
      ui.saveFile(FileDialog{title, filter, app.ProjectBase + extension, false, true});
  if (!file || file->empty()) return std::nullopt;
  return file;
}

// "Saving ...", then prepare (which may ask, and gives false to stop with nothing
// written), then the writer, then "Saved OK! ".
bool SaveSteps(Ui& ui, const std::string& file, const std::function<bool()>& prepare,
               const std::function<void()>& write) {
  SetStatus(ui, "Saving " + file + " ...");
  if (!prepare()) return false;
  try {
    write();
  } catch (const std::exception& e) {
    ShowCritical(ui, SV_TR("sonvale", "Impossibile salvare ") + file + ": " + e.what());
    return false;
  }
  SetStatus(ui, "Saved OK! ");
  return true;
}

}  // namespace

BlnKinds AskBlnKinds(Ui& ui) {
  BlnKinds kinds;
  const std::pair<const char*, bool*> questions[] = {
      {SV_TR("sonvale", "Salvo i poligoni di blanking ?"), &kinds.plans},
      {SV_TR("sonvale", "Salvo le barriere ?"), &kinds.barriers},
      {SV_TR("sonvale", "Salvo le case ?"), &kinds.buildings},
      {SV_TR("sonvale", "Salvo le strade ?"), &kinds.roads},
      {SV_TR("sonvale", "Salvo i binari ?"), &kinds.tracks}};
  bool cancelled = false;
  for (const auto& [text, kind] : questions) {
    if (!cancelled) {
      const Answer a = ui.message(Message{SV_TR("sonvale", "Salvataggio BLN"), text,
                                          Buttons::YesNoCancel, Icon::Question, Answer::Yes});
      cancelled = a == Answer::Cancel;
      *kind = a == Answer::Yes;
    } else {
      *kind = false;
    }
  }
  return kinds;
}

bool SaveBln(Ui& ui, const Project& p, const std::string& file,
             const std::function<BlnKinds()>& kinds) {
  BlnKinds chosen;
  return SaveSteps(
      ui, file,
      [&] {
        chosen = kinds();
        return true;
      },
      [&] { WriteBln(p, chosen, file); });
}

bool CmdSalvaBln(AppState& app, Ui& ui) {
  std::optional<std::string> file =
      AskSaveName(app, ui, "Save a Surfer Blanking File", "Sonvale (.BLN)|*.BLN", ".BLN");
  if (!file) return false;
  SetStatus(ui, SV_TR("sonvale", "Sto salvando ") + *file + "...");
  return SaveBln(ui, app.project, *file, [&] { return AskBlnKinds(ui); });
}

bool SaveList(AppState& app, Ui& ui, const std::string& file) {
  return SaveSteps(
      ui, file, [&] { return ConfirmMissingEmissions(app, ui); },
      [&] { WriteList(app.project, file); });
}

bool CmdSalvaLista(AppState& app, Ui& ui) {
  std::optional<std::string> file =
      AskSaveName(app, ui, "Save a Sonvale List File", "Text (.txt)|*.txt", ".txt");
  if (!file) return false;
  SetStatus(ui, SV_TR("sonvale", "Sto salvando ") + *file + "...");
  return SaveList(app, ui, *file);
}

bool SavePointScript(Ui& ui, const Project& p, const std::string& file) {
  BusyPointer busy(ui);
  return SaveSteps(
      ui, file, [] { return true; }, [&] { WritePointScript(p, file); });
}

bool CmdEsportaPunti(AppState& app, Ui& ui) {
  std::optional<std::string> file =
      AskSaveName(app, ui, "Save an Autocad script file", "Sonvale (.SCR)|*.SCR", ".SCR");
  if (!file) return false;
  SetStatus(ui, SV_TR("sonvale", "Sto esportando ") + *file + "...");
  return SavePointScript(ui, app.project, *file);
}

bool ConvertDxfToXyz(AppState& app, Ui& ui, const std::string& input, const std::string& output) {
  app.view().suspendPicture(true);
  SetStatus(ui, SV_TR("sonvale", "Sto convertendo ") + input + " to " + output + "...");
  bool done = true;
  try {
    BusyPointer busy(ui);
    ExtractXyz(input, output);
  } catch (const std::exception& e) {
    ShowCritical(ui, std::string(SV_TR("sonvale", "Conversione non riuscita: ")) + e.what());
    done = false;
  }
  app.view().suspendPicture(false);
  if (done) SetStatus(ui, SV_TR("sonvale", "Conversione effettuata!"));
  return done;
}

bool CmdConvertiDxfXyz(AppState& app, Ui& ui) {
  std::optional<std::string> input = ui.openFile(
      FileDialog{"Convert an Autocad DXF File", "DXF file|*.DXF", "*.DXF", true, false});
  if (!input || input->empty()) return false;
  return ConvertDxfToXyz(app, ui, *input, XyzOutputName(*input));
}

void CmdLunghezzaBarriere(AppState& app, Ui& ui) {
  ui.message(Message{SV_TR("sonvale", "Lunghezza Complessiva Barriere"),
                     BarrierLengthText(TotalBarrierLength(app.project)), Buttons::Ok,
                     Icon::Information, Answer::Ok});
}

}  // namespace sonvale
