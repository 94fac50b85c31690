#include "propagation/node_pool.h"

#include <algorithm>
#include <stdexcept>

namespace sonvale {

int DefaultThreadCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

template <class Value>
BasicNodePool<Value>::BasicNodePool(long count, int threads, Compute compute)
    : count_(count), compute_(std::move(compute)) {
  if (threads <= 1 || count <= 1) return;
  // Enough look-ahead that no worker waits for a slow consumer, or for a
  // worker held up by one slow node (nodes near a dense centre cost several
  // times the others), little enough that a stop wastes only a moment of work.
  window_ = std::max<long>(64, 32L * threads);
  slots_.resize(static_cast<size_t>(window_));
  workers_.reserve(static_cast<size_t>(threads));
  for (int t = 0; t < threads; ++t) workers_.emplace_back([this] { work(); });
}

template <class Value>
BasicNodePool<Value>::~BasicNodePool() {
  stop();
  for (std::thread& w : workers_) w.join();
}

template <class Value>
void BasicNodePool<Value>::stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  stopping_ = true;
  spaceCv_.notify_all();
}

template <class Value>
void BasicNodePool<Value>::work() {
  for (;;) {
    long k;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      spaceCv_.wait(lock, [&] { return stopping_ || next_ >= count_ || next_ < taken_ + window_; });
      if (stopping_ || next_ >= count_) return;
      k = next_++;
    }
    Slot result;
    try {
      result.value = compute_(k);
    } catch (...) {
      result.error = std::current_exception();
    }
    result.ready = true;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      slots_[static_cast<size_t>(k % window_)] = std::move(result);
    }
    // Only the consumer waits for results.
    readyCv_.notify_one();
  }
}

template <class Value>
Value BasicNodePool<Value>::take(long k) {
  if (k != taken_ || k >= count_) throw std::logic_error("NodePool: nodes taken out of order");
  if (workers_.empty()) {
    ++taken_;
    return compute_(k);
  }
  Slot result;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (stopping_) throw std::logic_error("NodePool: node taken after stop");
    Slot& slot = slots_[static_cast<size_t>(k % window_)];
    readyCv_.wait(lock, [&] { return slot.ready; });
    result = std::move(slot);
    slot = Slot{};
    ++taken_;
  }
  spaceCv_.notify_all();
  if (result.error) std::rethrow_exception(result.error);
  return result.value;
}

template class BasicNodePool<double>;
template class BasicNodePool<std::array<double, 2>>;

}  // namespace sonvale
