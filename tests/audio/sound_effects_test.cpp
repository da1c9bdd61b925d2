#include "audio/sound_effects.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "audio/music.h"
#include "audio/sound_effect_table.h"
#include "game/excavator.h"
#include "game/excavator_pose.h"
#include "game/start_game.h"
#include "platform/os/keyboard.h"
#include "support/built_scene.h"
#include "support/succeeds.h"
#include "wave_files.h"

namespace audio_test {
namespace {

namespace fs = std::filesystem;
namespace os = platform::os;
namespace snd = platform::sound;
using audio::SoundEffect;
using audio::soundObjects;
using platform::rm::Vec3;
using scene::objects;

std::uint32_t Position(SoundEffect e) {
  std::uint32_t at = 0;
  EXPECT_OK(soundObjects.buffers[audio::EffectIndex(e)]->GetCurrentPosition(&at));
  return at;
}
std::uint32_t Status(SoundEffect e) {
  std::uint32_t status = 0;
  EXPECT_OK(soundObjects.buffers[audio::EffectIndex(e)]->GetStatus(&status));
  return status;
}
int Peak(int frames) {
  int peak = 0;
  for (std::int16_t s : soundObjects.device->RenderSamples(frames)) peak = std::max(peak, std::abs(int{s}));
  return peak;
}

// The whole scene and the sound started as at start-up, on the loopback
// device, in a stage in play with the excavator mid-table.
class Sound : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    home = fs::current_path();
    fs::current_path(ZARN_RUN_DIR);
    BuiltScene::SetUp();
    soundObjects = audio::SoundObjects{};
  }
  void TearDown() override {
    audio::ReleaseSoundEffects();
    audio::ReleaseSound();
    BuiltScene::TearDown();
    fs::current_path(home);
  }
  void StartSound() {
    ASSERT_TRUE(audio::InitSound(*loopback));
    ASSERT_TRUE(audio::LoadSoundEffects());
  }
  void PlayStage() {
    game::gameState.speedFactor = 1.0f;
    game::gameState.stageNumber = 4;
    game::StartGameFromTitle();
    game::gameState.stageIntroActive = false;
    EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), 0, 0.1f, 40));
    game::SaveExcavatorPose();
  }
  void Step(std::initializer_list<int> keys) {
    os::ClearKeyboard();
    for (int k : keys) os::SetKeyDown(k, true);
    game::PlayExcavatorStep();
  }
  // What a load that must fail shows the player.
  static std::string FailedLoadMessages() {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(audio::LoadSoundEffects());
    return testing::internal::GetCapturedStderr();
  }
  fs::path home;
  const std::unique_ptr<snd::Service> loopback = snd::MakeLoopbackService();
};

TEST_F(Sound, LoopsFollowTheExcavatorsMotionAndAreNotRestartedWhileHeld) {
  StartSound();
  PlayStage();
  Step({os::vk::kTab, os::vk::kUp});
  ASSERT_TRUE(audio::IsLoopPlaying(SoundEffect::DriveLoop));
  EXPECT_EQ(Status(SoundEffect::DriveLoop), snd::kStatusPlaying | snd::kStatusLooping);
  audio::UpdateSoundPositions();
  EXPECT_GT(Peak(2205), 0);
  const std::uint32_t at = Position(SoundEffect::DriveLoop);
  EXPECT_GT(at, 0u);
  Step({os::vk::kTab, os::vk::kUp});
  EXPECT_GE(Position(SoundEffect::DriveLoop), at) << "held keys do not rewind the loop";

  Step({});
  EXPECT_FALSE(audio::IsLoopPlaying(SoundEffect::DriveLoop));
  EXPECT_EQ(Status(SoundEffect::DriveLoop), 0u);
  EXPECT_EQ(Peak(2205), 0);
  audio::StartLoop(SoundEffect::DriveLoop);  // starting again rewinds
  EXPECT_EQ(Position(SoundEffect::DriveLoop), 0u);
}

