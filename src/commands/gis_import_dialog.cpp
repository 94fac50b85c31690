#include "commands/gis_import_dialog.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "exchange/row_merge.h"
#include "gis/crs.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

bool SameNameCaseAside(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

long TableCount(const Project& p, GisKind kind) {
  switch (kind) {
    case GisKind::Strade:
      return p.strade.count();
    case GisKind::Binari:
      return p.binari.count();
    case GisKind::Case:
      return p.case_.count();
    case GisKind::Barriere:
      return p.barriere.count();
    case GisKind::Punti:
      return p.punti.count();
    case GisKind::Sorgenti:
      break;
  }
  return p.sources.count();
}

std::optional<int> CrsCode(const std::string& text) {
  const bool prefixed =
      text.size() > 5 && (text.rfind("EPSG:", 0) == 0 || text.rfind("epsg:", 0) == 0);
  return ParseEpsg(prefixed ? text : "EPSG:" + text);
}

GisImportChoice Problem(std::string title, std::string text) {
  return GisImportChoice{std::nullopt, std::move(text), std::move(title)};
}

std::string Parts(long n) {
  return PlainInteger(n) + (n == 1 ? SV_TR("sonvale", " parte") : SV_TR("sonvale", " parti"));
}
std::string LeftOut(long n) {
  return n == 1 ? SV_TR("sonvale", " lasciata fuori") : SV_TR("sonvale", " lasciate fuori");
}

}  // namespace

const char* GisKindCaption(GisKind kind) {
  switch (kind) {
    case GisKind::Strade:
      return SV_TR("sonvale", "Strade");
    case GisKind::Binari:
      return SV_TR("sonvale", "Binari");
    case GisKind::Case:
      return SV_TR("sonvale", "Case");
    case GisKind::Barriere:
      return SV_TR("sonvale", "Barriere");
    case GisKind::Punti:
      return SV_TR("sonvale", "Punti");
    case GisKind::Sorgenti:
      break;
  }
  return SV_TR("sonvale", "Sorgenti");
}

const char* GisModeCaption(GisMergeMode mode) {
  switch (mode) {
    case GisMergeMode::Overwrite:
      return SV_TR("sonvale", "Sovrascrivi");
    case GisMergeMode::Append:
      return SV_TR("sonvale", "Accoda");
    case GisMergeMode::Insert:
      return SV_TR("sonvale", "Inserisci");
    case GisMergeMode::Replace:
      break;
  }
  return SV_TR("sonvale", "Rimpiazza");
}

GisImportForm NewGisImportForm(std::optional<int> crsCode) {
  GisImportForm form;
  if (crsCode) form.crs = "EPSG:" + PlainInteger(*crsCode);
  ChooseGisKind(form, form.kind);
  return form;
}

void ChooseGisSource(GisImportForm& form, const GisModule& gis, const std::string& path) {
  std::vector<std::string> layers = gis.layerNames(path);
  std::vector<std::string> fields;
  if (!layers.empty()) fields = gis.fieldNames(path, layers.front());
  form.source = path;
  form.layers = std::move(layers);
  form.layer = form.layers.empty() ? -1 : 0;
  form.sourceFields = std::move(fields);
  ChooseGisKind(form, form.kind);
}

void ChooseGisLayer(GisImportForm& form, const GisModule& gis, int index) {
  if (index < 0 || index >= static_cast<int>(form.layers.size())) return;
  form.sourceFields = gis.fieldNames(form.source, form.layers[static_cast<size_t>(index)]);
  form.layer = index;
  ChooseGisKind(form, form.kind);
}

void ChooseGisKind(GisImportForm& form, GisKind kind) {
  form.kind = kind;
  form.mapping.clear();
  for (const std::string& field : MappableFields(kind)) {
    auto same =
        std::find_if(form.sourceFields.begin(), form.sourceFields.end(),
                     [&field](const std::string& s) { return SameNameCaseAside(s, field); });
    form.mapping.emplace_back(field, same == form.sourceFields.end() ? "" : *same);
  }
}

void MapGisField(GisImportForm& form, const std::string& entityField,
                 const std::string& sourceField) {
  for (auto& [field, source] : form.mapping) {
    if (field == entityField) source = sourceField == kNoSourceField ? "" : sourceField;
  }
}

