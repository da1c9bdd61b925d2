#include "game/button_config.h"

#include <array>

#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "game/title_menu.h"
#include "input/joystick.h"
#include "overlay/font.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "scene/scene_objects.h"

namespace game {

namespace {

using overlay::DrawText;
using overlay::DrawTextOnBlack;
namespace font_row = overlay::font_row;
using platform::os::KeyDown;
namespace vk = platform::os::vk;

constexpr int kRows = 4;
constexpr int kCursorLatchMs = 250;

// Each label is 23 cells, so the brackets line up; "/" has no glyph and
// shows as an empty cell.
constexpr std::array<const char*, kRows> kRowLabels = {
    "Change Camera [ Enter ]",
    "Drive         [ Tab   ]",
    "Arm/Body      [ Shift ]",
    "Boom/Bucket   [ Ctrl  ]",
};

void Leave() {
  game::GameState& g = game::gameState;
  if (scene::objects.lightFrame)
    scene::objects.lightFrame->SetPosition(scene::objects.sceneRoot.get(), -150, 3050, 0)
        .Ignore(scene::kPoseResultUnused);
  g.buttonConfigActive = false;
  // Two steps later the idle count passes its limit: the attract demo, or
  // the title show from its start.
  g.titleIdleSteps = kIdleStepsBeforeDemo - 1;
}

void MoveCursor(int by) {
  game::GameState& g = game::gameState;
  g.configCursor += by;
  platform::os::SetTimer(g.mainWindow, core::kTimerConfigLatch, kCursorLatchMs);
  g.configKeyLatch = true;
  audio::PlayOnce(audio::SoundEffect::CursorMove);
}

void DrawScreen() {
  const game::GameState& g = game::gameState;
  using font_row::kWhite;
  DrawText(kWhite, 250, 220, "BUTTON CONFIGRATION");
  for (int row = 1; row <= kRows; ++row) DrawText(kWhite, 250, 260 + 40 * (row - 1), kRowLabels[row - 1]);
  DrawText(kWhite, 300, 420, "[ SPACE  DECIDE ]");
  for (int row = 1; row <= kRows; ++row) {
    // A stored number that names no button assigns nothing.
    const char* status = input::NamesAButton(g.buttonAssign[row]) ? " SET " : " NOT ";
    const int y = 260 + 40 * (row - 1);
    // The cursor is the black box behind its row's status.
    if (row == g.configCursor)
      DrawTextOnBlack(kWhite, 500, y, status);
    else
      DrawText(kWhite, 500, y, status);
  }
}

// No latch: a held button is assigned again every step.
void AssignHeldButtons() {
  game::GameState& g = game::gameState;
  platform::joystick::JoystickState state;
  if (!input::ReadJoystickState(&state)) return;
  if (g.configCursor < 1 || g.configCursor > kRows) return;
  for (int button = 0; button < static_cast<int>(state.buttons.size()); ++button) {
    if (!(state.buttons[button] & 0x80)) continue;
    g.buttonAssign[g.configCursor] = button;
    audio::PlayOnce(audio::SoundEffect::ButtonAssigned);
    input::ClearDuplicateAssignments(g.configCursor);
  }
}

}  // namespace

void ButtonConfigStep() {
  game::GameState& g = game::gameState;
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  const bool space = KeyDown(keys, vk::kSpace);

  if (!g.joystickAvailable) {
    DrawText(font_row::kWhite, 275, 310, "JOY STICK CAN'T BE FOUND");
    DrawText(font_row::kWhite, 325, 410, "[ PUSH SPACE ]");
    if (space) Leave();
    return;
  }
  if (space) Leave();  // the rest of the step still runs

  input::PollJoystickAxes();
  if ((KeyDown(keys, vk::kDown) || g.joyDown) && g.configCursor < kRows && !g.configKeyLatch) MoveCursor(+1);
  if ((KeyDown(keys, vk::kUp) || g.joyUp) && g.configCursor > 1 && !g.configKeyLatch) MoveCursor(-1);

  DrawScreen();
  AssignHeldButtons();
}

}  // namespace game
