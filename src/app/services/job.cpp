#include "app/services/job.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct JobHandle::State {
  std::atomic<bool> stopRequested{false};
  std::mutex mutex;
  std::condition_variable finishedChanged;
  bool finished = false;
};

namespace {
// The state of the job running on this thread (null elsewhere).
thread_local JobHandle::State* currentJob = nullptr;
}  // namespace

void JobHandle::RequestStop() const {
  if (state_) state_->stopRequested.store(true);
}

bool JobHandle::StopRequested() const {
  return state_ && state_->stopRequested.load();
}

bool JobHandle::Finished() const {
  if (!state_) return true;
  std::lock_guard lock(state_->mutex);
  return state_->finished;
}

bool JobHandle::WaitFinished(int timeoutMs) const {
  if (!state_) return true;
  std::unique_lock lock(state_->mutex);
  if (timeoutMs < 0) {
    state_->finishedChanged.wait(lock, [&] { return state_->finished; });
    return true;
  }
  return state_->finishedChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                          [&] { return state_->finished; });
}

JobHandle StartJob(std::function<void()> procedure) {
  auto state = std::make_shared<JobHandle::State>();
  std::thread([state, procedure = std::move(procedure)] {
    currentJob = state.get();
    procedure();
    currentJob = nullptr;
    {
      std::lock_guard lock(state->mutex);
      state->finished = true;
    }
    state->finishedChanged.notify_all();
  }).detach();
  return JobHandle(std::move(state));
}

bool StopRequested() {
  return currentJob && currentJob->stopRequested.load();
}
