#include "audio/music.h"

#include "app/timers.h"
#include "game/game_state.h"
#include "platform/os/messages.h"

namespace audio {

namespace {
int currentTrack = 0;
}

// Until the synthesizer is brought up the game runs without music: the
// calls below keep their bookkeeping and do nothing audible.
int InitMusic() { return 0; }
int LoadMusic() { return 0; }
void PlayTrack(int track) { currentTrack = track; }

void ToggleMusic() {
  game::GameState& g = game::gameState;
  if (g.musicKeyLatch == 1) return;
  if (g.musicEnabled == 1) {
    g.musicEnabled = 0;
  } else {
    PlayTrack(currentTrack);
    g.musicEnabled = 1;
  }
  platform::os::SetTimer(g.mainWindow, app::kTimerMusicLatch, 500);
  g.musicKeyLatch = 1;
}

void ServiceMusic() {}
void UnloadMusic() {}
void CloseMusic() {}

}  // namespace audio
