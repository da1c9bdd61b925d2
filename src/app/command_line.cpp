#include "app/command_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <thread>

#include "platform/os/number_text.h"
#include "platform/os/short_quote.h"

namespace app {

RunOptions runOptions;

namespace {

constexpr const char* kHelp =
    "usage: zarn [options]\n"
    "A toy excavator on a table top scoops coffee, milk and sugar into a cup.\n"
    "Without options a dialog asks for the display mode.\n\n"
    "  --mode N        display mode 0-14 (skips the screen-mode dialog)\n"
    "  --windowed      run in a window (skips the dialog)\n"
    "  --fullscreen    run full screen (skips the dialog)\n"
    "  --headless      no window or sound; virtual clock; a joystick only if\n"
    "                  the input script plays one\n"
    "  --fps F         turns per second (default 60)\n"
    "  --turns N       end after N turns, as if Escape were pressed\n"
    "  --input FILE    scripted input: '<turn> <key> down|up' per line\n"
    "  --state FILE    write the game state as JSON before the end\n"
    "  --screenshot F  write the last picture shown as PNG at the end\n"
    "  --warp N        start at stage N (1-5) as Enter on the title would\n"
    "  --camera N      show camera N (1-10) every turn, whatever the game chose\n"
    "  --joystick      headless: attach a joystick the input script plays\n"
    "  --debug         debug output on standard error\n"
    "  --save-demo     write the run's recording as demo.dat beside the\n"
    "                  executable at the end\n"
    "  --autopilot     play the game from the title to All Cleared, then end\n"
    "  --autopilot-route result|replay\n"
    "                  continue from the result screen (stages 1, 2, 5, the\n"
    "                  default) or from the replay (stages 1 to 5)\n"
    "  --autopilot-stages N\n"
    "                  end the run once the autopilot has finished N stages\n"
    "  --seed N        headless: start the clock N seconds later (0 to\n"
    "                  2147483647), so that the orders drawn differ\n"
    "  --trail FILE    write one line per turn: the turn and a hash of\n"
    "                  everything that decides the game's future\n"
    "  --playdemo FILE play a demo file as the title's attract demo does\n"
    "  --timedemo FILE play a demo file headless as fast as possible and\n"
    "                  print the turns per second and turn times\n"
    "  --soundfont FILE\n"
    "                  play the music with this SoundFont (the system's\n"
    "                  General MIDI fonts are tried when it fails)\n"
    "  --threads N     draw each picture on N threads, 1-8 (default: the cores\n"
    "                  there are, at most 8; headless 1)\n"
    "  --help (-h), --version\n"
    "\n"
    "Keys: Escape quits, F1 render quality, F2 music, F12 screenshot (to the\n"
    "pictures folder, or the working folder). The speed and joystick buttons\n"
    "are kept in zarn.ini beside the game, or in ~/.config/zarn when the\n"
    "game's folder cannot be written; --save-demo likewise in ~/.local/share/zarn.\n";

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  auto [p, ec] = platform::os::NumberFromChars(text.data(), end, out);
  return ec == std::errc() && p == end;
}

}  // namespace

