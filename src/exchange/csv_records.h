// Reading the comma-separated tables that traffic models, street databases and
// spreadsheets export: one header line, then one record per line (a quoted text
// may carry a record over a line end), fields taken by their column number.
#pragma once

#include <string>
#include <vector>

#include "text/file_text.h"

namespace sonvale {

struct CsvField {
  std::string text;     // quotes removed, blanks around an unquoted field removed
  bool quoted = false;  // the field was written in double quotes
};

// The records a full table kept out of an import: the import stops at the first
// record the table cannot take, and keeps the rows read before it.
struct CsvLeftOut {
  long records = 0;   // that record and every one after it
  long line = 0;      // the line where that record begins; 0 when none was left out
  long capacity = 0;  // the rows the full table holds
};

// What an import that appends or replaces rows read.
struct CsvRowsRead {
  long rows = 0;  // rows added (points: the new count)
  CsvLeftOut leftOut;
};

class CsvReader {
 public:
  // Reads the whole file and skips its header record; throws FileError when the
  // file cannot be read.
  explicit CsvReader(const std::string& path);
  // The same over a text in memory; name is used in error messages.
  CsvReader(std::string name, std::string content);

  // Moves to the next data record; false at the end of the file. Blank lines are
  // skipped. Throws FormatError for a quoted text without its closing quote.
  bool next();

  // Line (1-based) where the current record begins.
  long line() const { return recordLine_; }
  const std::string& name() const { return name_; }
  size_t fieldCount() const { return fields_.size(); }

  // Throws FormatError unless the current record has at least n fields.
  void require(size_t n) const;
  // Column n (1-based) of the current record; FormatError when it is missing.
  const CsvField& field(size_t n) const;
  std::string text(size_t n) const { return field(n).text; }
  // Column n as a number: an empty field reads as 0, anything else that is not
  // one number is a FormatError naming the column.
  double number(size_t n) const;
  // Column n as a whole number of vehicles, rounded half to even; a value beyond
  // a billion is a FormatError.
  long count(size_t n) const;

  [[noreturn]] void fail(const std::string& message) const;

  // Stops the import at the current record because its table is full: counts
  // that record and the ones after it (a text left open counts as one record up
  // to the end) and moves to the end of the file.
  CsvLeftOut leaveOutRest(long capacity);

 private:
  void skipHeader();
  bool readRecord(std::vector<CsvField>& out);

  std::string name_;
  TextCursor in_;
  long recordLine_ = 0;
  std::vector<CsvField> fields_;
};

}  // namespace sonvale
