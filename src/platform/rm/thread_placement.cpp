#include "platform/rm/thread_placement.h"

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <pthread.h>
#include <sched.h>
#define ZARN_PLACES_THREADS 1
#endif

namespace platform::rm {

#if ZARN_PLACES_THREADS
void ThreadPlacement::KeepApart(std::vector<std::thread>& threads, bool wanted) {
  if (!wanted && !pinned_) return;
  // sched_getcpu reads a word the kernel keeps for the thread: no system
  // call at every hand-over. Where it cannot tell, the threads are only
  // let go, never placed.
  const int here = sched_getcpu();
  if (here < 0) wanted = false;
  if (here == apartFrom_ && threads.size() == placed_ && wanted == wanted_) return;
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
  apartFrom_ = here;
  placed_ = threads.size();
  wanted_ = wanted;
  std::vector<int> others;
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
    if (cpu != here && CPU_ISSET(cpu, &allowed)) others.push_back(cpu);
  const bool apart = wanted && others.size() >= threads.size();
  if (!apart && !pinned_) return;
  bool stillPinned = apart;
  for (std::size_t k = 0; k < threads.size(); ++k) {
    cpu_set_t set = allowed;
    if (apart) {
      CPU_ZERO(&set);
      CPU_SET(others[k], &set);
    }
    // A refusal (the process's processors changed meanwhile) leaves the
    // thread on the processors it had, perhaps one alone: the next
    // hand-over tries again.
    if (pthread_setaffinity_np(threads[k].native_handle(), sizeof set, &set) != 0) {
      stillPinned = true;
      placed_ = 0;
    }
  }
  pinned_ = stillPinned;
}
#else
void ThreadPlacement::KeepApart(std::vector<std::thread>&, bool) {}
#endif

}  // namespace platform::rm
