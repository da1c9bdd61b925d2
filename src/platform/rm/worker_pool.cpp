#include "platform/rm/worker_pool.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::rm {
namespace {

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// How long a thread waits without sleeping: for a while, and once a job is
// expected (WorkerPool::Expect) for as long as a large picture's faces may
// take to set up before it comes (a 1080p turn's: 0.1-0.2 ms).
constexpr auto kSpin = std::chrono::microseconds(200);
constexpr auto kExpectedSpin = std::chrono::microseconds(1000);

// Waits without sleeping, for `limit`, until `ready()`; false if it never
// was. A thread put to sleep takes a long time to wake on a virtual
// machine whose idle core the host has parked (measured here: an 800x600
// frame on two threads took 1.16 ms of wall clock for 0.70 ms of work, with
// three hand-overs a frame), while the parts of one picture follow each
// other within a fraction of a millisecond. Only where every thread has a
// core (see spin_): threads spinning on a core another thread needs kept it
// from working (eight threads on two cores: 1.3 -> 3.3 ms).
template <class Ready>
bool SpinUntil(Ready ready, std::chrono::microseconds limit = kSpin) {
  const auto until = std::chrono::steady_clock::now() + limit;
  for (unsigned i = 1;; ++i) {
    if (ready()) return true;
#if defined(__SSE2__)
    _mm_pause();
#endif
    if (i % 64 == 0 && std::chrono::steady_clock::now() > until) return false;
  }
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
    threads_.emplace_back([this, part, seen = generation_.load()] { Serve(part, seen); });
  }
  placement_.KeepApart(threads_, close_);
  if (pending_ == 0) {
    partMs_.assign(static_cast<std::size_t>(parts), 0.0);
    startedAtMs_ = ThreadCpuMs();
  } else if (partMs_.size() < static_cast<std::size_t>(parts)) {
    partMs_.resize(static_cast<std::size_t>(parts), 0.0);
  }
  // Read without the lock by the threads deciding whether to spin: a
  // stale value only makes one wait sleep or spin.
  if (sleepyJobs_ > 0) --sleepyJobs_;
  // (The cores are counted once: glibc reads them from a file every time,
  // which took 2.4 us here, under the lock, at every hand-over.)
  static const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  spin_ = sleepyJobs_ == 0 && threads_.size() < cores;
  pending_ += parts - 1;
  ++generation_;
  posted_[generation_ & 1] = {job, context, parts};
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
  // The caller's spin counts as its own time: on cores of their own, it
  // would have waited as long. It spins for up to half as long as its own
  // part took (at least kSpin): the parts are sized to take alike, and on a
  // virtual machine they often end a fifth of that apart (a 1080p turn's,
  // of about 1 ms each).
  const double halfUs = (ThreadCpuMs() - startedAtMs_) * 500;
  const auto limit = std::chrono::microseconds(static_cast<std::int64_t>(
      std::clamp(halfUs, static_cast<double>(kSpin.count()), static_cast<double>(kExpectedSpin.count()))));
  const bool spunInVain = spin_ && !SpinUntil([this] { return pending_.load(std::memory_order_acquire) == 0; }, limit);
  const double own = ThreadCpuMs() - startedAtMs_;
  std::unique_lock<std::mutex> lock(mutex_);
  // A part still not done after the spin mostly had no core to run on: the
  // machine is busy with other work, from which spinning only takes cores
  // (an 800x600 frame on two threads beside a test suite: 1.2 ms sleeping,
  // 2.5 ms spinning). Nobody spins for a while: for the next job only
  // after a first spin in vain (a virtual machine's core taken away for a
  // moment: once in 70 jobs of a 1080p turn here, which then slept through
  // up to half its jobs when each cost 31), and for 3, 7, 15 and at most
  // 31 after each that follows before kSleepyJobs waits have spun in time
  // (or found the parts done): a busy machine soon gets there. One whose
  // spins mostly end in time, even beside other work, keeps spinning.
  if (spunInVain) {
    sleepyJobs_ = sleepyPenalty_;
    sleepyPenalty_ = std::min(2 * sleepyPenalty_, kSleepyJobs);
    spunInTime_ = 0;
    spin_ = false;
  } else if (spin_ && ++spunInTime_ >= kSleepyJobs) {
    sleepyPenalty_ = kFirstPenalty;
    spunInTime_ = 0;
  }
  done_.wait(lock, [this] { return pending_ == 0; });
  lastDone_ = std::chrono::steady_clock::now();
  // Expect's verdict holds for the picture it announced: a job done long
  // after it (from a caller that announces none) lets the threads go.
  constexpr auto kPictureLasts = std::chrono::milliseconds(100);
  if (lastDone_ - expectedAt_ > kPictureLasts) close_ = false;
  if (!partMs_.empty()) callerWouldWaitMs_ += std::max(0.0, *std::max_element(partMs_.begin(), partMs_.end()) - own);
  partMs_.clear();
}

void WorkerPool::Expect() {
  bool asleep = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // Only for pictures that follow each other closely (a timed demo, a
    // machine catching up): between paced ones the wake-up is lost in the
    // wait for the next, and the threads would only spin for nothing.
    constexpr auto kClose = std::chrono::milliseconds(2);
    expectedAt_ = std::chrono::steady_clock::now();
    close_ = expectedAt_ - lastDone_ <= kClose;
    if (!spin_ || threads_.empty() || !close_) return;
    ++expected_;
    asleep = asleep_ > 0;
  }
  if (asleep) wake_.notify_all();
}

bool WorkerPool::Idle() {
  std::lock_guard<std::mutex> lock(mutex_);
  return pending_ == 0;
}

void WorkerPool::Serve(int part, std::uint64_t seen) {
  using Clock = std::chrono::steady_clock;
  std::unique_lock<std::mutex> lock(mutex_);
  std::uint64_t expected = expected_;
  Clock::time_point expectedUntil{};
  for (;;) {
    // The next job is awaited without sleeping for a while, and after an
    // Expect for longer, whatever jobs come in between (a Start's clear).
    while (spin_ && generation_ == seen && !stopping_) {
      const auto left = std::chrono::duration_cast<std::chrono::microseconds>(expectedUntil - Clock::now());
      lock.unlock();
      SpinUntil(
          [&] {
            return generation_.load(std::memory_order_acquire) != seen || stopping_ ||
                   expected_.load(std::memory_order_relaxed) != expected;
          },
          std::max(kSpin, left));
      lock.lock();
      if (expected_ == expected) break;
      expected = expected_;
      expectedUntil = Clock::now() + kExpectedSpin;
    }
    while (!stopping_ && generation_ == seen && expected_ == expected) {
      ++asleep_;
      wake_.wait(lock);
      --asleep_;
    }
    if (stopping_) return;
    if (generation_ == seen) {  // woken by Expect
      expected = expected_;
      expectedUntil = Clock::now() + kExpectedSpin;
      continue;
    }
    // Every job in turn: a Run may have come while this thread still had
    // a Start's part to take. Older jobs than the latest two are done.
    if (generation_ - seen > 2) seen = generation_ - 2;
    ++seen;
    const Posted posted = posted_[seen & 1];
    if (part >= posted.parts) continue;
    lock.unlock();
    const double start = ThreadCpuMs();
    posted.job(posted.context, part);
    const double ms = ThreadCpuMs() - start;
    lock.lock();
    partMs_[static_cast<std::size_t>(part)] += ms;
    if (--pending_ == 0) done_.notify_one();
  }
}

}  // namespace platform::rm
