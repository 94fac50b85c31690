// Traffic rows appended from a regional traffic table: a name, light and heavy
// flows and their flow class codes, without geometry.
#pragma once

#include <string>

#include "exchange/csv_records.h"
#include "model/project.h"

namespace sonvale {

// Appends one road row per record (fields: ignored, name, light day, heavy day,
// light night, heavy night, light class code, heavy class code), with no
// vertices. Light traffic goes to class V1, heavy to V4; a class code k (1..8,
// "C1".."C8") is stored as the flow class index k - 1, a code outside 1..8 as the
// nearest class. Returns the number of rows added; once the road table is full
// the records are left out. On FileError or FormatError the project is left as it
// was.
CsvRowsRead ImportCsvTraffic(const std::string& path, Project& project);

}  // namespace sonvale
