#pragma once
// The command line, the same for a window and for headless runs.
#include <cstdint>
#include <string>

namespace app {

struct RunOptions {
  int mode = -1;      // row of the mode table; -1: ask with the dialog
  int windowed = -1;  // 1 window, 0 full screen, -1: as the dialog says
  bool headless = false;
  double fps = 60.0;
  std::int64_t turns = -1;  // end after this many turns; -1: no limit
  std::string inputFile, stateFile, screenshotFile;
  int warp = 0;           // start at this stage (1-5) as Enter on the title would
  int camera = 0;         // show this camera (1-10) every turn; 0: as the game says
  bool joystick = false;  // headless: attach the scripted joystick
  bool debug = false;
  bool saveDemo = false;     // write the run's recording as demo.dat at the end
  bool autopilot = false;    // play the game from the title to All Cleared
  bool replayRoute = false;  // the autopilot continues from the replays (stages 1-5)
  int autopilotStages = 0;   // the autopilot ends the run after this many stages (0: the whole game)
  std::int64_t seed = 0;     // headless: the clock starts this many seconds later
  std::string trailFile;     // one line per turn: the turn and a hash of the game's state
  std::string playDemoFile;  // play this demo file as the attract demo does
  std::string timeDemoFile;  // play it headless as fast as possible and report the pace
  std::string soundFont;     // the music's SoundFont, tried before the system's
  int threads = 0;           // drawing threads; 0: the cores there are (at most 8), headless 1
  // The dialog is skipped when the mode or the window choice is given, and
  // always headless.
  bool SkipDialog() const { return headless || mode >= 0 || windowed >= 0; }
  int DrawingThreads() const;
};

enum class ParseOutcome { Run, Exit, Error };

// Fills `options`; on Exit, `message` holds the help or version text; on
// Error, one line saying what is wrong.
ParseOutcome ParseCommandLine(int argc, const char* const* argv, RunOptions& options, std::string& message);

extern RunOptions runOptions;

}  // namespace app
