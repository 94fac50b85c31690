// A fixed-capacity table of entities numbered from 1. Slots grow on demand; a
// slot above the count keeps what it last held, so raising the count again
// brings earlier entities back.
#pragma once

#include <string>
#include <vector>

#include "text/file_error.h"

namespace sonvale {

template <class T>
class EntityTable {
 public:
  EntityTable(const char* name, long capacity) : name_(name), capacity_(capacity), slots_(1) {}

  long count() const { return count_; }
  long capacity() const { return capacity_; }
  bool empty() const { return count_ == 0; }
  const char* name() const { return name_; }

  // Entity n, 1 <= n <= count (slots up to the capacity are reachable for the
  // callers that work on rows just above the count).
  T& operator[](long n) {
    ensureSlot(n);
    return slots_[static_cast<size_t>(n)];
  }
  const T& operator[](long n) const {
    if (n < 0 || n >= static_cast<long>(slots_.size())) return blank_;
    return slots_[static_cast<size_t>(n)];
  }

  // Adds one entity with cleared fields and returns its number; refuses to
  // grow past the capacity.
  long add() {
    if (count_ >= capacity_) {
      throw CapacityError("too many entities in table " + std::string(name_) + " (at most " +
                          std::to_string(capacity_) + ")");
    }
    ++count_;
    (*this)[count_] = T{};
    return count_;
  }
  T& addEntity() { return (*this)[add()]; }

  // Sets the count; slots keep their contents.
  void setCount(long n) {
    if (n < 0) n = 0;
    if (n > capacity_) {
      throw CapacityError("too many entities in table " + std::string(name_) + " (at most " +
                          std::to_string(capacity_) + ")");
    }
    if (n > 0) ensureSlot(n);
    count_ = n;
  }

  // Removes entity n, moving the following ones down by one slot.
  void remove(long n) {
    if (n < 1 || n > count_) return;
    for (long j = n; j < count_; ++j) slots_[j] = std::move(slots_[j + 1]);
    slots_[count_] = T{};
    --count_;
  }

 private:
  void ensureSlot(long n) {
    if (n < 0 || n > capacity_) {
      throw CapacityError("entity " + std::to_string(n) + " outside table " + std::string(name_));
    }
    if (static_cast<size_t>(n) >= slots_.size()) slots_.resize(static_cast<size_t>(n) + 1);
  }

  const char* name_;
  long capacity_;
  long count_ = 0;
  std::vector<T> slots_;  // slot 0 exists and never holds an entity
  T blank_{};
};

// Appends a vertex to a vertex list, refusing to grow past capacity.
template <class V>
void AddVertex(std::vector<V>& list, const V& v, size_t capacity, const char* what) {
  if (list.size() >= capacity) {
    throw CapacityError(std::string("too many vertices in one ") + what + " (at most " +
                        std::to_string(capacity) + ")");
  }
  list.push_back(v);
}

}  // namespace sonvale
