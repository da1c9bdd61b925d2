#pragma once
// Keeps a worker pool's threads each on a processor of its own, apart from
// the thread that hands them work.
//
// Some kernels put a woken thread on the processor of the thread that woke
// it even while another stands idle (a virtual machine's kernel set to pack
// its work onto few processors, so that the host's others stay free). A
// pool thread woken by the caller then waits for the caller's processor,
// the caller spins in vain waiting for it, and the parts of a picture run
// one after the other. On such a machine an 800x600 frame on two threads
// took 1.0 ms of wall clock in half the runs (0.8 ms on one thread); with
// the threads kept apart, 0.52-0.79 ms in every run.
#include <thread>
#include <vector>

namespace platform::rm {

class ThreadPlacement {
 public:
  // By the caller, at each hand-over: if it runs on another processor than
  // at the last one, or there are more threads, places thread k on the
  // k-th other processor the caller may use. Where there are fewer such
  // processors than threads, the threads may run anywhere: the scheduler
  // shares them out, as no placement of ours could do better.
  void KeepApart(std::vector<std::thread>& threads);

 private:
  int apartFrom_ = -1;      // the caller's processor at the last placement
  std::size_t placed_ = 0;  // threads placed then
  bool pinned_ = false;     // some thread kept to one processor
};

}  // namespace platform::rm