ParseOutcome ParseCommandLine(int argc, const char* const* argv, RunOptions& o, std::string& message) {
  std::string_view optionNotValue;
  auto error = [&](const std::string& why) {
    message = "zarn: " + why;
    if (!optionNotValue.empty()) message += ", not the option " + std::string(optionNotValue);
    message += " (try --help)";
    return ParseOutcome::Error;
  };
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    // "--input --turns 5" lacks a value; taking "--turns" as the file name
    // would hide the mistake. A file so named can be given as ./--turns.
    auto value = [&](std::string_view& out) {
      if (i + 1 >= argc) return false;
      if (std::string_view(argv[i + 1]).starts_with("--")) {
        optionNotValue = argv[i + 1];
        return false;
      }
      out = argv[++i];
      return true;
    };
    std::string_view v;
    if (arg == "--help" || arg == "-h") {
      message = kHelp;
      return ParseOutcome::Exit;
    } else if (arg == "--version") {
      message = "zarn " ZARN_VERSION "\n";
      return ParseOutcome::Exit;
    } else if (arg == "--mode") {
      if (!value(v) || !ParseNumber(v, o.mode) || o.mode < 0 || o.mode > 14)
        return error("--mode needs a number from 0 to 14");
    } else if (arg == "--windowed" || arg == "--fullscreen") {
      o.windowed = arg == "--windowed" ? 1 : 0;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--fps") {
      if (!value(v) || !ParseNumber(v, o.fps) || !std::isfinite(o.fps) || o.fps < 1 || o.fps > 1000)
        return error("--fps needs a number from 1 to 1000");
    } else if (arg == "--turns") {
      if (!value(v) || !ParseNumber(v, o.turns) || o.turns < 0) return error("--turns needs a count of 0 or more");
    } else if (arg == "--input" || arg == "--state" || arg == "--screenshot") {
      if (!value(v) || v.empty()) return error(std::string(arg) + " needs a file name");
      (arg == "--input" ? o.inputFile : arg == "--state" ? o.stateFile : o.screenshotFile) = v;
    } else if (arg == "--warp") {
      if (!value(v) || !ParseNumber(v, o.warp) || o.warp < 1 || o.warp > 5)
        return error("--warp needs a stage from 1 to 5");
    } else if (arg == "--camera") {
      if (!value(v) || !ParseNumber(v, o.camera) || o.camera < 1 || o.camera > 10)
        return error("--camera needs a number from 1 to 10");
    } else if (arg == "--joystick") {
      o.joystick = true;
    } else if (arg == "--debug") {
      o.debug = true;
    } else if (arg == "--save-demo") {
      o.saveDemo = true;
    } else if (arg == "--autopilot") {
      o.autopilot = true;
    } else if (arg == "--autopilot-route") {
      if (!value(v) || (v != "result" && v != "replay")) return error("--autopilot-route needs 'result' or 'replay'");
      o.replayRoute = v == "replay";
    } else if (arg == "--autopilot-stages") {
      if (!value(v) || !ParseNumber(v, o.autopilotStages) || o.autopilotStages < 1 || o.autopilotStages > 5)
        return error("--autopilot-stages needs a number from 1 to 5");
    } else if (arg == "--seed") {
      if (!value(v) || !ParseNumber(v, o.seed) || o.seed < 0 || o.seed > 2147483647)
        return error("--seed needs a number from 0 to 2147483647");
    } else if (arg == "--threads") {
      if (!value(v) || !ParseNumber(v, o.threads) || o.threads < 1 || o.threads > 8)
        return error("--threads needs a number from 1 to 8");
    } else if (arg == "--trail" || arg == "--playdemo" || arg == "--timedemo") {
      if (!value(v) || v.empty() || v.starts_with("--")) return error(std::string(arg) + " needs a file name");
      (arg == "--trail" ? o.trailFile : arg == "--playdemo" ? o.playDemoFile : o.timeDemoFile) = v;
    } else if (arg == "--soundfont") {
      if (!value(v) || v.empty()) return error("--soundfont needs a file name");
      o.soundFont = v;
    } else {
      return error("unknown argument " + platform::os::ShortQuote(arg));
    }
  }
  // One driver of the keys at a time.
  int drivers = !o.inputFile.empty() + o.autopilot + !o.playDemoFile.empty() + !o.timeDemoFile.empty();
  if (drivers > 1) return error("--input, --autopilot, --playdemo and --timedemo each drive the game; give one");
  if (!o.timeDemoFile.empty()) o.headless = true;
  return ParseOutcome::Run;
}

// Headless runs are tests and benchmarks of one turn after another, often
// several at once: one thread each unless told.
int RunOptions::DrawingThreads() const {
  if (threads > 0) return threads;
  if (headless) return 1;
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

}  // namespace app
