#include "platform/music/synth_performance.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/music/glib_log.h"
#include "platform/music/music_result.h"
#include "platform/os/debug_output.h"

namespace platform::music {

namespace {

// The music sits under the effects: in play the excavator is heard from the
// camera, some way off, and must stand clearly over the music; alone it
// plays at about -30 dBFS RMS (docs/sound.md has the measured levels).
constexpr float kSynthGain = 0.25f;
// The player's own end report is looked for this often while rendering
// (frames).
constexpr int kRenderSlice = 256;

void LogToDebugOutput(int level, const char* message, void*) {
  const char* kind = level <= FLUID_ERR ? "error" : "warning";
  os::OutputDebugString(std::string("music: fluidsynth ") + kind + ": " + (message ? message : "") + "\n");
}

void RouteFluidLog() {
  static const bool routed = [] {
    fluid_set_log_function(FLUID_PANIC, LogToDebugOutput, nullptr);
    fluid_set_log_function(FLUID_ERR, LogToDebugOutput, nullptr);
    fluid_set_log_function(FLUID_WARN, LogToDebugOutput, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    RouteGlibLogToDebugOutput();
    return true;
  }();
  (void)routed;
}

// Empty when the font loaded, else why not.
std::string LoadSoundFont(fluid_synth_t* synth, const std::string& path) {
  if (!fluid_is_soundfont(path.c_str())) return "not a SoundFont";
  if (fluid_synth_sfload(synth, path.c_str(), 1) == FLUID_FAILED) return "a damaged SoundFont";
  return {};
}

}  // namespace

struct SynthPerformance::Synth {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;  // the playing segment's, if any
  int sampleRate = 0;

