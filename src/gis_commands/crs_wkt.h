// The definition of a coordinate reference system, as PROJ knows it.
#pragma once

#include <string>

namespace sonvale {

// The WKT of EPSG:code; throws std::invalid_argument when PROJ does not know it.
std::string CrsWkt(int code);

}  // namespace sonvale
