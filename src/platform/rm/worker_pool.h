#pragma once
// A few threads started once and kept, to which a caller hands the parts of
// one job and waits for them all: part 0 runs on the caller, part k on the
// pool's thread k, always the same one, so who does what is fixed.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/rm/thread_placement.h"

namespace platform::rm {

class WorkerPool {
 public:
  using Job = void (*)(void* context, int part);

  // The pool the renderers share (one picture is drawn at a time); it grows
  // to as many threads as a job has had parts, less one, and ends with the
  // program.
  static WorkerPool& Shared();

  WorkerPool() = default;
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;
  ~WorkerPool();

  // Runs job(context, k) for every part k in 0..parts-1 and returns when
  // all are done, and a job begun with Start with them: its thread takes
  // its part of this one when it is through, so the caller does not wait
  // for it before starting (the parts should share the work as they come
  // free, not by a fixed split).
  void Run(int parts, Job job, void* context);
  // Starts job(context, 1) on the pool's first thread and returns at once,
  // for the caller to do something else meanwhile; Wait (or a Run) waits
  // for it. No other Start may come in between.
  void Start(Job job, void* context);
  void Wait();
  // A job will come soon: if the last was done only just before, threads
  // asleep wake now and wait for it without sleeping (where they may, see
  // spin_), so that it does not wait for their wake-up, which takes tens
  // of microseconds on a virtual machine. Only then are the threads kept
  // apart from the caller (see ThreadPlacement).
  void Expect();
  // No job under way: a Start's is done.
  bool Idle();

  // For benchmarks on a machine shared with other work, where the wall
  // clock measures the neighbours: the CPU time by which the longest part
  // of each job outlasted the caller's own, summed over every job so far;
  // added to the caller's CPU time, about the time on cores of its own.
  double CallerWouldWaitMs() const { return callerWouldWaitMs_; }

 private:
  // Takes its part of every job after generation `seen`: a thread started
  // for a job joins it, even when it first runs after a later one came.
  void Serve(int part, std::uint64_t seen);
  void Launch(int parts, Job job, void* context);  // with the lock held

  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::vector<std::thread> threads_;
  ThreadPlacement placement_;
  // At most two jobs are under way (one Start, one Run), so a thread that
  // has not yet taken its part of one finds it in the latest two.
  struct Posted {
    Job job = nullptr;
    void* context = nullptr;
    int parts = 0;
  };
  Posted posted_[2];  // by the parity of the generation
  // Written with the mutex held; read without it too, while waiting
  // without sleeping (see SpinUntil).
  std::atomic<int> pending_ = 0;               // parts not done, of every job under way
  std::atomic<std::uint64_t> generation_ = 0;  // of the latest job
  std::vector<double> partMs_;                 // CPU time of each thread's parts of the jobs under way
  double callerWouldWaitMs_ = 0;
  double startedAtMs_ = 0;  // the caller's CPU time when it started the first job under way
  std::atomic<bool> stopping_ = false;
  // The pool's threads and the caller have a core each, so that they may
  // wait without sleeping; and no caller has spun in vain lately (see Wait).
  std::atomic<bool> spin_ = false;
  static constexpr int kSleepyJobs = 32, kFirstPenalty = 2;
  int sleepyJobs_ = 0;                                // one more than the jobs still to come without spinning
  int sleepyPenalty_ = kFirstPenalty;                 // sleepyJobs_ after the next spin in vain
  int spunInTime_ = 0;                                // waits spun through in time since then, up to kSleepyJobs
  int asleep_ = 0;                                    // threads waiting on wake_
  std::chrono::steady_clock::time_point lastDone_;    // when the last job under way was done
  std::atomic<std::uint64_t> expected_ = 0;           // calls of Expect that found the threads free to spin
  bool close_ = false;                                // the last Expect came just after a job was done
  std::chrono::steady_clock::time_point expectedAt_;  // when it came
};

}  // namespace platform::rm
