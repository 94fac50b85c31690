#include "propagation/node_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <stdexcept>
#include <thread>

namespace sonvale {
namespace {

// A node whose value takes a while and depends only on its number.
double SlowNode(long k) {
  double v = 0;
  for (int i = 1; i <= 2000 + static_cast<int>(k % 7) * 500; ++i) v += std::sin(k * 0.001 * i);
  return v;
}

TEST(NodePoolTest, NodesComeInOrderWithTheSingleThreadValues) {
  const long n = 300;
  std::vector<double> single;
  for (long k = 0; k < n; ++k) single.push_back(SlowNode(k));
  for (int threads : {1, 2, 3, 8}) {
    std::atomic<long> calls{0};
    std::atomic<bool> offCaller{false};
    const std::thread::id caller = std::this_thread::get_id();
    NodePool pool(n, threads, [&](long k) {
      ++calls;
      if (std::this_thread::get_id() != caller) offCaller = true;
      return SlowNode(k);
    });
    for (long k = 0; k < n; ++k) ASSERT_EQ(pool.take(k), single[static_cast<size_t>(k)]);
    EXPECT_EQ(calls.load(), n) << threads << " threads: every node computed once";
    EXPECT_EQ(offCaller.load(), threads > 1) << threads << " threads";
  }
}

TEST(NodePoolTest, StoppingEarlyWastesLittleAndErrorsReachTheCaller) {
  // The consumer stops after node 9, as a map does when the user presses Stop:
  // the values it took are the single run's, and the workers stop soon after.
  std::atomic<long> calls{0};
  {
    NodePool pool(100000, 2, [&](long k) {
      ++calls;
      return SlowNode(k);
    });
    for (long k = 0; k < 10; ++k) EXPECT_EQ(pool.take(k), SlowNode(k));
  }
  EXPECT_LT(calls.load(), 100);

  // An exception thrown for node 5 comes out of take(5), not earlier.
  for (int threads : {1, 2}) {
    NodePool pool(20, threads, [](long k) -> double {
      if (k == 5) throw std::runtime_error("node 5 failed");
      return static_cast<double>(k);
    });
    for (long k = 0; k < 5; ++k) EXPECT_EQ(pool.take(k), static_cast<double>(k));
    EXPECT_THROW(pool.take(5), std::runtime_error);
  }

  // Out of order is a programming error, reported rather than hanging.
  NodePool pool(10, 2, [](long k) { return static_cast<double>(k); });
  EXPECT_THROW(pool.take(1), std::logic_error);
  EXPECT_EQ(pool.take(0), 0.0);
  EXPECT_GE(DefaultThreadCount(), 1);
}

}  // namespace
}  // namespace sonvale
