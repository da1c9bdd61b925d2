#include "platform/rm/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>
#if defined(__linux__)
#include <sched.h>
#endif

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

#if defined(__linux__)
struct Placement {
  int callerCpu = -1;
  std::vector<cpu_set_t> masks;
};

void RecordPlacement(void* context, int part) {
  auto& p = *static_cast<Placement*>(context);
  if (part == 0) p.callerCpu = sched_getcpu();
  sched_getaffinity(0, sizeof(cpu_set_t), &p.masks[static_cast<std::size_t>(part)]);
}

// While pictures follow each other closely, the pool's thread keeps to a
// processor apart from the caller's, among the caller's own (a kernel that
// packs woken threads onto their waker's processor would otherwise have
// the parts of a picture take turns); before, and once the threads
// outnumber the other processors, they run wherever the scheduler puts them.
TEST(WorkerPool, KeepsItsThreadsOffTheCallersProcessorWhilePicturesFollowClosely) {
  cpu_set_t mine;
  ASSERT_EQ(sched_getaffinity(0, sizeof mine, &mine), 0);
  const int cpus = CPU_COUNT(&mine);
  Placement p;
  p.masks.resize(static_cast<std::size_t>(cpus) + 1);
  WorkerPool pool;
  pool.Expect();
  pool.Run(2, &RecordPlacement, &p);
  EXPECT_TRUE(CPU_EQUAL(&p.masks[1], &mine)) << "a first job";
  // (The caller may move between the hand-over and its part: the threads
  // follow at the next hand-over.)
  bool apart = false;
  for (int job = 0; job < 10 && !apart; ++job) {
    pool.Expect();
    pool.Run(2, &RecordPlacement, &p);
    const cpu_set_t& worker = p.masks[1];
    apart = cpus >= 2 ? CPU_COUNT(&worker) == 1 && !CPU_ISSET(p.callerCpu, &worker) && CPU_ISSET(p.callerCpu, &mine)
                      : CPU_EQUAL(&worker, &mine);
  }
  EXPECT_TRUE(apart);
  pool.Expect();
  pool.Run(cpus + 1, &RecordPlacement, &p);
  for (int k = 1; k <= cpus; ++k) EXPECT_TRUE(CPU_EQUAL(&p.masks[static_cast<std::size_t>(k)], &mine)) << "part " << k;
}
#endif

}  // namespace
}  // namespace platform::rm
