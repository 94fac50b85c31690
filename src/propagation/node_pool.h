// Worker threads that compute the nodes of a pass (grid nodes or receiver
// points) ahead of the calling thread, which takes the results strictly in node
// order and keeps doing everything else: writing the file, painting, progress,
// the stop test. Because the caller consumes in order, a stop after node k
// leaves exactly what a single-threaded run stopped after node k leaves; the
// few nodes computed ahead are simply dropped.
#pragma once

#include <array>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace sonvale {

// All cores of the machine (at least 1).
int DefaultThreadCount();

// Value: what a node gives (a level's energy, or a day and a night).
template <class Value>
class BasicNodePool {
 public:
  using Compute = std::function<Value(long node)>;

  // Nodes 0 .. count-1. With threads <= 1 no thread is started and take()
  // computes each node itself. compute must be safe to call concurrently.
  BasicNodePool(long count, int threads, Compute compute);
  ~BasicNodePool();
  BasicNodePool(const BasicNodePool&) = delete;
  BasicNodePool& operator=(const BasicNodePool&) = delete;

  // The value of node k; nodes must be taken in order 0, 1, 2, ... An exception
  // thrown by compute for node k is thrown here.
  Value take(long k);
  // Stops handing out nodes; the workers finish the node they hold and end.
  void stop();

  int threads() const { return static_cast<int>(workers_.size()); }

 private:
  struct Slot {
    Value value{};
    std::exception_ptr error;
    bool ready = false;
  };
  void work();

  long count_;
  Compute compute_;
  long window_ = 0;
  std::vector<Slot> slots_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable readyCv_;  // a node became ready
  std::condition_variable spaceCv_;  // a node was taken, or stop
  long next_ = 0;                    // next node to hand out
  long taken_ = 0;                   // nodes taken so far
  bool stopping_ = false;
};

using NodePool = BasicNodePool<double>;
using DayNightPool = BasicNodePool<std::array<double, 2>>;
extern template class BasicNodePool<double>;
extern template class BasicNodePool<std::array<double, 2>>;

}  // namespace sonvale
