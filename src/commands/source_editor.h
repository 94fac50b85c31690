// The point source editor and its menu command: "&Sorgenti Concentrate..."
// sets how many point sources the project has and opens the editor, which walks
// through them, writes every box into the source at once, reads the power from
// a description file and starts the external source manager.
#pragma once

#include <string>
#include <string_view>

#include "commands/app_state.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kSourceEditorTitle =
    SV_TR("sonvale", "Editazione dati sorgenti concentrate");
inline const char* const kSourceCountPrompt = SV_TR("sonvale", "N. Sorg. Conc.");
inline const char* const kSourceFileTitle =
    SV_TR("sonvale", "Scegli il file descrizione sorgente (.SPK)");
inline const char* const kSourceFileFilter = "Conetrak source|*.SPK";

// "&Sorgenti Concentrate...": asks the number of point sources (0..10000) and
// marks the project changed. Cancel or an empty answer leaves the number as it
// was; a number out of range is refused with a message. True when the editor
// is to open (at least one source).
bool CmdSorgentiConcentrate(AppState& app, Ui& ui);

struct SourceView {
  long number = 0;
  std::string nome, x, y, z, lw, lwNight;  // plain numbers
};

enum class SourceField { X, Y, Z, Lw, Lwnight };

class SourceEditor {
 public:
  explicit SourceEditor(AppState& app) : app_(app) {}

  SourceView open();
  SourceView show();
  // One step from the shared number; with the number box's text, one step from
  // the number in the box.
  SourceView previous();
  SourceView next();
  SourceView previous(std::string_view box);
  SourceView next(std::string_view box);
  SourceView typed(std::string_view text);
  void close();
  bool valid() const;

  void setName(std::string_view text);
  // Any value, 0 included: the leading number of the text.
  void setField(SourceField field, std::string_view text);
  // The description file: a chosen file becomes Nome; chosen or not, Lw is
  // then read from the file named. A file that cannot be read leaves Lw as it
  // was and says why.
  SourceView chooseFile(Ui& ui);
  // "Source Manager": the external program with the name box's text, not waited for.
  static ProcessCommand SourceManagerCommand(const std::string& programDir,
                                             const std::string& nameBox);
  void sourceManager(Ui& ui, const std::string& nameBox);

 private:
  Source& source();
  SourceView view();
  void go(long number);
  // Before an edit: takes the shared number back to the entity this editor
  // shows when another editor moved or cleared it meanwhile.
  void claim();

  AppState& app_;
  long shown_ = 0;  // the entity of the last view
};

}  // namespace sonvale
