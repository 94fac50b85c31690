// The Insert and Replace merge modes of the drawing imports, as moves of whole
// rows of an entity table: the rows a reading appended are brought to the
// position the user asked for, and a replacement reading is confined to the
// rows it replaces.
#pragma once

#include <string>
#include <utility>

#include "model/entity_table.h"

namespace sonvale {

// The range a number typed into the Insert or Replace box must lie in; a value
// outside it is refused before anything is read.
struct RowNumberRange {
  long first = 1, last = 0;
  bool contains(long n) const { return n >= first && n <= last; }
};

// Insert accepts a position among the rows present or just after the last one.
inline RowNumberRange InsertRange(long countBefore) { return {1, countBefore + 1}; }
// Replace needs at least one row present to start from.
inline RowNumberRange ReplaceRange(long countBefore) { return {1, countBefore}; }

// The number typed into an Insert or Replace box: plain conversion, rounded to
// a whole row number (an empty or non-numeric answer gives 0).
long RowNumberFromText(const std::string& text);

// Moves rows oldCount+1..count (just read) to rows at..at+K-1 and rows
// at..oldCount to at+K..count, every field of every row going with it. The move
// is a rotation inside the counted rows, so it needs no room past the count.
template <class T>
void InsertReadRows(EntityTable<T>& table, long oldCount, long at) {
  const long count = table.count();
  if (at < 1 || at > oldCount || oldCount >= count) return;
  auto reverse = [&table](long lo, long hi) {
    for (; lo < hi; ++lo, --hi) std::swap(table[lo], table[hi]);
  };
  reverse(at, oldCount);
  reverse(oldCount + 1, count);
  reverse(at, count);
}

}  // namespace sonvale
