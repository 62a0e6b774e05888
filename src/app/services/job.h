#pragma once

// Background jobs: a procedure without arguments started on a new thread.
//
// A job is never killed. Its handle carries a stop request that the job checks
// between its steps (StopRequested()) and that the request engine checks
// during a transfer, so a stopped job returns promptly and ends without effect.

#include <functional>
#include <memory>

class JobHandle {
 public:
  JobHandle() = default;

  // Asks the job to stop. Safe from any thread, any number of times.
  void RequestStop() const;
  bool StopRequested() const;
  // True once the procedure has returned.
  bool Finished() const;
  // Waits until the procedure has returned (tests and benchmarks only: the
  // window thread never waits for a job). Returns false on time-out.
  bool WaitFinished(int timeoutMs = -1) const;
  bool Valid() const { return state_ != nullptr; }

 private:
  friend JobHandle StartJob(std::function<void()> procedure);
  friend bool StopRequested();

 public:
  struct State;  // shared between the handle and the job's thread

 private:
  explicit JobHandle(std::shared_ptr<State> state) : state_(std::move(state)) {}
  std::shared_ptr<State> state_;
};

// Starts `procedure` on a new detached thread. Keep the handle to be able to
// ask the job to stop; dropping it leaves the job running untracked.
JobHandle StartJob(std::function<void()> procedure);

// Whether the job running on the calling thread has been asked to stop
// (false on a thread that is not a job, such as the window thread).
bool StopRequested();
