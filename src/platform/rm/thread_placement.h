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
//
// Only while pictures follow each other closely: a paced picture drawn
// with time to spare gains nothing the player sees from a second
// processor, and there, on the same machine, drawing on two at once cost
// a fifth more CPU a picture than the kernel's packing.
#include <cstddef>
#include <thread>
#include <vector>

namespace platform::rm {

class ThreadPlacement {
 public:
  // By the caller, at each hand-over: while `wanted`, places thread k on
  // the k-th other processor the caller may use (again when the caller
  // turns up on another processor, or there are more threads); otherwise,
  // or where there are fewer such processors than threads, lets them run
  // on any of the caller's, where the scheduler puts them.
  void KeepApart(std::vector<std::thread>& threads, bool wanted);

 private:
  int apartFrom_ = -1;      // the caller's processor at the last placement
  std::size_t placed_ = 0;  // threads placed then (none after a refusal, to place them again)
  bool wanted_ = false;     // and whether they were to be kept apart
  bool pinned_ = false;     // some thread kept to one processor
};

}  // namespace platform::rm
