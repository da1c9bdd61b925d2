#include "platform/rm/worker_pool.h"

#include <time.h>

#include <algorithm>

namespace platform::rm {
namespace {

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

WorkerPool& WorkerPool::Shared() {
  static WorkerPool pool;
  return pool;
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void WorkerPool::Run(int parts, Job job, void* context) {
  if (parts <= 1) {
    job(context, 0);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    while (static_cast<int>(threads_.size()) < parts - 1) {
      const int part = static_cast<int>(threads_.size()) + 1;
      threads_.emplace_back([this, part] { Serve(part); });
    }
    job_ = job;
    context_ = context;
    parts_ = parts;
    partMs_.assign(static_cast<std::size_t>(parts), 0.0);
    pending_ = parts - 1;
    ++generation_;
  }
  wake_.notify_all();
  const double start = ThreadCpuMs();
  job(context, 0);
  const double own = ThreadCpuMs() - start;
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return pending_ == 0; });
  callerWouldWaitMs_ += std::max(0.0, *std::max_element(partMs_.begin(), partMs_.end()) - own);
}

void WorkerPool::Serve(int part) {
  std::unique_lock<std::mutex> lock(mutex_);
  // A thread started for a job joins it at once.
  std::uint64_t seen = generation_ - 1;
  for (;;) {
    wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
    if (stopping_) return;
    seen = generation_;
    if (part >= parts_) continue;
    const Job job = job_;
    void* const context = context_;
    lock.unlock();
    const double start = ThreadCpuMs();
    job(context, part);
    const double ms = ThreadCpuMs() - start;
    lock.lock();
    partMs_[static_cast<std::size_t>(part)] = ms;
    if (--pending_ == 0) done_.notify_one();
  }
}

}  // namespace platform::rm
