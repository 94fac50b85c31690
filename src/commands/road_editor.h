// The road traffic editor: walks through the roads, writes every edit into the
// project at once and recomputes the road's levels; a road can also be a
// fixed-level line source whose levels are typed. The form shows RoadView and
// calls one function per control.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "commands/app_state.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kRoadEditorTitle = SV_TR("sonvale", "Editazione dati traffico stradale");
inline const char* const kRoadSelectionCaption = SV_TR("sonvale", "Selezione Tratto Stradale");
inline const char* const kLineSourceTitle = SV_TR("sonvale", "Editazione dati sorgenti lineari");
inline const char* const kLineSourceSelectionCaption =
    SV_TR("sonvale", "Selezione Tratto Sorgente Lineare");

inline const char* const kPavementItems[] = {
    SV_TR("sonvale", "1-Asfalto Liscio"), SV_TR("sonvale", "2-Pave'"),
    SV_TR("sonvale", "3-Asfalto Fonoass."), SV_TR("sonvale", "4-Asfalto Basso Em.")};
inline const char* const kSlopeItems[] = {"0-5%", SV_TR("sonvale", ">=5%, Salita"),
                                          SV_TR("sonvale", ">=5%, Discesa")};
inline const char* const kRoadClassItems[] = {
    "C1-(0-30 km/h) acc.", "C2-(0-30 km/h) dec.", "C3-(30-50 km/h) acc.", "C4-(30-50 km/h) dec.",
    "C5-(50-70 km/h)",     "C6-(70-90 km/h)",     "C7-(90-110 km/h)",     "C8-(> 110 km/h)"};
inline const char* const kVehicleLabels[] = {
    SV_TR("sonvale", " N.autovetture    (V1)"), SV_TR("sonvale", " N.camion 2 assi (V2)"),
    SV_TR("sonvale", " N.camion 3 assi (V3)"), SV_TR("sonvale", " N.TIR               (V4)"),
    SV_TR("sonvale", " N.motocicli        (V5)")};
inline const char* const kCategoryCaptions[] = {
    SV_TR("sonvale", "Cat.A - Autostrada"),     SV_TR("sonvale", "Cat.B - Extraurb. princ."),
    SV_TR("sonvale", "Cat.C - Extraurb. sec."), SV_TR("sonvale", "Cat.D - Urbana scorr."),
    SV_TR("sonvale", "Cat.E - Urbana quart."),  SV_TR("sonvale", "Cat.F - Locale")};

// Inner heights of the form in twips: the whole form, and only its upper part
// for a fixed-level road.
inline constexpr int kRoadFullHeightTwips = 8185;
inline constexpr int kRoadFixedHeightTwips = 1570;

struct RoadView {
  long number = 0;  // the road shown
  std::string nome;
  bool fixed = false;
  std::string leqDay, leqNight;  // "###.00" typed levels, "###.#" computed ones
  long pavimentaz = 0, pendenza = 0;
  std::string hmedSx, hmedDx;          // "##0.##"
  std::array<std::string, 10> counts;  // day V1..V5, then night V1..V5, "######"
  std::array<long, 10> classes{};      // list indexes in the same order
  // The form: level boxes editable, inner height, captions.
  int heightTwips = kRoadFullHeightTwips;
  std::string title = kRoadEditorTitle, selectionCaption = kRoadSelectionCaption;
};

// "&Strade...": marks the project changed; true when there is a road to edit.
bool CmdStrade(AppState& app);

class RoadEditor {
 public:
  explicit RoadEditor(AppState& app) : app_(app) {}

  // "Imposta autom. i dati della strada precedente".
  bool autoImposta = false;

  // Opening: the shared number brought into 1..Nstrade, highlight, show.
  RoadView open();
  // Shows the current road (and copies the previous road's data onto a road
  // without vehicles when autoImposta is ticked).
  RoadView show();
  // One step from the shared number; with the number box's text, one step from
  // the number in the box.
  RoadView previous();
  RoadView next();
  RoadView previous(std::string_view box);
  RoadView next(std::string_view box);
  // Enter in the number box.
  RoadView typed(std::string_view text);
  // "Fine" or closing the window: the highlight goes.
  void close();

  // Each control writes its field of the current road.
  void setName(std::string_view text);
  RoadView setCount(int item, std::string_view text);  // item 0..9 as the boxes
  RoadView setClass(int item, long index);
  RoadView setPavement(long index);
  RoadView setSlope(long index);
  void setHeight(bool left, std::string_view text);
  void setLevel(bool day, std::string_view text);  // fixed-level road
  RoadView calcola(long pavementIndex);
  RoadView fisso();
  RoadView preset(int category);  // 1..6
  RoadView c5c6();
  RoadView c6();

  // "Zoom": the view around the current road, ZoomFactor times its size; the
  // arrows multiply or divide the factor by the square root of 2 first.
  void zoom();
  void zoomIn();
  void zoomOut();

  // True while the shared number names a road of the project (another command
  // may have removed it or replaced the project).
  bool valid() const;

 private:
  Strada& road();
  RoadView view();
  void go(long number);
  // Before an edit: takes the shared number back to the entity this editor
  // shows when another editor moved or cleared it meanwhile.
  void claim();

  AppState& app_;
  long shown_ = 0;  // the entity of the last view
};

}  // namespace sonvale
