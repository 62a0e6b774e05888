#include "app/services/job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST(Job, RunsOnAnotherThreadAndSeesItsStopRequest) {
  std::atomic<bool> sawStop{false};
  std::atomic<bool> started{false};
  const auto caller = std::this_thread::get_id();
  std::thread::id jobThread;
  JobHandle job = StartJob([&] {
    jobThread = std::this_thread::get_id();
    started = true;
    while (!StopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sawStop = true;
  });
  while (!started) std::this_thread::yield();
  EXPECT_FALSE(job.Finished());
  job.RequestStop();
  ASSERT_TRUE(job.WaitFinished(5000));
  EXPECT_TRUE(sawStop);
  EXPECT_NE(jobThread, caller);
  EXPECT_FALSE(StopRequested()) << "the calling thread is no job";
}

TEST(Job, StopRequestsAreIndependent) {
  std::atomic<bool> release{false};
  JobHandle a = StartJob([&] {
    while (!release) std::this_thread::yield();
  });
  JobHandle b = StartJob([&] {
    while (!release) std::this_thread::yield();
  });
  a.RequestStop();
  EXPECT_TRUE(a.StopRequested());
  EXPECT_FALSE(b.StopRequested());
  release = true;
  EXPECT_TRUE(a.WaitFinished(5000));
  EXPECT_TRUE(b.WaitFinished(5000));
  EXPECT_FALSE(JobHandle().Valid());
}

}  // namespace
