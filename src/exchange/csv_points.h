// Receiver points read from a spreadsheet list: position, height and a short name.
#pragma once

#include <string>

#include "exchange/csv_records.h"
#include "model/project.h"

namespace sonvale {

// The point name as stored: blanks around it removed, cut to 5 characters and
// filled with blanks on the right to exactly 5 ("ABCDEFG" gives "ABCDE", "P1"
// gives "P1   "). Characters, not bytes, are counted, so an accented letter is
// never cut in half.
std::string PointName(const std::string& text);

// Replaces the receiver points with the records of the file (fields: ignored, X,
// Y, Z, name). Returns the new count; beyond 40000 points the records are left
// out. On FileError or FormatError the project is left as it was.
CsvRowsRead ImportCsvPoints(const std::string& path, Project& project);

}  // namespace sonvale
