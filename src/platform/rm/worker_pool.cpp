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

void WorkerPool::Launch(int parts, Job job, void* context) {
  while (static_cast<int>(threads_.size()) < parts - 1) {
    const int part = static_cast<int>(threads_.size()) + 1;
    threads_.emplace_back([this, part] { Serve(part); });
  }
  job_ = job;
  context_ = context;
  parts_ = parts;
  pending_ = parts - 1;
  partMs_.assign(static_cast<std::size_t>(parts), 0.0);
  ++generation_;
  startedAtMs_ = ThreadCpuMs();
}

void WorkerPool::Run(int parts, Job job, void* context) {
  if (parts <= 1) {
    job(context, 0);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Launch(parts, job, context);
  }
  wake_.notify_all();
  job(context, 0);
  Wait();
}

void WorkerPool::Start(Job job, void* context) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Launch(2, job, context);
  }
  wake_.notify_all();
}

void WorkerPool::Wait() {
  const double own = ThreadCpuMs() - startedAtMs_;
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return pending_ == 0; });
  if (!partMs_.empty()) callerWouldWaitMs_ += std::max(0.0, *std::max_element(partMs_.begin(), partMs_.end()) - own);
  partMs_.clear();
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
