// The mapping options dialog "Esecuzione Mappatura .GRD" without its window: the
// captions, what every box shows, which frame and options are offered, the keys
// each box takes, what an edit writes into the project and the checks of
// "OK - Esegui". The window binds its controls to a MapDialog and shows its view.
// Also the grid bounds of a plan and the node count of a map, which the command
// line shares.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

// The controls of the dialog, named as the window names them.
enum class MapControl {
  Text1,
  Command1,
  Option1,
  Option2,
  Option3,
  Zconstframe,
  X1,
  X2,
  Y1,
  Y2,
  Horiz,
  Vert,
  Delta_X,
  Delta_Y,
  Zvalue,
  Label6,
  SetPlan,
  Plan_N,
  Altimframe,
  TextZfile,
  Command2,
  DZvalue,
  Label9,
  SezFrame,
  Combo1,
  Horiz2,
  Vert2,
  Delta_O,
  Delta_Z,
  Z1,
  Z2,
  Frame3D1,
  Check1,
  Check2,
  Check3,
  Check4,
  Check5,
  Check6,
  Text2,
  TextAnn,
  Opt_SVP_interno,
  Opt_SVP_trace,
  Opt_Interim,
  Opt_Imagine,
  Command3D1,
  Command3D2,
};
inline constexpr size_t kMapControlCount = static_cast<size_t>(MapControl::Command3D2) + 1;

inline const char* const kMapDialogTitle = SV_TR("sonvale", "Esecuzione Mappatura .GRD");
inline const char* const kOutputDialogTitle = SV_TR("sonvale", "Scegli il file di output (.GRD)");
inline const char* const kTerrainDialogTitle =
    SV_TR("sonvale", "Scegli il file contenente l'altimetria (.GRD)");
inline const char* const kGrdFilter = "GRD (Surfer) file|*.GRD";

// The object name of a control ("Delta_X").
std::string_view MapControlName(MapControl c);
// The caption of a button, option, check box or frame, or the label of a box or
// list, exactly as shown (" Xmin"); " Z1" and " Z2" for the two section heights.
// Label6 and Label9 show HrecLabel.
std::string_view MapCaption(MapControl c);
// The name a screen reader gives: the caption without "&" and the blanks around it.
std::string AccessibleName(std::string_view caption);
// " + Hrec=" followed by the receiver height as "##0.##" and "m".
std::string HrecLabel(double hrec);

// The output name proposed on opening: GrdName, else the project file name, else
// the last drawing name, less its last four characters and followed by "_d.GRD";
// "*.grd" when all are empty.
std::string ProposedGrdName(const Project& p);
// The name stored when the output box is left: ".GRD" appended when the name has
// no "." or starts with one; an empty box stays empty.
std::string GrdNameFromBox(const std::string& text);

// A division count as the project stores it: a value outside the range of the
// setting reads as 0, which "OK - Esegui" refuses like any other count below 1.
short DivisionCount(double value);
// The spacing text "#####0.##" of range / count; empty when count is not positive.
std::string SpacingText(double range, long count);
// Horizontal length of the section line, the range of its divisions.
double SectionLength(const SectionLine& s);

// The bounding box of the vertices of plan n; nullopt when there is no such plan
// or it has no vertex.
std::optional<GridBounds> PlanBounds(const Project& p, long n);
// The bounds of a plane map with none given: the current plan's box, else the
// extent of the model; nullopt when the model holds no geometry.
std::optional<GridBounds> DefaultMapBounds(const Project& p);
// The grid the dialog opens on, which "OK - Esegui" then maps: the current plan's
// box when a valid plan is current, else the stored grid when it spans an area,
// else the extent of the model (the stored grid when the model is empty too).
GridBounds OpeningGrid(const Project& p, const GridBounds& stored);
// The nodes a map computes per period: (divisions + 1) along each side of the
// plane grid (mode 0) or of the section (mode 2); a terrain map (mode 1) computes
// the nodes of its terrain grid, given by the caller.
long MapNodeCount(const Project& p, long terrainNodes = 0);

