// The redraw of the map: the view window fitted to the picture, then every kind
// of entity in a fixed order, colour and width, with its labels.
#pragma once

#include <optional>

#include "model/project.h"
#include "view/canvas.h"
#include "view/layers.h"

namespace sonvale {

// Windows narrower than this (metres, after the fit) are not drawn: the zoom limit.
inline constexpr double kMinViewWidth = 30;

// The view window grown in its short direction around its centre until it has
// the picture's width-to-height ratio; nullopt when the picture has no size or
// the fitted window is narrower than the zoom limit.
std::optional<UserWindow> FitWindow(const ViewWindow& view, double deviceWidth,
                                    double deviceHeight);

// The view window as the project keeps it: left, bottom, right, top.
ViewWindow ToViewWindow(const UserWindow& w);

// Redraws the project on the canvas (clear: erase the picture first). When the
// project is empty or the fitted window is below the zoom limit nothing is
// drawn, view is left as it was and false is returned; otherwise view becomes
// exactly the window drawn.
bool DrawMap(const Project& p, const LayerVisibility& layers, ViewWindow& view, Canvas& canvas,
             bool clear);

// True when the project holds anything DrawMap draws.
bool HasDrawableEntities(const Project& p);

}  // namespace sonvale
