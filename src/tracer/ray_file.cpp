#include "tracer/ray_file.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/quote.h"
#include "tracer/spk_writer.h"

namespace sonvale {
namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool StartsNumber(char c) { return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9'); }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

// The file as lines without their line ends (CR LF, LF or a lone CR).
std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  std::string current;
  for (size_t i = 0; i < content.size(); ++i) {
    char c = content[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

// One reader over the whole file: records start at a keyword at the beginning of
// a line, and their values are taken across as many lines as they need.
class RayScanner {
 public:
  RayScanner(std::string name, std::vector<std::string> lines)
      : name_(std::move(name)), lines_(std::move(lines)) {}

  bool atEnd() const { return line_ >= lines_.size(); }
  long lineNumber() const { return static_cast<long>(line_) + 1; }
  [[noreturn]] void fail(const std::string& message) const {
    throw FormatError(name_, lineNumber(), message);
  }

  // The tag of the record on the current line (the first three letters of its
  // first word in upper case, shorter for a shorter word) and the position just
  // after the word.
  std::string tag() {
    const std::string& s = lines_[line_];
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    // The keyword is the run of letters: a negative first value written right
    // after it ("Face-1") is a value, not part of the word.
    size_t e = b;
    while (e < s.size() && IsLetter(s[e])) ++e;
    if (e < s.size() && !IsSeparator(s[e]) && !StartsNumber(s[e]))
      while (e < s.size() && !IsSeparator(s[e])) ++e;
    pos_ = e;
    std::string t;
    for (size_t i = b; i < e && t.size() < 3; ++i) t += Upper(s[i]);
    return t;
  }

  // Moves to the start of the next line.
  void nextLine() {
    ++line_;
    pos_ = 0;
  }

  // The next value of the record being read, continuing on the following lines.
  double value(const char* record, const char* what) {
    for (;;) {
      if (atEnd()) {
        throw FormatError(name_, recordLine_,
                          std::string("the file ends before the ") + what + " of this " + record);
      }
      const std::string& s = lines_[line_];
      while (pos_ < s.size() && IsSeparator(s[pos_])) ++pos_;
      if (pos_ < s.size()) break;
      nextLine();
      // A continuation line holds values only: a word there starts a new record.
      if (!atEnd() && startsWithWord(lines_[line_]))
        fail(std::string("the ") + record + " of line " + PlainInteger(recordLine_) +
             " ends before its " + what);
    }
    const std::string& s = lines_[line_];
    size_t e = pos_;
    while (e < s.size() && !IsSeparator(s[e])) ++e;
    std::string_view token(s.data() + pos_, e - pos_);
    pos_ = e;
    if (IsOutOfRangeNumber(token)) {
      fail(std::string("the ") + what + " of a " + record +
           " is a number out of range: " + QuotedExcerpt(token));
    }
    if (!IsNumber(token)) {
      fail(std::string("the ") + what + " of a " + record + " must be a number, not " +
           QuotedExcerpt(token));
    }
    return LeadingNumber(token);
  }

  short shortValue(const char* record, const char* what) {
    double v = value(record, what);
    if (v != std::trunc(v) || v < std::numeric_limits<short>::min() ||
        v > std::numeric_limits<short>::max()) {
      fail(std::string("the ") + what + " of a " + record + " must be a whole number of 16 bits");
    }
    return static_cast<short>(v);
  }

  Point3 point(const char* record) {
    Point3 q;
    q.X = value(record, "vertex X");
    q.Y = value(record, "vertex Y");
    q.Z = value(record, "vertex Z");
    return q;
  }

  // What is left of the current line after the separator that ends the last
  // value (blanks and at most one comma), blanks around removed.
  std::string restOfLine() {
    if (atEnd()) return {};
    const std::string& s = lines_[line_];
    size_t b = pos_;
    while (b < s.size() && IsBlank(s[b])) ++b;
    if (b < s.size() && s[b] == ',') ++b;
    return TrimBlanks(b < s.size() ? std::string_view(s).substr(b) : std::string_view());
  }

  void beginRecord() { recordLine_ = lineNumber(); }

  // The next field of the label block: a comma or a line end ends it, quotes
  // delimit a text. nullopt at the end of the file.
  std::optional<std::string> field() {
    for (;;) {
      if (atEnd()) return std::nullopt;
      const std::string& s = lines_[line_];
      while (pos_ < s.size() && IsBlank(s[pos_])) ++pos_;
      if (pos_ < s.size()) break;
      nextLine();
    }
    const std::string& s = lines_[line_];
    fieldLine_ = lineNumber();
    std::string text;
    if (s[pos_] == '"') {
      size_t close = s.find('"', pos_ + 1);
      if (close == std::string::npos) close = s.size();
      text = s.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close < s.size() ? close + 1 : close;
      while (pos_ < s.size() && IsBlank(s[pos_])) ++pos_;
      if (pos_ < s.size() && s[pos_] == ',') ++pos_;
    } else {
      size_t comma = s.find(',', pos_);
      size_t e = comma == std::string::npos ? s.size() : comma;
      text = TrimBlanks(std::string_view(s).substr(pos_, e - pos_));
      pos_ = comma == std::string::npos ? s.size() : comma + 1;
    }
    if (pos_ >= s.size()) nextLine();
    return text;
  }
  long fieldLine() const { return fieldLine_; }
  const std::string& name() const { return name_; }

 private:
  static bool startsWithWord(const std::string& s) {
    size_t b = 0;
    while (b < s.size() && IsSeparator(s[b])) ++b;
    if (b >= s.size()) return false;
    return !StartsNumber(s[b]);
  }

  std::string name_;
  std::vector<std::string> lines_;
  size_t line_ = 0;
  size_t pos_ = 0;
  long recordLine_ = 0;
  long fieldLine_ = 0;
};

template <class T>
T& NextEntity(EntityTable<T>& table, RayScanner& in, const char* what) {
  if (table.count() >= table.capacity()) {
    in.fail(std::string("too many ") + what + " (at most " + PlainInteger(table.capacity()) + ")");
  }
  return table.addEntity();
}

// A face has 3 or 4 vertices; an opening any number up to its capacity, as the
// room-acoustics import keeps it.
short VertexCount(RayScanner& in, const char* record, size_t least, size_t capacity) {
  short nv = in.shortValue(record, "vertex count");
  if (nv < static_cast<short>(least) || static_cast<size_t>(nv) > capacity) {
    in.fail(std::string("a ") + record + " has " + PlainInteger(nv) + " vertices (" +
            PlainInteger(static_cast<long long>(least)) + " to " +
            PlainInteger(static_cast<long long>(capacity)) + " allowed)");
  }
  return nv;
}

template <class O>
void ReadOpening(RayScanner& in, O& o, const char* record, long face) {
  if (face == 0) in.fail(std::string("a ") + record + " before any face");
  // The owner is stored in 16 bits.
  if (face > std::numeric_limits<short>::max()) {
    in.fail(std::string("a ") + record + " on face " + PlainInteger(face) +
            " (openings only on faces up to " + PlainInteger(std::numeric_limits<short>::max()) +
            ")");
  }
  o.Flag = in.shortValue(record, "flag");
  o.Material = in.shortValue(record, "material");
  o.Nv = VertexCount(in, record, 0, o.v.size());
  for (short k = 0; k < o.Nv; ++k) o.v[static_cast<size_t>(k)] = in.point(record);
  o.Face = static_cast<short>(face);
}

// The label block after the final "End": a label line, then (label, value) pairs.
void ReadTrailer(RayScanner& in, SectionLine& section, Project& p) {
  if (in.atEnd()) return;
  in.nextLine();  // the label line
  double* targets[6] = {&section.X1, &section.Y1, &section.Z1,
                        &section.X2, &section.Y2, &section.Z2};
  short* divisions[2] = {&p.NdivX, &p.NdivY};
  auto number = [&](bool whole) -> std::optional<double> {
    if (!in.field()) return std::nullopt;  // the label
    std::optional<std::string> v = in.field();
    if (!v) return std::nullopt;
    if (!IsNumber(*v)) {
      throw FormatError(
          in.name(), in.fieldLine(),
          "a value of the closing label block must be a number, not " + QuotedExcerpt(*v));
    }
    double x = LeadingNumber(*v);
    if (!whole) return x;
    // A count written with decimals is read into its integer, half to even.
    x = RoundHalfEven(x);
    if (x < std::numeric_limits<short>::min() || x > std::numeric_limits<short>::max()) {
      throw FormatError(in.name(), in.fieldLine(),
                        "a division count of the closing label block must lie between " +
                            PlainInteger(std::numeric_limits<short>::min()) + " and " +
                            PlainInteger(std::numeric_limits<short>::max()));
    }
    return x;
  };
  for (double* t : targets) {
    std::optional<double> x = number(false);
    if (!x) return;
    *t = *x;
  }
  for (short* t : divisions) {
    std::optional<double> x = number(true);
    if (!x) return;
    *t = static_cast<short>(*x);
  }
}

// A name as it can stand at the end of one line.
std::string OneLine(const std::string& name) {
  std::string out = name;
  for (char& ch : out)
    if (ch == '\r' || ch == '\n') ch = ' ';
  return out;
}

// Text of one face, hole or door line.
template <class S>
std::string ShapeLine(const char* keyword, const S& s, bool face) {
  std::string line = keyword;
  // The print form of a negative number has no blank in front; one is put
  // there so that a reader skipping the keyword up to its first blank keeps it.
  if (s.Flag < 0) line += ' ';
  line += PrintInteger(s.Flag);
  line += PrintInteger(s.Material);
  line += PrintInteger(s.Nv);
  if (face) line += "  ";
  for (short k = 0; k < s.Nv && static_cast<size_t>(k) < s.v.size(); ++k) {
    const Point3& q = s.v[static_cast<size_t>(k)];
    line += " " + PrintNumber(q.X) + " " + PrintNumber(q.Y) + " " + PrintNumber(q.Z);
  }
  return line + "\r\n";
}

std::string ReceiverLine(double x, double y, double z, double tx, double ty, double tz) {
  return " Receiver " + PrintNumber(x) + PrintNumber(y) + PrintNumber(z) + PrintNumber(tx) +
         PrintNumber(ty) + PrintNumber(tz) + "\r\n";
}

void RequireDivisions(short a, short b) {
  if (a < 1 || b < 1) throw RayWriteRefused(kRayDivisionsRefused);
}

void WriteReceivers(std::string& out, const Project& p, const Configuration& c,
                    const SectionLine& s, short recMode) {
  if (recMode == kRayReceivers) {
    for (long j = 1; j <= p.receivers.count(); ++j) {
      const Receiver& r = p.receivers[j];
      out += ReceiverLine(r.X, r.Y, r.Z, r.TgtX, r.TgtY, r.TgtZ);
    }
  } else if (recMode == kRayPunti) {
    for (long j = 1; j <= p.punti.count(); ++j) {
      const Punto& q = p.punti[j];
      out += ReceiverLine(q.X, q.Y, q.Z, q.X, q.Y, q.Z - c.Hrec);
    }
  } else if (s.Z1 != s.Z2) {
    for (long a = 0; a <= p.NdivO; ++a) {
      for (long b = 0; b <= p.NdivZ; ++b) {
        double x = s.X1 + static_cast<double>(a) * (s.X2 - s.X1) / p.NdivO;
        double y = s.Y1 + static_cast<double>(a) * (s.Y2 - s.Y1) / p.NdivO;
        double z = s.Z1 + static_cast<double>(b) * (s.Z2 - s.Z1) / p.NdivZ;
        if (std::fabs(z) < 0.1) z = 0.1;
        out += ReceiverLine(x, y, z, x, y, z - 1.5);
      }
    }
  } else {
    for (long a = 0; a <= p.NdivX; ++a) {
      for (long b = 0; b <= p.NdivY; ++b) {
        double x = s.X1 + static_cast<double>(a) * (s.X2 - s.X1) / p.NdivX;
        double y = s.Y1 + static_cast<double>(b) * (s.Y2 - s.Y1) / p.NdivY;
        out += ReceiverLine(x, y, s.Z1, x, y, s.Z1 - c.Hrec);
      }
    }
  }
}

// The point sources of one road or track: PassoSorgenti apart along the line,
// the spacing carried over each vertex, each aiming 1 m further along.
void WriteChain(std::string& out, const std::vector<LineVertex>& vertices, const Configuration& c,
                const std::string& spk, long& count) {
  const double step = c.PassoSorgenti;
  double carry = 0;
  for (size_t k = 0; k + 1 < vertices.size(); ++k) {
    const LineVertex& a = vertices[k];
    const LineVertex& b = vertices[k + 1];
    const double len = std::sqrt((b.X - a.X) * (b.X - a.X) + (b.Y - a.Y) * (b.Y - a.Y));
    if (!(len > 1) || !std::isfinite(len)) continue;
    long n = 0;
    double t = carry;
    while (t <= len) {
      const double f = t / len;
      const double g = (t + 1) / len;
      out += " Source " + PrintNumber(a.X + f * (b.X - a.X)) + PrintNumber(a.Y + f * (b.Y - a.Y)) +
             PrintNumber(a.Z + f * (b.Z - a.Z) + c.Hsorg) + PrintNumber(a.X + g * (b.X - a.X)) +
             PrintNumber(a.Y + g * (b.Y - a.Y)) + PrintNumber(a.Z + g * (b.Z - a.Z) + c.Hsorg) +
             PrintInteger(0) + spk + "\r\n";
      if (++count > kMaxRayChainSources) throw RayWriteRefused(kRayTooManySources);
      ++n;
      // Multiples of the step rather than repeated sums, so that long segments
      // do not drift.
      t = carry + static_cast<double>(n) * step;
    }
    carry = t - len;
  }
}

}  // namespace

bool ReadRay(const std::string& fileName, Project& p, SectionLine& section) {
  std::string upper;
  for (char ch : fileName) upper += Upper(ch);
  if (upper == "*.RAY" || upper == "*.*") return false;

  std::string content = ReadWholeFile(fileName);
  if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) content.erase(0, 3);

  // Read into fresh tables so that a bad file changes nothing.
  Project fresh;
  fresh.NdivX = p.NdivX;
  fresh.NdivY = p.NdivY;
  SectionLine freshSection = section;
  RayScanner in(fileName, SplitLines(content));
  bool inWall = false;
  while (!in.atEnd()) {
    const std::string tag = in.tag();
    in.beginRecord();
    if (tag == "FAC") {
      Face& f = NextEntity(fresh.faces, in, "faces");
      f.Flag = in.shortValue("face", "flag");
      f.Material = in.shortValue("face", "material");
      f.Nv = VertexCount(in, "face", 3, kMaxFaceVertices);
      for (short k = 0; k < f.Nv; ++k) {
        Point3 q = in.point("face");
        f.v[static_cast<size_t>(k)] = q;
        fresh.ExtendExtent(q.X, q.Y);
      }
      f.IsWall = inWall;
    } else if (tag == "HOL" || tag == "DOO") {
      const long face = fresh.faces.count();
      if (tag == "HOL")
        ReadOpening(in, NextEntity(fresh.holes, in, "holes"), "hole", face);
      else
        ReadOpening(in, NextEntity(fresh.doors, in, "doors"), "door", face);
      fresh.faces[face].HasOpenings = true;
    } else if (tag == "SOU" || tag == "SPE") {
      Source& s = NextEntity(fresh.sources, in, "sources");
      s.X = in.value("source", "X");
      s.Y = in.value("source", "Y");
      s.Z = in.value("source", "Z");
      s.TgtX = in.value("source", "aiming X");
      s.TgtY = in.value("source", "aiming Y");
      s.TgtZ = in.value("source", "aiming Z");
      s.Tgt4 = in.value("source", "fourth aiming value");
      s.Nome = in.restOfLine();
      fresh.ExtendExtent(s.X, s.Y);
    } else if (tag == "REC") {
      Receiver& r = NextEntity(fresh.receivers, in, "receivers");
      r.X = in.value("receiver", "X");
      r.Y = in.value("receiver", "Y");
      r.Z = in.value("receiver", "Z");
      r.TgtX = in.value("receiver", "aiming X");
      r.TgtY = in.value("receiver", "aiming Y");
      r.TgtZ = in.value("receiver", "aiming Z");
      fresh.ExtendExtent(r.X, r.Y);
    } else if (tag == "WAL") {
      inWall = true;
    } else if (tag == "END") {
      if (inWall) {
        inWall = false;
      } else {
        in.nextLine();
        ReadTrailer(in, freshSection, fresh);
        break;
      }
    }
    if (!in.atEnd()) in.nextLine();
  }

  p.faces = std::move(fresh.faces);
  p.holes = std::move(fresh.holes);
  p.doors = std::move(fresh.doors);
  p.sources = std::move(fresh.sources);
  p.receivers = std::move(fresh.receivers);
  p.extent = fresh.extent;
  p.NdivX = fresh.NdivX;
  p.NdivY = fresh.NdivY;
  section = freshSection;
  return true;
}

void CheckRayWritable(const Project& p, const Configuration& c, const SectionLine& section,
                      short recMode) {
  if (!(c.PassoSorgenti > 0) || !std::isfinite(c.PassoSorgenti))
    throw RayWriteRefused(kRaySpacingRefused);
  if (recMode == kRayReceivers || recMode == kRayPunti) return;
  if (section.Z1 != section.Z2)
    RequireDivisions(p.NdivO, p.NdivZ);
  else
    RequireDivisions(p.NdivX, p.NdivY);
}

void WriteRay(const std::string& fileName, const Project& p, const Configuration& c,
              const SectionLine& section, short recMode) {
  CheckRayWritable(p, c, section, recMode);

  std::string out = "EntityList\r\n";
  for (long k = 1; k <= p.faces.count(); ++k) {
    const Face& f = p.faces[k];
    if (f.IsWall) out += " Wall\r\n";
    out += ShapeLine(f.IsWall ? "  Face" : " Face", f, true);
    for (long h = 1; h <= p.holes.count(); ++h)
      if (p.holes[h].Face == k) out += ShapeLine("  Hole", p.holes[h], false);
    for (long d = 1; d <= p.doors.count(); ++d)
      if (p.doors[d].Face == k) out += ShapeLine("  Door", p.doors[d], false);
    if (f.IsWall) out += " End\r\n";
  }
  for (long i = 1; i <= p.sources.count(); ++i) {
    const Source& s = p.sources[i];
    out += " Source " + PrintNumber(s.X) + PrintNumber(s.Y) + PrintNumber(s.Z) +
           PrintNumber(s.TgtX) + PrintNumber(s.TgtY) + PrintNumber(s.TgtZ) + PrintNumber(s.Tgt4) +
           OneLine(s.Nome) + "\r\n";
  }
  WriteReceivers(out, p, c, section, recMode);
  long count = 0;
  for (long i = 1; i <= p.strade.count(); ++i)
    WriteChain(out, p.strade[i].vertices, c, SpkFileName(fileName, kSpkRoadPrefix, i), count);
  for (long i = 1; i <= p.binari.count(); ++i)
    WriteChain(out, p.binari[i].vertices, c, SpkFileName(fileName, kSpkTrackPrefix, i), count);
  out += "End\r\n";
  WriteFileAtomically(fileName, out);
}

}  // namespace sonvale
