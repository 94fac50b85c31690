// The node and arc tables of a traffic-assignment model: the nodes are kept in
// memory for the session, the arcs between them become two-vertex roads whose
// flow is split into the five vehicle classes. An arc can also add its traffic
// to a road already present (recognition) or to the arc of the other direction.
#pragma once

#include <string>
#include <vector>

#include "exchange/csv_options.h"
#include "exchange/csv_records.h"
#include "model/project.h"

namespace sonvale {

inline constexpr long kMaxCsvNodes = 9000;

// A node identifier as the model writes it: a number (12 and "12.0" are the
// same node) or a text. A text that reads as a number is found by its value too.
struct CsvNodeId {
  bool numeric = true;
  double value = 0;
  std::string text;     // the characters as written
  bool quoted = false;  // written in double quotes

  bool operator==(const CsvNodeId& o) const {
    return numeric == o.numeric && (numeric ? value == o.value : text == o.text);
  }
  // The identifier inside a road name: a quoted text as it stands ("007"), a
  // number with one leading blank when it is not negative (" 12"), a negative one
  // with its sign, any other text as it stands.
  std::string nameText() const;
};

struct CsvNode {
  CsvNodeId id;
  double X = 0, Y = 0;
};

// Nodes numbered from 1, in file order.
struct CsvNodeTable {
  std::vector<CsvNode> nodes;

  long count() const { return static_cast<long>(nodes.size()); }
  const CsvNode& node(long i) const { return nodes[static_cast<size_t>(i - 1)]; }
  // The first node with this identifier, 0 when there is none.
  long FindNode(const CsvNodeId& id) const;
};

struct CsvNodeFile {
  CsvNodeTable table;
  CsvLeftOut leftOut;  // records beyond kMaxCsvNodes nodes
};

// Reads a node file (fields: identifier, X, Y); the nodes up to kMaxCsvNodes are
// kept and the records after them left out. Throws FileError or FormatError.
CsvNodeFile ReadCsvNodes(const std::string& path);

// The merge switches as the arc import uses them.
struct ArcImportModes {
  bool LimitaPlans = false;  // only arcs with a node within DistMax of a plan vertex
  bool Accorpa = false;      // join the two directions of one arc
  bool Riconosci = false;    // add each arc to the nearest road already present
};

struct ArcImportResult {
  long roads = 0;        // the road count afterwards
  long skippedArcs = 0;  // arcs naming a node that is not in the node table
  CsvLeftOut leftOut;    // arcs not read once the road table was full
  std::string summary;   // the summary text file, CR LF line ends
};

// Reads an arc file (fields: ignored, node A, node B, ignored, road type code,
// flow) into the roads. Without Riconosci the arcs replace every road. The extent
// is emptied first and covers the imported arcs afterwards. The import stops at
// the first arc that needs a new road while the road table is full: the arcs
// before it are kept, that arc and the ones after it are left out. On FileError
// or FormatError the project is left as it was.
ArcImportResult ImportCsvArcs(const std::string& path, const CsvNodeTable& nodes,
                              const CsvOptions& options, const ArcImportModes& modes,
                              Project& project);

// Hourly flows of an arc with flow q, as the summary file lists them.
struct ArcFlows {
  double LG = 0, PG = 0, LN = 0, PN = 0;  // light and heavy, day and night
};
ArcFlows ArcFlowsOf(double q);

// The name of the summary file: the input's file extension replaced by "TXT"
// ("archi.csv" gives "archi.TXT"); ".TXT" is added when the file name has no
// three-letter extension or when the result would be the input itself.
std::string ArcSummaryPath(const std::string& csvPath);

}  // namespace sonvale
