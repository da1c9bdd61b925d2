#include "platform/os/turns.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/os/backend.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/short_quote.h"

namespace platform::os {

namespace {
std::vector<ScriptEvent> g_script;
std::size_t g_nextEvent = 0;
std::int64_t g_turn = 0;
std::int64_t g_turnLimit = -1;
ScriptedJoystick g_joystick;
InputDriver g_driver = nullptr;
std::int64_t g_drivenTurn = -1;  // the queue is drained many times a turn; drive once

bool ParseInt(const std::string& word, std::int64_t& out) {
  const char* end = word.data() + word.size();
  auto [p, ec] = std::from_chars(word.data(), end, out);
  return ec == std::errc() && p == end;
}

bool ParseState(const std::string& word, int& out) {
  if (word == "down") return out = 1, true;
  if (word == "up") return out = 0, true;
  return false;
}

bool ParseLine(const std::vector<std::string>& w, ScriptEvent& e, std::string& why) {
  if (w.size() < 3 || !ParseInt(w[0], e.turn) || e.turn < 0) {
    why = "expected '<turn> <key> down|up'";
    return false;
  }
  std::int64_t n = 0;
  if (w[1] == "JOY_X" || w[1] == "JOY_Y") {
    e.kind = w[1] == "JOY_X" ? ScriptEvent::Kind::JoystickX : ScriptEvent::Kind::JoystickY;
    if (w.size() != 3 || !ParseInt(w[2], n) || n < -1000000 || n > 1000000) {
      why = "expected '<turn> " + w[1] + " <value>'";
      return false;
    }
    e.value = static_cast<int>(n);
    return true;
  }
  if (w[1] == "JOY_BUTTON") {
    e.kind = ScriptEvent::Kind::JoystickButton;
    if (w.size() != 4 || !ParseInt(w[2], n) || n < 0 || n > 31 || !ParseState(w[3], e.value)) {
      why = "expected '<turn> JOY_BUTTON <0-31> down|up'";
      return false;
    }
    e.code = static_cast<int>(n);
    return true;
  }
  auto key = VirtualKeyFromName(w[1]);
  if (!key) {
    why = "unknown key " + ShortQuote(w[1]);
    return false;
  }
  e.kind = ScriptEvent::Kind::Key;
  e.code = *key;
  if (w.size() != 3 || !ParseState(w[2], e.value)) {
    why = "expected 'down' or 'up' after the key";
    return false;
  }
  return true;
}

void Apply(const ScriptEvent& e) {
  switch (e.kind) {
    case ScriptEvent::Kind::Key: SetKeyDown(e.code, e.value != 0); break;
    case ScriptEvent::Kind::JoystickX: g_joystick.x = e.value; break;
    case ScriptEvent::Kind::JoystickY: g_joystick.y = e.value; break;
    case ScriptEvent::Kind::JoystickButton: g_joystick.buttons[e.code] = e.value != 0; break;
  }
}
}  // namespace

bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& out, std::string* error) {
  std::vector<ScriptEvent> events;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    ScriptEvent e;
    std::string why;
    if (!ParseLine(w, e, why)) {
      if (error) *error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
    events.push_back(e);
  }
  // Lines may come in any order; events of one turn keep their order.
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.turn < b.turn; });
  out = std::move(events);
  return true;
}

void SetInputScript(std::vector<ScriptEvent> events) {
  g_script = std::move(events);
  g_nextEvent = 0;
  g_joystick = {};
  g_joystick.attached = std::any_of(g_script.begin(), g_script.end(),
                                    [](const ScriptEvent& e) { return e.kind != ScriptEvent::Kind::Key; });
}

void SetTurnLimit(std::int64_t turns) {
  g_turnLimit = turns;
  if (g_turnLimit >= 0 && g_turn >= g_turnLimit) RequestClose();
}

std::int64_t CurrentTurn() { return g_turn; }

void ApplyScriptedInput() {
  while (g_nextEvent < g_script.size() && g_script[g_nextEvent].turn <= g_turn) Apply(g_script[g_nextEvent++]);
  if (g_driver && g_drivenTurn != g_turn) {
    g_drivenTurn = g_turn;
    g_driver();
  }
}
void SetInputDriver(InputDriver driver) { g_driver = driver; }

void EndTurn() {
  CurrentBackend().EndTurn();
  ++g_turn;
  if (g_turnLimit >= 0 && g_turn >= g_turnLimit) RequestClose();
}

bool TurnRendersPicture() { return CurrentBackend().TurnRendersPicture(); }
bool PreviousTurnRenderedPicture() { return CurrentBackend().PreviousTurnRenderedPicture(); }

bool TurnsOnRealClock() { return !CurrentBackend().IsHeadless(); }

const ScriptedJoystick& GetScriptedJoystick() { return g_joystick; }

void AttachScriptedJoystick() { g_joystick.attached = true; }

void ResetTurns() {
  g_script.clear();
  g_nextEvent = 0;
  g_turn = 0;
  g_turnLimit = -1;
  g_joystick = {};
  g_driver = nullptr;
  g_drivenTurn = -1;
}

}  // namespace platform::os
