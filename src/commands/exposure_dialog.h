// The dialog "Esposizione facciate" without its window: its fields with their
// labels and first texts, and the reading of the texts into the choices of a
// run, with the message naming the first field that cannot be read.
#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "commands/app_state.h"
#include "commands/exposure_command.h"

namespace sonvale {

inline const char* const kExposureDialogTitle = SV_TR("sonvale", "Esposizione facciate");
inline const char* const kExposureRun = SV_TR("sonvale", "Esegui");
inline const char* const kExposureCancel = SV_TR("sonvale", "Annulla");

enum class ExposureField { Population, OutDir, Method, Periods, Height, Distance, Estimate };
inline constexpr int kExposureFieldCount = 7;

const char* ExposureFieldLabel(ExposureField f);
// The items of the method box, in order.
const std::vector<std::string>& ExposureMethodItems();

using ExposureTexts = std::array<std::string, kExposureFieldCount>;
// The first texts: the project's side file when it exists, the folder
// PROJECT_esposizione beside the project, median, 12,4,8, 4 m, 0.1 m, no estimate.
ExposureTexts DefaultExposureTexts(const AppState& app);

struct ExposureDialogResult {
  ExposureChoices choices;
  std::string outDir;
};
// The choices, or the message naming the field that cannot be read.
std::variant<ExposureDialogResult, std::string> ReadExposureTexts(const ExposureTexts& texts);

}  // namespace sonvale
