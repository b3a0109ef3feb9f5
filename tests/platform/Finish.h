#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace platform::testing {

// Waits for a call running on another thread (a std::async task) and returns
// its result. The real-time limit only turns a hang in the code under test
// into a failure: once it passes, the test fails and `release` is called to
// unblock the thread (say, by advancing the manual clock a long way), so the
// test ends instead of hanging. It is never what a passing test waits for.
template <typename T, typename Release>
T Finish(std::future<T>& call, Release release) {
  if (call.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "a background call did not return";
    release();
  }
  return call.get();
}

}  // namespace platform::testing
