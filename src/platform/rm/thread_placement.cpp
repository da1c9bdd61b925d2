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
  // call at every hand-over.
  const int here = sched_getcpu();
  if (here < 0 || (here == apartFrom_ && threads.size() == placed_ && wanted == wanted_)) return;
  apartFrom_ = here;
  placed_ = threads.size();
  wanted_ = wanted;
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
  std::vector<int> others;
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
    if (cpu != here && CPU_ISSET(cpu, &allowed)) others.push_back(cpu);
  const bool apart = wanted && others.size() >= threads.size();
  if (!apart && !pinned_) return;
  for (std::size_t k = 0; k < threads.size(); ++k) {
    cpu_set_t set = allowed;
    if (apart) {
      CPU_ZERO(&set);
      CPU_SET(others[k], &set);
    }
    // A refusal (the process's processors changed meanwhile) leaves the
    // thread where the scheduler puts it.
    pthread_setaffinity_np(threads[k].native_handle(), sizeof set, &set);
  }
  pinned_ = apart;
}
#else
void ThreadPlacement::KeepApart(std::vector<std::thread>&, bool) {}
#endif

}  // namespace platform::rm
