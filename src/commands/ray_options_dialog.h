// The "RAY file options" dialog without its window: captions, what its boxes and
// its list show, what an edit or a choice in the list changes, the file dialog
// of "..." and the check of "OK - Esegui". The window RayOptions binds its
// controls to a RayOptionsDialog.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "commands/ray_commands.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kRayOptionsTitle = SV_TR("sonvale", "RAY file options");

// The controls, named as the window names them.
enum class RayControl {
  Text1,     // file name
  Command1,  // "..."
  MappaRec,
  Rec,
  Punti,
  AreaFrame,
  X1,
  Y1,
  Z1,
  X2,
  Y2,
  Z2,
  Horiz,
  Vert,
  AreaList,
  Periodo,
  Diurno,
  Notturno,
  OK,
  Annulla,
};
inline constexpr size_t kRayControlCount = static_cast<size_t>(RayControl::Annulla) + 1;

std::string_view RayControlName(RayControl c);
// The caption of a button, option or frame, or the label of a box, as shown.
std::string_view RayCaption(RayControl c);

// The boxes of the area frame, in the order of RayBoxTexts.
inline constexpr RayControl kRayBoxes[] = {RayControl::X1,    RayControl::Y1,  RayControl::Z1,
                                           RayControl::X2,    RayControl::Y2,  RayControl::Z2,
                                           RayControl::Horiz, RayControl::Vert};

// The dialog over the choices of "Salva &Ray...", which start out cancelled.
class RayOptionsDialog {
 public:
  RayOptionsDialog(const Project& project, Ui& ui, RayChoices& choices);

  const RayChoices& choices() const { return choices_; }
  // One item per plan ("Plan. n. 1") and then one per section ("Sez. n. 1").
  const std::vector<std::string>& areaItems() const { return areaItems_; }
  // The texts of the boxes X1 .. Vert: coordinates "#####0.##", heights "#0.##",
  // divisions as whole numbers.
  std::array<std::string, std::size(kRayBoxes)> boxTexts() const;
  // The option of the receivers and of the period that is set.
  bool isChecked(RayControl option) const;

  // An area box now holds text; a text that is not a number reads as 0.
  void edited(RayControl box, std::string_view text);
  // The file box was left: its text becomes the name, completed with ".RAY".
  // Returns the text the box shows now.
  std::string nameLeft(std::string_view text);
  // An item of the area list: a plan sets X1, X2, Y1, Y2 to the box around its
  // outline, a section sets both ends with their heights.
  void chooseArea(int index);
  // MappaRec, Rec, Punti, Diurno, Notturno clicked.
  void setChecked(RayControl option);
  // "...": the save dialog; a cancelled dialog changes nothing. True when a
  // name was chosen.
  bool browse();
  // "OK - Esegui": true when the dialog closes; an empty name beeps and stays.
  bool confirm();

 private:
  const Project& project_;
  Ui& ui_;
  RayChoices& choices_;
  std::vector<std::string> areaItems_;
};

}  // namespace sonvale