TEST_F(Sound, TheListenerFollowsTheActiveCameraAndTheExcavatorItsSounds) {
  StartSound();
  EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), 12, 3, -7));
  game::gameState.cameraIndex = 2;
  audio::UpdateSoundPositions();
  Vec3 camera, listener, p;
  EXPECT_OK(objects.camera[2]->GetPosition(objects.sceneRoot.get(), &camera));
  EXPECT_OK(soundObjects.listener->GetPosition(&listener));
  EXPECT_EQ(listener, camera);
  for (int i = 0; i < audio::kEffectCount; ++i) {
    EXPECT_OK(soundObjects.buffers3D[i]->GetPosition(&p));
    switch (audio::kEffectTable[i].place) {
      case audio::EffectPlace::kExcavator: EXPECT_EQ(p, (Vec3{12, 13, -7})) << i; break;
      case audio::EffectPlace::kListener: EXPECT_EQ(p, camera) << i; break;
      case audio::EffectPlace::kNone: EXPECT_EQ(p, Vec3{}) << i; break;
    }
  }
}

TEST_F(Sound, LoadingStopsAtTheFirstFileThatFails) {
  const fs::path dir = ScratchFolder("effects");
  for (const audio::EffectRow& row : audio::kEffectTable)
    if (std::string(row.file) != "W4.wav") fs::copy_file(row.file, dir / row.file);
  fs::current_path(dir);
  ASSERT_TRUE(audio::InitSound(*loopback));
  // The boxes keep their words; the line before them names the file.
  EXPECT_EQ(
      FailedLoadMessages(),
      "zarn: W4.wav: no such file\nError: WAVEファイルのオープンに失敗\nError: セカンダリ・バッファの作成に失敗\n");
  for (int i = 0; i < audio::kEffectCount; ++i) EXPECT_EQ(bool(soundObjects.buffers[i]), i < 3) << i;
  audio::PlayOnce(SoundEffect::FallSound);  // row 18: silent, harmless
  audio::StartLoop(SoundEffect::DriveLoop);
  EXPECT_GT(Peak(2205), 0) << "the rows before the gap still play";

  // A file that opens but cannot be played stops the loading at its row.
  audio::ReleaseSoundEffects();
  Save(dir / "W4.wav", Riff(4 + 24 + 8 + 8).Id("fmt ").U32(16).Pcm(1, 2).Id("data").U32(8).Fill(8, 0).bytes);
  EXPECT_EQ(FailedLoadMessages(), "Error: バッファの作成に失敗\nError: セカンダリ・バッファの作成に失敗\n");
  EXPECT_FALSE(soundObjects.buffers[3]);
}

// What a player hears in play, through the loopback device: the title-and-play
// track alone, then (music toggled off as F2 does) the excavator driving as
// the stage camera hears it. The effects must stand clearly over the music.
TEST_F(Sound, EffectsStandClearlyOverTheMusicWhichTheToggleSilences) {
  StartSound();
  PlayStage();
  ASSERT_TRUE(audio::InitMusic(*platform::music::MakeSynthService()).Ok());
  ASSERT_TRUE(audio::LoadMusic().Ok());
  // The RMS level, in dB below full scale, of what `seconds` of play sound like.
  auto listen = [&](int seconds, std::initializer_list<int> keys) {
    double sum = 0;
    for (int frame = 0; frame < seconds * 60; ++frame) {
      if (keys.size()) Step(keys);
      audio::UpdateSoundPositions();
      audio::ServiceMusic();
      for (std::int16_t s : soundObjects.device->RenderSamples(735)) sum += double(s) * s;
    }
    return 10 * std::log10(std::max(sum / (seconds * 60 * 735 * 2), 1e-9) / (32767.0 * 32767.0));
  };
  const double music = listen(10, {});
  audio::ToggleMusic();
  listen(1, {});  // the released notes fade
  EXPECT_LT(listen(1, {}), -80.0) << "the toggle silences the music";
  const double drive = listen(3, {os::vk::kTab, os::vk::kUp});
  RecordProperty("music_dbfs", std::to_string(music));
  RecordProperty("drive_dbfs", std::to_string(drive));
  // A game's usual loudness: the music a background near -30 dBFS, the
  // engine heard from the stage's camera some 9 dB over it.
  EXPECT_NEAR(music, -30.0, 3.0) << "the music plays at a background level";
  EXPECT_NEAR(drive, -21.0, 3.0);
  EXPECT_GT(drive, music + 6.0) << "driving " << drive << " dBFS over music " << music << " dBFS";
  audio::UnloadMusic();
  audio::CloseMusic();
}

}  // namespace
}  // namespace audio_test