// The years a scenario may have.
inline constexpr long kFirstYear = 1995;
inline constexpr long kLastYear = 2050;
long ClampYear(long year);
// The largest division count a map takes.
inline constexpr long kMaxDivisions = 32767;
// The refusal of "OK - Esegui" when a division count of the chosen mode is outside
// 1..32767 (NdivX, NdivY for the plane and the terrain, NdivO, NdivZ for the
// section); nullopt when all are usable.
std::optional<std::string> DivisionCountProblem(const Project& p);

// Key codes as the input filters see them: the character typed, or 8 for backspace.
inline constexpr int kBackspaceKey = 8;
struct KeyVerdict {
  bool accepted = true;
  std::optional<Message> message;  // the "Char" box of the boxes that explain a refusal
};
// Whether the box takes the key typed at insertAt, replacing `replaced` characters
// of text (a selection). Coordinate boxes take a minus as the first character only.
KeyVerdict FilterMapKey(MapControl box, int code, std::string_view text = {}, size_t insertAt = 0,
                        size_t replaced = 0);

// Whether the box takes a pasted text as if its characters were typed one by one;
// a refused paste is discarded as a whole, without a box.
bool FilterMapPaste(MapControl box, std::string_view text, size_t insertAt, size_t replaced,
                    std::string_view pasted);

// What the window shows beside the project settings.
struct MapDialogView {
  std::array<std::string, kMapControlCount> texts;  // box texts, by control
  std::string hrecLabel;                            // Label6 and Label9
  std::vector<std::string> planItems;               // Plan_N; empty hides SetPlan and Plan_N
  int planIndex = -1;
  std::vector<std::string> sectionItems;  // Combo1
  int sectionIndex = -1;
  bool sectionOptionShown = false;  // Option3
  bool algorithmsShown = true;
  short frame = 0;             // 0 Zconstframe, 1 Altimframe, 2 SezFrame: the one frame shown
  bool boundsEditable = true;  // X1, X2, Y1, Y2 (mode 2 only shows the section ends)
  bool sectionHeightsEditable = false;  // Z1, Z2 after a section is chosen
  bool okEnabled = true;
  bool closed = false;

  const std::string& text(MapControl c) const { return texts[static_cast<size_t>(c)]; }
  std::string& text(MapControl c) { return texts[static_cast<size_t>(c)]; }
};

// The dialog on the application state. Every edit lands in the project at once;
// opening sets StopRequested, which only "OK - Esegui" clears.
class MapDialog {
 public:
  MapDialog(AppState& app, Ui& ui);

  const MapDialogView& view() const { return view_; }
  // The mode option of the frame shown; Check1..Check6 and the algorithm options
  // as the project holds them.
  bool isChecked(MapControl c) const;

  // Option1..Option3 and the algorithm options when clicked; Check1..Check6 set or cleared.
  void setChecked(MapControl c, bool on = true);
  // A key typed into a box: true when the box takes it; a refusal of Horiz2,
  // Delta_O, Delta_Z or Text2 shows its "Char" box.
  bool keyTyped(MapControl box, int code, std::string_view text = {}, size_t insertAt = 0,
                size_t replaced = 0);
  // The box now holds text after a user edit: linked settings and boxes follow.
  void edited(MapControl box, const std::string& text);
  // The user leaves a box (the output name is stored then).
  void left(MapControl box, const std::string& text);
  void choosePlan(int index);     // Plan_N, 0 = plan 1
  void chooseSection(int index);  // Combo1, 0 = section 1
  void browseOutput();            // Command1
  void browseTerrain();           // Command2
  // "OK - Esegui": true when the dialog closes.
  bool confirm();
  // "Annulla", or the window closed.
  void cancel();

 private:
  void load();
  void showBounds();
  void showSectionEnds();
  void showSectionSpacings();

  AppState& app_;
  Ui& ui_;
  MapDialogView view_;
};

}  // namespace sonvale
