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

// Failures past set-up are reported and play goes on, as the game always did.
constexpr const char* kReportedOnly = "reported; play goes on";

// Starts a track's segment whether music is on or not: PlayTrack with music
// on, the F2 toggle and the restart at a segment's end all come here.
void StartTrack(int track) {
  MusicObjects& m = musicObjects;
  m.segmentStates[track].reset();
  if (!m.performance || !m.segments[track]) return;
  m.performance->PlaySegment(m.segments[track].get(), music::segf::kBeat, 0, &m.segmentStates[track])
      .Ignore("a track that cannot start stays silent; only set-up and loading report");
}

// Reports a failed call; the failure carries the message reported.
core::Status Reported(HResult result, const char* message) {
  if (!Failed(result)) return core::Status::Success();
  ReportError(result, message);
  return core::Status::Failure(message);
}

}  // namespace

core::Status InitMusic(const music::Service& service) {
  MusicObjects& m = musicObjects;
  if (core::Status s = Reported(service.CreatePerformance(&m.performance), text::kPerformanceCreate); !s.Ok()) return s;
  music::Performance::Options options;
  options.soundFonts = music::SoundFontSearchOrder(m.soundFont);
  options.soundFontRequested = !m.soundFont.empty();
  // No sound device means a silent machine, not a failure.
  const platform::Ref<platform::sound::Device> device(SoundDevice());
  if (core::Status s = Reported(m.performance->Init(device, options), text::kPerformanceInit); !s.Ok()) return s;
  if (core::Status s = Reported(music::CreateLoader(&m.loader), text::kLoaderCreate); !s.Ok()) return s;
  // An installed game's music lies in its data folder, a built one's in the
  // working folder.
  std::string directory = platform::os::DataFolder();
  if (directory.empty() && !music::CurrentDirectory(&directory)) {
    ReportError(platform::kEFail, text::kCurrentDirectory);
    return core::Status::Failure(text::kCurrentDirectory);
  }
  m.loader->SetSearchDirectory(directory).Ignore("keeping a folder name cannot fail");
  // Our only port is the stream on the sound device.
  if (core::Status s = Reported(m.performance->AddPort(), text::kPortCreate); !s.Ok()) return s;
  if (core::Status s = Reported(m.performance->AddNotificationType(music::NotificationType::Segment), text::kNoPort);
      !s.Ok())
    return s;
  return core::Status::Success();
}

core::Status LoadMusic() {
  MusicObjects& m = musicObjects;
  // Without a loader (InitMusic failed early) there is nothing to load with.
  if (!m.loader || !m.performance) return core::Status::Failure("music was not set up");
  for (int t = 0; t < kTrackCount; ++t) {
    if (core::Status s = Reported(m.loader->GetObject(kTrackFiles[t], &m.segments[t]), text::kSegmentLoad); !s.Ok())
      return s;
  }
  music::Performance* performance = m.performance.get();
  for (auto& segment : m.segments) {
    Reported(segment->SetParam(music::SegmentParam::StandardMidiFile, performance), text::kSetParamMidi)
        .Ignore(kReportedOnly);
  }
  for (auto& segment : m.segments) {
    Reported(segment->SetParam(music::SegmentParam::Download, performance), text::kSetParamDownload)
        .Ignore(kReportedOnly);
  }
  for (auto& segment : m.segments) {
    std::uint32_t length = 0;
    Reported(segment->GetLength(&length), text::kSegmentLength).Ignore(kReportedOnly);
  }
  PlayTrack(0);
  return core::Status::Success();
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
    if (m.performance) Reported(m.performance->Stop(), text::kStop).Ignore(kReportedOnly);
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
  if (m.performance) Reported(m.performance->Stop(), text::kStop).Ignore(kReportedOnly);
  for (auto& segment : m.segments) {
    if (segment)
      Reported(segment->SetParam(music::SegmentParam::Unload, m.performance.get()), text::kSetParamUnload)
          .Ignore(kReportedOnly);
  }
  for (auto& state : m.segmentStates) state.reset();
  for (auto& segment : m.segments) segment.reset();
}

void CloseMusic() {
  MusicObjects& m = musicObjects;
  if (m.performance) {
    Reported(m.performance->CloseDown(), text::kCloseDown).Ignore(kReportedOnly);
    m.performance.reset();
  }
  m.loader.reset();
}

}  // namespace audio
