#include "view/source_symbol.h"

namespace sonvale {
namespace {

void AppendCode(std::string& s, long code) {
  // Codes past two UTF-8 bytes need source numbers far beyond the table's
  // capacity; they are shown as "?" rather than as a broken character.
  if (code < 0 || code > 0x7FF) {
    s += '?';
  } else if (code < 0x80) {
    s += static_cast<char>(code);
  } else {
    s += static_cast<char>(0xC0 | (code >> 6));
    s += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string SourceLabel(long n) {
  std::string s;
  if (n <= 25) {
    AppendCode(s, 64 + n);
  } else {
    AppendCode(s, 64 + n / 25);
    AppendCode(s, 64 + n % 25);
  }
  return s;
}

void DrawSource(const Project& p, long n, Canvas& canvas) {
  if (n < 1 || n > p.sources.count()) return;
  const Source& s = p.sources[n];
  canvas.setColour(QBColor(1));
  canvas.circle(s.X, s.Y, canvas.scaleWidth() / 200);
  std::string label = SourceLabel(n);
  canvas.text(s.X - canvas.textWidth(label) / 2.5,
              s.Y - canvas.scaleHeight() / 100 + canvas.textHeight(label), label);
}

}  // namespace sonvale
