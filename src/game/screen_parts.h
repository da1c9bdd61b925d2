#pragma once
// What the stage intro, result, replay, All Cleared and demo screens share:
// their cameras, their text and the keys that end them.
#include "scene/scene_objects.h"

namespace game {

// Moves `angle` on by `step` (wrapping from above 3.14 to -3.14), puts
// resultCamera at (radius cos a, height, radius sin a) relative to
// `placedIn` and turns it to `target`.
void OrbitResultCamera(float& angle, float step, float radius, float height, const scene::Ref<scene::Frame>& placedIn,
                       const scene::Ref<scene::Frame>& target);

// camera10 for a playback: above the excavator's side of the table, higher
// the nearer it is to the table's centre, always looking at the chassis.
void FollowPlayback();

// Whole text in font row `row` at a point of the 800 x 600 virtual screen.
void DrawScreenText(int row, int x, int y, const char* text);

// A fresh keyboard snapshot: `key` down, or joystick button slot 1 when
// `orButton` (the screens take the button for Enter or Space alike).
bool KeyOrButtonDown(int key, bool orButton);

// Font rows the screens use.
inline constexpr int kRowYellow = 3;
inline constexpr int kRowWhite = 4;

}  // namespace game
