#include "audio/music.h"

#include "audio/report_error.h"
#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "platform/os/data_folder.h"
#include "platform/os/messages.h"

namespace audio {

MusicObjects musicObjects;

namespace {

using platform::Failed;
using platform::HResult;
namespace music = platform::music;
namespace text = error_text;

// Starts a track's segment whether music is on or not: PlayTrack with music
// on, the F2 toggle and the restart at a segment's end all come here.
void StartTrack(int track) {
  MusicObjects& m = musicObjects;
  m.segmentStates[track].reset();
  if (!m.performance || !m.segments[track]) return;
  m.performance->PlaySegment(m.segments[track].get(), music::segf::kBeat, 0, &m.segmentStates[track]);
}

// Reports a failed call; true when it failed.
bool Reported(HResult result, const char* message) {
  if (!Failed(result)) return false;
  ReportError(result, message);
  return true;
}

}  // namespace

int InitMusic() {
  MusicObjects& m = musicObjects;
  if (Reported(music::CreatePerformance(&m.performance), text::kPerformanceCreate)) return 0;
  music::Performance::Options options;
  options.soundFonts = music::SoundFontSearchOrder(m.soundFont);
  options.soundFontRequested = !m.soundFont.empty();
  // No sound device means a silent machine, not a failure.
  const platform::Ref<platform::sound::Device> device(SoundDevice());
  if (Reported(m.performance->Init(device, options), text::kPerformanceInit)) return 0;
  if (Reported(music::CreateLoader(&m.loader), text::kLoaderCreate)) return 0;
  // An installed game's music lies in its data folder, a built one's in the
  // working folder.
  std::string directory = platform::os::DataFolder();
  if (directory.empty() && !music::CurrentDirectory(&directory)) {
    ReportError(platform::kEFail, text::kCurrentDirectory);
    return 0;
  }
  m.loader->SetSearchDirectory(directory);
  // Our only port is the stream on the sound device.
  if (Reported(m.performance->AddPort(), text::kPortCreate)) return 0;
  if (Reported(m.performance->AddNotificationType(music::NotificationType::Segment), text::kNoPort)) return 0;
  return 1;
}

int LoadMusic() {
  MusicObjects& m = musicObjects;
  // Without a loader (InitMusic failed early) there is nothing to load with.
  if (!m.loader || !m.performance) return 0;
  for (int t = 0; t < kTrackCount; ++t) {
    if (Reported(m.loader->GetObject(kTrackFiles[t], &m.segments[t]), text::kSegmentLoad)) return 0;
  }
  music::Performance* performance = m.performance.get();
  for (auto& segment : m.segments) {
    Reported(segment->SetParam(music::SegmentParam::StandardMidiFile, performance), text::kSetParamMidi);
  }
  for (auto& segment : m.segments) {
    Reported(segment->SetParam(music::SegmentParam::Download, performance), text::kSetParamDownload);
  }
  for (auto& segment : m.segments) {
    std::uint32_t length = 0;
    Reported(segment->GetLength(&length), text::kSegmentLength);
  }
  PlayTrack(0);
  return 1;
}

void PlayTrack(int track) {
  if (track < 0 || track >= kTrackCount) return;
  musicObjects.currentTrack = track;
  if (game::gameState.musicEnabled) StartTrack(track);
}

void ToggleMusic() {
  game::GameState& g = game::gameState;
  MusicObjects& m = musicObjects;
  if (g.musicKeyLatch) return;
  if (g.musicEnabled) {
    if (m.performance) Reported(m.performance->Stop(), text::kStop);
    g.musicEnabled = false;
  } else {
    StartTrack(m.currentTrack);
    g.musicEnabled = true;
  }
  platform::os::SetTimer(g.mainWindow, core::kTimerMusicLatch, 500);
  g.musicKeyLatch = true;
}

void ServiceMusic() {
  MusicObjects& m = musicObjects;
  if (!m.performance) return;
  // Our synthesizer has no thread of its own: the main loop keeps its
  // stream filled, and a segment's end is found while rendering.
  m.performance->Service();
  if (!m.segments[0] || !m.segments[1]) return;
  music::Notification notification;
  while (m.performance->GetNotification(&notification) == platform::kOk) {
    if (notification.type == music::NotificationType::Segment &&
        notification.option == music::NotificationOption::SegmentEnd) {
      StartTrack(m.currentTrack);
    }
  }
}

void UnloadMusic() {
  MusicObjects& m = musicObjects;
  if (m.performance) Reported(m.performance->Stop(), text::kStop);
  for (auto& segment : m.segments) {
    if (segment) Reported(segment->SetParam(music::SegmentParam::Unload, m.performance.get()), text::kSetParamUnload);
  }
  for (auto& state : m.segmentStates) state.reset();
  for (auto& segment : m.segments) segment.reset();
}

void CloseMusic() {
  MusicObjects& m = musicObjects;
  if (m.performance) {
    Reported(m.performance->CloseDown(), text::kCloseDown);
    m.performance.reset();
  }
  m.loader.reset();
}

}  // namespace audio
