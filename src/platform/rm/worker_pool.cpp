#include "platform/rm/worker_pool.h"

namespace platform::rm {

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
    pending_ = parts - 1;
    ++generation_;
  }
  wake_.notify_all();
  job(context, 0);
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return pending_ == 0; });
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
    job(context, part);
    lock.lock();
    if (--pending_ == 0) done_.notify_one();
  }
}

}  // namespace platform::rm
