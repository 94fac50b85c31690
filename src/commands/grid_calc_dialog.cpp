#include "commands/grid_calc_dialog.h"

#include "gis/grid_calc.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {

const char* GridOperationCaption(GridOperation op) {
  switch (op) {
    case GridOperation::Sum:
      return SV_TR("sonvale", "Somma energetica");
    case GridOperation::Difference:
      return SV_TR("sonvale", "Differenza (A - B)");
    case GridOperation::Excess:
      break;
  }
  return SV_TR("sonvale", "Eccedenza sul limite");
}

std::string GridCalcProblem(const GridCalcForm& form) {
  const size_t n = form.grids.size();
  switch (form.operation) {
    case GridOperation::Sum:
      if (n < 2) return SV_TR("sonvale", "La somma vuole almeno due mappe.");
      break;
    case GridOperation::Difference:
      if (n != 2) return SV_TR("sonvale", "La differenza vuole due mappe, A e B.");
      break;
    case GridOperation::Excess:
      if (n != 1) return SV_TR("sonvale", "L'eccedenza vuole una mappa.");
      if (!IsNumber(form.limit))
        return std::string(SV_TR("sonvale", "Limite non valido: ")) + "\"" + form.limit + "\".";
      break;
  }
  if (form.output.empty()) return SV_TR("sonvale", "Scegliere il file della nuova mappa.");
  return "";
}

std::optional<GridData> RunGridCalc(const GridCalcForm& form, Ui& ui) {
  const std::string problem = GridCalcProblem(form);
  if (!problem.empty()) {
    ui.message(Message{kGridCalcTitle, problem, Buttons::Ok, Icon::Critical, Answer::Ok});
    return std::nullopt;
  }
  ui.setBusy(true);
  try {
    std::vector<NamedGrid> grids;
    for (const std::string& path : form.grids)
      grids.push_back(NamedGrid{path, ReadLevelGrid(path)});
    GridData result;
    switch (form.operation) {
      case GridOperation::Sum:
        result = EnergeticSum(grids);
        break;
      case GridOperation::Difference:
        result = GridDifference(grids[0], grids[1]);
        break;
      case GridOperation::Excess:
        result = GridExcess(grids[0].grid, LeadingNumber(form.limit));
        break;
    }
    WriteTextGrid(form.output, result);
    ui.setBusy(false);
    SetStatus(ui, SV_TR("sonvale", "Scritta la mappa ") + form.output);
    return result;
  } catch (const std::exception& e) {
    ui.setBusy(false);
    ui.message(Message{kGridCalcTitle,
                       SV_TR("sonvale", "Operazione non riuscita: ") + std::string(e.what()),
                       Buttons::Ok, Icon::Critical, Answer::Ok});
    return std::nullopt;
  }
}

}  // namespace sonvale
