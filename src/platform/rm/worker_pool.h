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

 private:
  void Serve(int part);

  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::vector<std::thread> threads_;
  Job job_ = nullptr;
  void* context_ = nullptr;
  int parts_ = 0, pending_ = 0;
  std::uint64_t generation_ = 0;  // of the job under way
  bool stopping_ = false;
};

}  // namespace platform::rm
