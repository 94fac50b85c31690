#include "commands/source_editor.h"

#include <cmath>
#include <exception>

#include "commands/editor_cursor.h"
#include "platform/paths.h"
#include "propagation/kernel.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {

bool CmdSorgentiConcentrate(AppState& app, Ui& ui) {
  app.Saved = false;
  EntityTable<Source>& sources = app.project.sources;
  const std::optional<std::string> answer = ui.inputBox(
      kSourceCountPrompt, "Input Data", ShowNumber(static_cast<double>(sources.count())));
  // Cancel or an empty answer keeps every source: a count of 0 would drop them
  // all at the next save.
  if (!answer || TrimBlanks(*answer).empty()) return false;
  const double n = std::trunc(LeadingNumber(*answer));
  if (!(n >= 0 && n <= static_cast<double>(sources.capacity()))) {
    ui.message({"Input Data",
                SV_TR("sonvale", "Il numero delle sorgenti concentrate va da 0 a ") +
                    std::to_string(sources.capacity()) + SV_TR("sonvale", ": resta ") +
                    std::to_string(sources.count()) + ".",
                Buttons::Ok, Icon::Warning, Answer::Ok});
    return false;
  }
  // Slots keep their contents, so lowering the number and raising it again
  // brings the same sources back.
  sources.setCount(static_cast<long>(n));
  app.view().drawMap(true);
  return sources.count() > 0;
}

Source& SourceEditor::source() { return app_.project.sources[app_.CurrentRoad]; }

bool SourceEditor::valid() const {
  return app_.CurrentRoad >= 1 && app_.CurrentRoad <= app_.project.sources.count();
}

SourceView SourceEditor::view() {
  SourceView v;
  v.number = app_.CurrentRoad;
  if (!valid()) return v;
  shown_ = app_.CurrentRoad;
  const Source& s = source();
  v.nome = s.Nome;
  v.x = PlainNumber(s.X);
  v.y = PlainNumber(s.Y);
  v.z = PlainNumber(s.Z);
  v.lw = PlainNumber(s.Lw);
  v.lwNight = PlainNumber(s.Lwnight);
  return v;
}

SourceView SourceEditor::show() { return view(); }

SourceView SourceEditor::open() {
  app_.CurrentRoad = OpeningNumber(app_.CurrentRoad, app_.project.sources.count());
  MoveHighlight(app_, EntityKind::Source);
  return view();
}

void SourceEditor::go(long number) {
  app_.CurrentRoad = number;
  MoveHighlight(app_, EntityKind::Source);
}

SourceView SourceEditor::previous() {
  go(PreviousNumber(app_.CurrentRoad, app_.project.sources.count()));
  return view();
}

SourceView SourceEditor::next() {
  go(NextNumber(app_.CurrentRoad, app_.project.sources.count()));
  return view();
}

SourceView SourceEditor::previous(std::string_view box) {
  go(PreviousFromBox(box, app_.project.sources.count()));
  return show();
}

SourceView SourceEditor::next(std::string_view box) {
  go(NextFromBox(box, app_.project.sources.count()));
  return show();
}

void SourceEditor::claim() {
  if (shown_ >= 1 && shown_ <= app_.project.sources.count() && shown_ != app_.CurrentRoad)
    go(shown_);
}

SourceView SourceEditor::typed(std::string_view text) {
  go(TypedNumber(text, app_.project.sources.count()));
  return view();
}

void SourceEditor::close() {
  app_.CurrentRoad = 0;
  MoveHighlight(app_, EntityKind::Source);
}

void SourceEditor::setName(std::string_view text) {
  claim();
  if (valid()) source().Nome = std::string(text);
}

void SourceEditor::setField(SourceField field, std::string_view text) {
  claim();
  if (!valid()) return;
  double v = LeadingNumber(text);
  if (!std::isfinite(v)) v = 0;
  Source& s = source();
  switch (field) {
    case SourceField::X:
      s.X = v;
      break;
    case SourceField::Y:
      s.Y = v;
      break;
    case SourceField::Z:
      s.Z = v;
      break;
    case SourceField::Lw:
      s.Lw = v;
      break;
    case SourceField::Lwnight:
      s.Lwnight = v;
      break;
  }
}

SourceView SourceEditor::chooseFile(Ui& ui) {
  claim();
  if (!valid()) return view();
  Source& s = source();
  FileDialog d{kSourceFileTitle, kSourceFileFilter, s.Nome.empty() ? "*.SPK" : s.Nome, true, false};
  if (std::optional<std::string> chosen = ui.openFile(d)) s.Nome = *chosen;
  try {
    s.Lw = SourceSpectrumLevel(s.Nome);
  } catch (const std::exception& e) {
    ui.message(
        {kSourceEditorTitle,
         SV_TR("sonvale", "La potenza sonora non è stata letta dal file descrizione sorgente: ") +
             std::string(e.what()),
         Buttons::Ok, Icon::Warning, Answer::Ok});
  }
  return view();
}

ProcessCommand SourceEditor::SourceManagerCommand(const std::string& programDir,
                                                  const std::string& nameBox) {
  ProcessCommand c{JoinPath(programDir, "emitdesk32"), {}, {}};
  if (!FileExists(c.program) && FileExists(c.program + ".exe")) c.program += ".exe";
  if (!nameBox.empty()) c.args.push_back(nameBox);
  return c;
}

void SourceEditor::sourceManager(Ui& ui, const std::string& nameBox) {
  std::string error;
  if (!StartDetached(SourceManagerCommand(app_.ProgramDir, nameBox), &error)) {
    ui.message({SV_TR("sonvale", "Source Manager"),
                SV_TR("sonvale", "Impossibile avviare emitdesk32: ") + error, Buttons::Ok,
                Icon::Critical, Answer::Ok});
  }
}

}  // namespace sonvale