GisImportChoice GisImportFormOptions(const GisImportForm& form, const Project& project,
                                     const GisModule& gis) {
  if (form.source.empty() || form.layer < 0) {
    return Problem(kGisImportTitle, SV_TR("sonvale", "Scegliere un file GIS con almeno un layer."));
  }
  GisImportOptions options;
  options.kind = form.kind;
  options.layer = form.layers[static_cast<size_t>(form.layer)];
  for (const auto& [field, source] : form.mapping) {
    if (!source.empty()) options.fields[field] = source;
  }
  const std::string height(TrimBlanks(form.height));
  if (form.heightUsed() && !height.empty()) {
    if (!IsNumber(height) || !std::isfinite(LeadingNumber(height))) {
      return Problem(kGisImportTitle,
                     std::string(SV_TR("sonvale", "Altezza non valida: ")) + "\"" + height + "\".");
    }
    options.height = LeadingNumber(height);
  }
  const std::string crs(TrimBlanks(form.crs));
  if (!crs.empty()) {
    std::optional<int> code = CrsCode(crs);
    if (!code)
      return Problem(kGisImportTitle, std::string(SV_TR("sonvale", "Codice EPSG non valido: ")) +
                                          "\"" + crs + "\".");
    try {
      options.targetCrsWkt = gis.crsWkt(*code);
    } catch (const std::invalid_argument&) {
      return Problem(kGisImportTitle,
                     "EPSG:" + PlainInteger(*code) +
                         SV_TR("sonvale", " non è un sistema di riferimento noto."));
    }
  }
  options.mode = form.mode;
  if (form.rowUsed()) {
    const bool replace = form.mode == GisMergeMode::Replace;
    const std::string title =
        replace ? SV_TR("sonvale", "Funzione Rimpiazza") : SV_TR("sonvale", "Funzione Inserisci");
    const long before = TableCount(project, form.kind);
    const RowNumberRange range = replace ? ReplaceRange(before) : InsertRange(before);
    const std::string label = GisKindCaption(form.kind);
    if (range.last < range.first) {
      return Problem(title,
                     SV_TR("sonvale", "Non ci sono entità tipo ") + label + " da rimpiazzare.");
    }
    options.row = RowNumberFromText(form.row);
    if (!range.contains(options.row)) {
      return Problem(title, std::string(SV_TR("sonvale", "Numero non valido: ")) + "\"" + form.row +
                                SV_TR("sonvale", "\". Il numero deve essere compreso tra ") +
                                PlainInteger(range.first) + SV_TR("sonvale", " e ") +
                                PlainInteger(range.last) + ".");
    }
  }
  return GisImportChoice{std::move(options), "", ""};
}

std::vector<std::string> GisImportNotes(const GisImportReport& report, GisKind kind) {
  std::vector<std::string> notes;
  if (long n = report.skippedFull) {
    notes.push_back(Parts(n) + LeftOut(n) + SV_TR("sonvale", ": la tabella ") +
                    GisKindCaption(kind) + SV_TR("sonvale", " è piena"));
  }
  if (long n = report.skippedVertices) {
    notes.push_back(Parts(n) + LeftOut(n) + SV_TR("sonvale", ": troppi vertici"));
  }
  if (long n = report.skippedBeyond) {
    notes.push_back(Parts(n) + SV_TR("sonvale", " oltre l'ultima riga") + LeftOut(n) +
                    SV_TR("sonvale", " (Rimpiazza non cambia il numero delle righe)"));
  }
  if (long n = report.skippedEmpty) {
    notes.push_back(Parts(n) + SV_TR("sonvale", " senza geometria utilizzabile") + LeftOut(n));
  }
  return notes;
}

std::optional<GisImportReport> ImportGisIntoProject(Project& project, Ui& ui, const GisModule& gis,
                                                    const std::string& source,
                                                    const GisImportOptions& options) {
  SetStatus(ui, SV_TR("sonvale", "Sto decodificando ") + source + "...");
  ui.setBusy(true);
  GisImportReport report;
  try {
    report = gis.importLayer(project, source, options);
  } catch (const std::exception& e) {
    // FileError, FormatError and the refusals of the import all name their cause.
    ui.setBusy(false);
    ui.message(Message{ProgramTitle(),
                       SV_TR("sonvale", "Importazione GIS non riuscita: ") + std::string(e.what()),
                       Buttons::Ok, Icon::Critical, Answer::Ok});
    return std::nullopt;
  }
  ui.setBusy(false);
  SetStatus(ui, SV_TR("sonvale", "Importati ") + PlainInteger(report.imported) +
                    SV_TR("sonvale", " elementi (") + GisKindCaption(options.kind) + ")" +
                    std::string(SV_TR("sonvale", " da ")) + PlainInteger(report.features) +
                    SV_TR("sonvale", " oggetti di ") + source);
  std::vector<std::string> notes = GisImportNotes(report, options.kind);
  if (!notes.empty()) {
    std::string text;
    for (const std::string& n : notes) text += (text.empty() ? "" : "\n") + n;
    ui.message(Message{kGisImportTitle, text, Buttons::Ok, Icon::Information, Answer::Ok});
  }
  return report;
}

}  // namespace sonvale
