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
// the source symbol in light green.
void MoveHighlight(AppState& app, EntityKind kind);
// Draws the highlight anew after the map was redrawn under it.
void RestoreHighlight(AppState& app, EntityKind kind);

}  // namespace sonvale
