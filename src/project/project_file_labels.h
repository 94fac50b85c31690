// Captions of the project file that the writer writes and the reader compares.
#pragma once

namespace sonvale::project_file {

inline constexpr const char* kBanner = "Sonvale noise model";
inline constexpr const char* kRoadLeqDay =
    "Livello equivalente di emissione (a 7.5m dall'asse) day =";
inline constexpr const char* kRoadLeqNight =
    "Livello equivalente di emissione (a 7.5m dall'asse) night =";
inline constexpr const char* kRailLeqDay =
    "Livello equivalente di emissione (a 7m dall'asse) day =";
inline constexpr const char* kRailLeqNight =
    "Livello equivalente di emissione (a 7m dall'asse) night =";
inline constexpr const char* kVelocita = "Velocità =";

}  // namespace sonvale::project_file
