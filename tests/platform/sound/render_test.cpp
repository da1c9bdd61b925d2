// What the listener hears, mixed through the loopback device.
#include "loopback.h"
#include "support/succeeds.h"

namespace sound_test {
namespace {

using Hearing = Loopback;

// The game's coordinates are left-handed: looking along +z with y up, +x is
// on the right. Looking along +x, +z is on the left.
TEST_F(Hearing, LeftHandedPositionsLandOnTheRightEar) {
  Ref<Sound3DBuffer> b3;
  Ref<SoundBuffer> tone = Tone(1.0, &b3);
  EXPECT_OK(tone->Play(kPlayLooping));
  EXPECT_OK(b3->SetPosition(5, 0, 0));
  Levels right = Settled();
  EXPECT_GT(right.right, 2 * right.left);
  EXPECT_OK(listener->SetOrientation({1, 0, 0}, {0, 1, 0}));
  EXPECT_OK(b3->SetPosition(0, 0, 5));
  Levels left = Settled();
  EXPECT_GT(left.left, 2 * left.right);
  EXPECT_OK(listener->SetPosition(0, 0, 10));  // the sound is now 5 towards -z: the right
  Levels moved = Settled();
  EXPECT_GT(moved.right, 2 * moved.left);
}

TEST_F(Hearing, AMinimumDistanceOfZeroIsTakenAsOne) {
  Ref<Sound3DBuffer> b3;
  Ref<SoundBuffer> tone = Tone(1.0, &b3);
  ASSERT_EQ(b3->SetMinDistance(0.0f), kOk);
  EXPECT_EQ(b3->MinDistance(), 1.0f);
  EXPECT_EQ(b3->SetMinDistance(-1.0f), kInvalidParam);
  EXPECT_OK(b3->SetMaxDistance(50.0f));
  EXPECT_OK(listener->SetRolloffFactor(0.1f));
  EXPECT_OK(b3->SetPosition(0, 0, 10));
  EXPECT_OK(tone->Play(kPlayLooping));
  EXPECT_GT(Render(4410).peak, 4000) << "about half as loud at ten units";
}

// The game lifts its far excavator sounds with a gain over the law and caps
// them with the ceiling: the cap must act after the law, or a near camera
// would hear the lifted sound at full gain.
TEST_F(Hearing, AGainLiftsAFarSoundAndTheCeilingHoldsANearOne) {
  Ref<Sound3DBuffer> b3;
  Ref<SoundBuffer> tone = Tone(1.0, &b3);
  EXPECT_OK(listener->SetRolloffFactor(0.1f));
  EXPECT_OK(b3->SetMaxDistance(50.0f));
  EXPECT_OK(tone->Play(kPlayLooping));
  EXPECT_OK(b3->SetPosition(0, 0, 41));  // the law gives 1 / (1 + 0.1 * 40) = 0.2
  const int plain = Settled().peak;
  ASSERT_EQ(b3->SetGain(3.0f), kOk);
  ASSERT_EQ(b3->SetGainCeiling(0.7f), kOk);
  EXPECT_NEAR(Settled().peak, 3.0 * plain, 0.05 * plain);
  EXPECT_OK(b3->SetPosition(0, 0, 1));  // the law gives 1, the gain 3, the ceiling 0.7
  EXPECT_NEAR(Settled().peak, 0.7 / 0.2 * plain, 0.05 * plain);
}

}  // namespace
}  // namespace sound_test
