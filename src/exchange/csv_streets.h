// Roads appended from a street database table: one straight stretch per record
// with its name, speed and light and heavy flows.
#pragma once

#include <string>

#include "exchange/csv_records.h"
#include "model/project.h"

namespace sonvale {

// The flow class index of a street speed S (km/h): "C5-(50-70 km/h)" (4) up to
// 70, "C6" (5) up to 90, "C7" (6) up to 110, "C8-(> 110 km/h)" (7) above;
// -1 for a negative speed, which leaves the class as it was.
long StreetSpeedClass(double speedKmh);

// Appends one road per record (fields: ignored, ignored, X1, Y1, X2, Y2, ignored,
// name, speed, ignored, light day, heavy day, light night, heavy night). Light
// traffic goes to class V1, heavy to V3. The room-acoustics model (faces, holes,
// doors, point sources, receivers) is emptied and the extent covers the new
// streets only. Returns the number of roads added; once the road table is full
// the records are left out. On FileError or FormatError the project is left as it
// was.
CsvRowsRead ImportCsvStreets(const std::string& path, Project& project);

}  // namespace sonvale