  ~Synth() {
    DropPlayer();
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
  void DropPlayer() {
    if (!player) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
  }
};

SynthPerformance::SynthPerformance() = default;

SynthPerformance::~SynthPerformance() {
  // The stream goes first: it may still ask the synthesizer for samples.
  stream_.reset();
  synth_.reset();
}

HResult SynthPerformance::Init(const Ref<sound::Device>& device, const Options& options) {
  if (Closed()) return kMusicClosed;
  if (synth_) return kOk;
  RouteFluidLog();
  auto synth = std::make_unique<Synth>();
  synth->sampleRate = device ? device->SampleRate() : options.sampleRate;
  if (synth->sampleRate <= 0) synth->sampleRate = 44100;
  synth->settings = new_fluid_settings();
  if (!synth->settings) return kEOutOfMemory;
  fluid_settings_setnum(synth->settings, "synth.sample-rate", synth->sampleRate);
  fluid_settings_setnum(synth->settings, "synth.gain", kSynthGain);
  // Segments are driven by the samples we render, never by a clock thread.
  fluid_settings_setstr(synth->settings, "player.timing-source", "sample");
  // A new segment takes over the channels without a reset, so the notes of
  // the one it replaces die away instead of being cut.
  fluid_settings_setint(synth->settings, "player.reset-synth", 0);
  synth->synth = new_fluid_synth(synth->settings);
  if (!synth->synth) return kEOutOfMemory;

  fluid_synth_t* fluid = synth->synth;
  const SoundFontChoice choice =
      LoadFirstSoundFont(options.soundFonts, options.soundFontRequested,
                         [fluid](const std::string& path) { return LoadSoundFont(fluid, path); });
  if (!choice.message.empty()) std::fprintf(stderr, "%s\n", choice.message.c_str());
  if (choice.loaded.empty()) return kMusicNoSoundFont;
  os::OutputDebugString("music: SoundFont " + choice.loaded + "\n");
  soundFont_ = choice.loaded;
  synth_ = std::move(synth);
  device_ = device;
  return kOk;
}

HResult SynthPerformance::AddPort() {
  if (Closed()) return kMusicClosed;
  if (!synth_) return kMusicNotInitialized;
  if (!device_ || stream_) return kOk;
  stream_ = QueuedStream::Open(device_, synth_->sampleRate);
  if (!stream_) {
    os::OutputDebugString("music: no output stream on the sound device\n");
    return kMusicNoOutput;
  }
  return kOk;
}

bool SynthPerformance::Ready() const { return synth_ != nullptr; }
bool SynthPerformance::HasOutput() const { return stream_ != nullptr; }
int SynthPerformance::SampleRate() const { return synth_ ? synth_->sampleRate : 0; }

HResult SynthPerformance::PlaySegment(Segment* segment, std::uint32_t flags, std::int64_t, Ref<SegmentState>* state) {
  Ref<SegmentState> started;
  if (const HResult checked = NewState(segment, state, &started); checked != kOk) return checked;
  const std::int64_t wait = (flags & segf::kBeat) ? FramesToNextBeat() : 0;
  if (wait > 0) {
    pending_ = started;
    pendingFrames_ = wait;
    return kOk;
  }
  pending_.reset();
  return StartNow(started);
}

std::int64_t SynthPerformance::FramesToNextBeat() const {
  if (!playing_ || !synth_->player) return 0;
  const int division = playing_->GetSegment()->Info().division;
  const int tick = fluid_player_get_current_tick(synth_->player);
  if (division <= 0 || tick < 0 || tick % division == 0) return 0;
  int tempo = fluid_player_get_midi_tempo(synth_->player);  // microseconds per quarter
  if (tempo <= 0) tempo = 500000;
  const double seconds = static_cast<double>(division - tick % division) * tempo / 1e6 / division;
  // A segment that ends before its next beat hands over at its end.
  return std::min<std::int64_t>(framesLeft_, std::max<std::int64_t>(1, std::llround(seconds * synth_->sampleRate)));
}

HResult SynthPerformance::StartNow(const Ref<SegmentState>& state) {
  synth_->DropPlayer();
  playing_.reset();
  fluid_synth_all_notes_off(synth_->synth, -1);
  fluid_player_t* player = new_fluid_player(synth_->synth);
  if (!player) return kEOutOfMemory;
  const auto& bytes = state->GetSegment()->Bytes();
  if (fluid_player_add_mem(player, bytes.data(), bytes.size()) != FLUID_OK || fluid_player_play(player) != FLUID_OK) {
    delete_fluid_player(player);
    return kMusicBadFile;
  }
  synth_->player = player;
  // The player itself reports its end only after a grace period of seconds
  // for the last notes to ring; the file's own length gives the musical end.
  const double seconds = state->GetSegment()->Info().lengthSeconds;
  framesLeft_ = std::max<std::int64_t>(1, std::llround(seconds * synth_->sampleRate));
  playing_ = state;
  return kOk;
}

HResult SynthPerformance::Stop() {
  if (Closed()) return kMusicClosed;
  if (!synth_) return kOk;
  synth_->DropPlayer();
  playing_.reset();
  pending_.reset();
  fluid_synth_all_sounds_off(synth_->synth, -1);
  if (stream_) stream_->Flush();
  return kOk;
}

HResult SynthPerformance::CloseDown() {
  if (Closed()) return kOk;
  stream_.reset();
  synth_.reset();
  playing_.reset();
  pending_.reset();
  device_.reset();
  Close();
  return kOk;
}

void SynthPerformance::Service() {
  if (!stream_ || !synth_) return;
  stream_->Fill([this](std::int16_t* samples, int frames) { Render(samples, frames); });
}

void SynthPerformance::Render(std::int16_t* samples, int frames) {
  if (!samples || frames <= 0) return;
  if (!synth_) {
    std::fill(samples, samples + 2 * static_cast<std::size_t>(frames), std::int16_t{0});
    return;
  }
  for (int done = 0; done < frames;) {
    int n = std::min(kRenderSlice, frames - done);
    if (playing_) n = static_cast<int>(std::min<std::int64_t>(n, framesLeft_));
    if (pending_) n = static_cast<int>(std::min<std::int64_t>(n, pendingFrames_));
    std::int16_t* out = samples + 2 * static_cast<std::size_t>(done);
    fluid_synth_write_s16(synth_->synth, n, out, 0, 2, out, 1, 2);
    done += n;
    if (playing_) framesLeft_ -= n;
    if (pending_ && (pendingFrames_ -= n) <= 0) {
      // The new segment takes over on the beat; the one it replaces sends
      // no end, even when this is where it would have ended.
      const Ref<SegmentState> next = std::move(pending_);
      pending_.reset();
      // The bytes were read as a whole file when the segment was loaded;
      // should the player still refuse them, the music falls silent, which
      // is all this audio callback could do about it anyway.
      StartNow(next).Ignore("a refused hand-over leaves silence");
      continue;
    }
    CheckSegmentEnd();
  }
}

bool SynthPerformance::IsPlaying() const { return playing_ || pending_; }

void SynthPerformance::CheckSegmentEnd() {
  if (!playing_ || (framesLeft_ > 0 && fluid_player_get_status(synth_->player) != FLUID_PLAYER_DONE)) return;
  synth_->DropPlayer();
  NotifyEnd(playing_);
  playing_.reset();
}

}  // namespace platform::music
