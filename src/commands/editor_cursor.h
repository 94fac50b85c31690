// What the three traffic editors share: the current entity number with its
// wrapping steps and clamped typing, the number box's reading, and the map
// highlight of the current road, track or source.
#pragma once

#include <string>
#include <string_view>

#include "commands/app_state.h"
#include "view/zoom.h"

namespace sonvale {

// One step back or forward from number n among count entities, wrapping round.
long PreviousNumber(long n, long count);
long NextNumber(long n, long count);
// A number typed into the number box, clamped to 1..count.
long TypedNumber(std::string_view text, long count);
// The step buttons and arrows go from the number in the box (typed or not),
// wrapping as PreviousNumber and NextNumber do; a number beyond the table
// steps back to its last entity and one below 1 forward to the first.
long PreviousFromBox(std::string_view text, long count);
long NextFromBox(std::string_view text, long count);
// The number an editor opens on: the shared current number brought into
// 1..count (0 becomes 1).
long OpeningNumber(long current, long count);

// A count or length box: the leading number truncated to a whole number when
// above 0, else 0.
long CountFromText(std::string_view text);
// A height box: the value when above 0, else 0.
double PositiveFromText(std::string_view text);

// The pen of the road and track highlight: inverting, 10 wide, colour value 80.
Pen HighlightPen();
// Draws the stretches of a road or track once with the highlight pen; a second
// drawing takes them away.
void DrawLineHighlight(Canvas& canvas, const std::vector<LineVertex>& vertices);

// Moves the highlight of roads (kind Road) or tracks (Track) from
// app.HighlightedRoad to app.CurrentRoad, and of sources (Source) likewise with
// the source symbol in light green. The old highlight is taken away as the kind
// that drew it, which may be another editor's.
void MoveHighlight(AppState& app, EntityKind kind);
// Takes the highlight away and leaves the current number as it is.
void RemoveHighlight(AppState& app, EntityKind kind);
// Draws the highlight anew after the map was redrawn under it, when it is one
// of this kind.
void RestoreHighlight(AppState& app, EntityKind kind);

}  // namespace sonvale
