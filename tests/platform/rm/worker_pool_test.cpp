#include "platform/rm/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>

namespace platform::rm {
namespace {

struct Counts {
  std::atomic<int> parts[8] = {};
};

void Count(void* context, int part) { ++static_cast<Counts*>(context)->parts[part]; }

// Every part of every job runs once, however the jobs come: one after
// another, after an Expect (which wakes or keeps the threads spinning), a
// Start overlapping the next Run, and with more threads than most machines
// have cores (they then sleep). The pool then ends at once, its threads
// spinning or asleep.
TEST(WorkerPool, RunsEveryPartOnceAndEndsWhateverTheThreadsAreDoing) {
  for (int parts : {2, 8}) {
    Counts counts;
    {
      WorkerPool pool;
      for (int job = 0; job < 20; ++job) {
        pool.Run(parts, &Count, &counts);
        pool.Expect();
        if (job % 3 == 0) pool.Start(&Count, &counts);
        pool.Run(parts, &Count, &counts);
      }
      pool.Expect();
    }
    EXPECT_EQ(counts.parts[0], 40) << parts << " parts";
    EXPECT_EQ(counts.parts[1], 40 + 7) << parts << " parts";
    for (int k = 2; k < parts; ++k) EXPECT_EQ(counts.parts[k], 40) << parts << " parts, part " << k;
  }
}

}  // namespace
}  // namespace platform::rm
