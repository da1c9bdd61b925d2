#pragma once
// A few threads started once and kept, to which a caller hands the parts of
// one job and waits for them all: part 0 runs on the caller, part k on the
// pool's thread k, always the same one, so who does what is fixed.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

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

  // Runs job(context, k) for every part k in 0..parts-1 and returns when all are done.
  void Run(int parts, Job job, void* context);
  // Starts job(context, 1) on the pool's first thread and returns at once,
  // for the caller to do something else meanwhile; Wait waits for it. No
  // other job may start in between.
  void Start(Job job, void* context);
  void Wait();

  // For benchmarks on a machine shared with other work, where the wall
  // clock measures the neighbours: the CPU time by which the longest part
  // of each job outlasted the caller's own, summed over every job so far;
  // added to the caller's CPU time, about the time on cores of its own.
  double CallerWouldWaitMs() const { return callerWouldWaitMs_; }

 private:
  void Serve(int part);
  void Launch(int parts, Job job, void* context);  // with the lock held

  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::vector<std::thread> threads_;
  Job job_ = nullptr;
  void* context_ = nullptr;
  int parts_ = 0, pending_ = 0;
  std::uint64_t generation_ = 0;  // of the job under way
  std::vector<double> partMs_;    // CPU time of each part of the job under way
  double callerWouldWaitMs_ = 0;
  double startedAtMs_ = 0;  // the caller's CPU time when it started the job under way
  bool stopping_ = false;
};

}  // namespace platform::rm
