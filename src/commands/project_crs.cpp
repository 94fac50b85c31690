#include "commands/project_crs.h"

#include <filesystem>
#include <sstream>
#include <vector>

#include "gis/crs.h"
#include "platform/atomic_file.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

const char* const kCrsKey = "CRS=";
const char* const kCrsTitle = SV_TR("sonvale", "Sistema di riferimento");

bool IsCrsLine(const std::string& line) { return line.rfind(kCrsKey, 0) == 0; }

std::vector<std::string> SideLines(const std::string& side) {
  std::vector<std::string> lines;
  if (!std::filesystem::exists(side)) return lines;
  std::istringstream in(ReadWholeFile(side));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

void ShowProblem(Ui& ui, const std::string& text) {
  ui.message(Message{kCrsTitle, text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

}  // namespace

std::string SideFilePath(const std::string& projectFile) {
  return std::filesystem::path(projectFile).replace_extension(".svx").string();
}

std::optional<int> ReadProjectCrs(const std::string& projectFile) {
  const std::string side = SideFilePath(projectFile);
  long number = 0;
  for (const std::string& line : SideLines(side)) {
    ++number;
    if (!IsCrsLine(line)) continue;
    std::optional<int> code = ParseEpsg(line.substr(4));
    if (!code) throw FormatError(side, number, "\"" + line + "\" is not CRS=EPSG:n");
    return code;
  }
  return std::nullopt;
}

void WriteProjectCrs(const std::string& projectFile, std::optional<int> code) {
  const std::string side = SideFilePath(projectFile);
  std::string text;
  if (code) text += kCrsKey + std::string("EPSG:") + PlainInteger(*code) + "\n";
  for (const std::string& line : SideLines(side)) {
    if (!IsCrsLine(line)) text += line + "\n";
  }
  WriteFileAtomically(side, text);
}

bool CarrySideFile(const std::string& from, const std::string& to) {
  if (from.empty() || SideFilePath(from) == SideFilePath(to)) return true;
  const std::string side = SideFilePath(from);
  if (!std::filesystem::exists(side)) return true;
  try {
    WriteFileAtomically(SideFilePath(to), ReadWholeFile(side));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

std::string ProjectCrsWkt(const std::string& projectFile, const GisModule& gis) {
  if (projectFile.empty()) return "";
  std::optional<int> code = ReadProjectCrs(projectFile);
  return code ? gis.crsWkt(*code) : "";
}

bool CmdSistemaRiferimento(const std::string& projectFile, Ui& ui, const GisModule& gis) {
  if (projectFile.empty()) {
    ShowProblem(ui, SV_TR("sonvale",
                          "Salvare prima il progetto: il sistema di riferimento è tenuto in un "
                          "file accanto al file del progetto."));
    return false;
  }
  std::string current;
  try {
    if (std::optional<int> code = ReadProjectCrs(projectFile)) current = PlainInteger(*code);
  } catch (const FormatError& e) {
    ShowProblem(ui, e.what());  // the line at fault is replaced by the answer
  }
  std::optional<std::string> answer = ui.inputBox(
      SV_TR("sonvale", "Codice EPSG del sistema di riferimento del progetto (vuoto: nessuno):"),
      kCrsTitle, current);
  if (!answer) return false;
  const std::string typed(TrimBlanks(*answer));
  std::optional<int> code;
  if (!typed.empty()) {
    code = ParseEpsg(
        typed.rfind("EPSG:", 0) == 0 || typed.rfind("epsg:", 0) == 0 ? typed : "EPSG:" + typed);
    if (!code) {
      ShowProblem(ui,
                  std::string(SV_TR("sonvale", "Codice EPSG non valido: ")) + "\"" + typed + "\".");
      return false;
    }
    try {
      gis.crsWkt(*code);
    } catch (const std::invalid_argument&) {
      ShowProblem(ui, "EPSG:" + PlainInteger(*code) +
                          SV_TR("sonvale", " non è un sistema di riferimento noto."));
      return false;
    }
  }
  WriteProjectCrs(projectFile, code);
  SetStatus(ui, code ? SV_TR("sonvale", "Sistema di riferimento del progetto: ") +
                           std::string("EPSG:") + PlainInteger(*code)
                     : SV_TR("sonvale", "Nessun sistema di riferimento per il progetto"));
  return true;
}

}  // namespace sonvale
