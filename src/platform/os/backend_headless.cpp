// The headless machine: no window system, no devices, a virtual clock that
// advances by exactly one turn per main-loop turn.
#include <cmath>
#include <cstdio>

#include "platform/os/backend.h"
#include "platform/os/dialog.h"
#include "platform/os/frame_metrics.h"
#include "platform/os/host_yield.h"

namespace platform::os {

namespace {

// The wall-clock time a headless run believes it starts at: fixed, so that
// seeds taken from "the current time" repeat.
constexpr std::int64_t kHeadlessEpochSeconds = 946684800;  // 2000-01-01

class HeadlessBackend final : public Backend {
 public:
  explicit HeadlessBackend(const BackendOptions& options)
      : fps_(options.fps > 0 && std::isfinite(options.fps) ? options.fps : 60.0),
        seed_(options.seedSeconds),
        refuseFullScreen_(options.refuseFullScreen) {}

  bool IsHeadless() const override { return true; }

  // Turn n starts at n / fps seconds, computed from the count so that no
  // rounding error builds up over a long run.
  std::int64_t NowNanoseconds() override { return std::llround(static_cast<double>(turns_) * 1e9 / fps_); }
  std::int64_t WallClockSeconds() override { return kHeadlessEpochSeconds + seed_ + NowNanoseconds() / 1'000'000'000; }
  void EndTurn() override {
    ++turns_;
    LetHostRun();
  }
  void PumpEvents() override {}

  Rect DesktopRect() override { return {0, 0, 1920, 1080}; }
  bool CreateNativeWindow(Window& window) override {
    window.client = ClientFromFrame(window.frame);
    return true;
  }
  void SetPointerVisible(bool) override {}
  bool EnterFullScreen(Window&, int, int) override { return !refuseFullScreen_; }
  void Present(Window&, Picture&, Rect) override {}
  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
  // Nobody is there to choose: take the defaults with OK. A procedure that
  // refuses OK ends the dialog with -1 rather than waiting forever.
  std::intptr_t RunDialog(Dialog& dialog) override {
    dialog.Start();
    dialog.PressKey(0x0D);
    return dialog.Ended() ? dialog.Result() : -1;
  }

 private:
  double fps_;
  std::int64_t seed_;
  bool refuseFullScreen_;
  std::int64_t turns_ = 0;
};

}  // namespace

std::unique_ptr<Backend> MakeHeadlessBackend(const BackendOptions& options) {
  return std::make_unique<HeadlessBackend>(options);
}

}  // namespace platform::os
