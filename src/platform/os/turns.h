#pragma once
// Main-loop turns, and the input a script gives them. A turn is one drain of
// the queue, one game step and one frame; turns are counted from 0. Scripted
// events for turn T take effect when the queue is drained in turn T, before
// that turn's game step.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::os {

struct ScriptEvent {
  enum class Kind { Key, JoystickX, JoystickY, JoystickButton };
  std::int64_t turn = 0;
  Kind kind = Kind::Key;
  int code = 0;   // virtual key or button number
  int value = 0;  // 1 down / 0 up, or the axis reading
};

// Lines: "<turn> <key> down|up", "<turn> JOY_X <value>", "<turn> JOY_Y <value>",
// "<turn> JOY_BUTTON <n> down|up"; '#' starts a comment. False with a reason
// naming the line when the text is not such a script.
bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& out, std::string* error);

void SetInputScript(std::vector<ScriptEvent> events);
// After `turns` turns the program is asked to end in its orderly way; a
// negative count means no limit.
void SetTurnLimit(std::int64_t turns);
std::int64_t CurrentTurn();

// Applies the scripted events due by the current turn (once each), then asks
// the input driver, if one is set, to press or release keys for this turn.
void ApplyScriptedInput();
// A program part that plays the keys itself (the autopilot) hooks in here, so
// that its keys reach the game by the same path as a player's or a script's.
using InputDriver = void (*)();
void SetInputDriver(InputDriver driver);
// Ends the current turn: paces (live) or advances the virtual clock
// (headless), and asks for the end when the turn limit is reached.
void EndTurn();
// Live, turns keep to the --fps schedule in wall time; a turn that runs
// behind it renders no picture (a few in a row at most), and the next turn
// then has none to present. Headless, every turn renders and presents.
bool TurnRendersPicture();
bool PreviousTurnRenderedPicture();
// Whether turns run on the real clock (live) rather than a virtual one.
bool TurnsOnRealClock();

// The joystick a script plays: attached when the script has joystick lines.
struct ScriptedJoystick {
  bool attached = false;
  int x = 0, y = 0;
  std::array<bool, 32> buttons{};
};
const ScriptedJoystick& GetScriptedJoystick();
// Attaches the scripted joystick even when the script moves no stick.
void AttachScriptedJoystick();

void ResetTurns();

}  // namespace platform::os
