// The railway traffic editor: the road editor's twin for tracks, with train
// counts, lengths and speed classes per train class and the track type; it
// shares the current number and the highlight with the road editor.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "commands/app_state.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kTrackEditorTitle =
    SV_TR("sonvale", "Editazione dati traffico ferroviario");
inline const char* const kTrackSelectionCaption = SV_TR("sonvale", "Selezione Tratto Ferroviario");
inline const char* const kTrackTypeItems[] = {SV_TR("sonvale", "1-Bin. cont. saldato su ballast"),
                                              SV_TR("sonvale", "2-Binario con scambi o interr.")};
inline const char* const kTrainClassItems[] = {"C1-(0-60 km/h)", "C2-(60-90 km/h)",
                                               "C3-(90-120 km/h)", "C4-(> 120 km/h)"};
inline const char* const kTrainLabels[] = {SV_TR("sonvale", " tr.merci           (V1)"),
                                           SV_TR("sonvale", " tr.pass. locali  (V2)"),
                                           SV_TR("sonvale", " tr.pass. l.perc. (V3)")};

inline constexpr int kTrackFullHeightTwips = 6995;
inline constexpr int kTrackFixedHeightTwips = 1695;

struct TrackView {
  long number = 0;
  std::string nome;
  bool fixed = false;
  std::string leqDay, leqNight;  // "###.00" typed, "###.#" computed
  long tipoArmamento = 0;
  std::string hmedSx, hmedDx;          // "###0.##" and "#####0.##"
  std::array<std::string, 6> counts;   // day c = 1..3, then night, "#####"
  std::array<std::string, 6> lengths;  // the same rows
  std::array<long, 6> classes{};
  int heightTwips = kTrackFullHeightTwips;
  std::string title = kTrackEditorTitle, selectionCaption = kTrackSelectionCaption;
};

// "&Binari...": marks the project changed; true when there is a track to edit.
bool CmdBinari(AppState& app);

class TrackEditor {
 public:
  explicit TrackEditor(AppState& app) : app_(app) {}

  // "Imposta automaticamente i dati del binario precedente".
  bool autoImposta = false;

  TrackView open();
  TrackView show();
  // One step from the shared number; with the number box's text, one step from
  // the number in the box.
  TrackView previous();
  TrackView next();
  TrackView previous(std::string_view box);
  TrackView next(std::string_view box);
  TrackView typed(std::string_view text);
  void close();
  bool valid() const;

  void setName(std::string_view text);
  TrackView setCount(int item, std::string_view text);   // item 0..5
  TrackView setLength(int item, std::string_view text);  // item 0..5
  TrackView setClass(int item, long index);
  TrackView setTrackType(long index);
  void setHeight(bool left, std::string_view text);
  void setLevel(bool day, std::string_view text);
  TrackView calcola(long trackTypeIndex);
  TrackView fisso();

 private:
  Binario& track();
  TrackView view();
  void go(long number);
  // Before an edit: takes the shared number back to the entity this editor
  // shows when another editor moved or cleared it meanwhile.
  void claim();

  AppState& app_;
  long shown_ = 0;  // the entity of the last view
};

}  // namespace sonvale
