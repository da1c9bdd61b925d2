// What the listener hears, mixed through the loopback device.
#include "loopback.h"

namespace sound_test {
namespace {

using Hearing = Loopback;

// The game's coordinates are left-handed: looking along +z with y up, +x is
// on the right. Looking along +x, +z is on the left.
TEST_F(Hearing, LeftHandedPositionsLandOnTheRightEar) {
  Ref<Sound3DBuffer> b3;
  Ref<SoundBuffer> tone = Tone(1.0, &b3);
  tone->Play(kPlayLooping);
  b3->SetPosition(5, 0, 0);
  Levels right = Settled();
  EXPECT_GT(right.right, 2 * right.left);
  listener->SetOrientation({1, 0, 0}, {0, 1, 0});
  b3->SetPosition(0, 0, 5);
  Levels left = Settled();
  EXPECT_GT(left.left, 2 * left.right);
  listener->SetPosition(0, 0, 10);  // the sound is now 5 towards -z: the right
  Levels moved = Settled();
  EXPECT_GT(moved.right, 2 * moved.left);
}

TEST_F(Hearing, AMinimumDistanceOfZeroIsTakenAsOne) {
  Ref<Sound3DBuffer> b3;
  Ref<SoundBuffer> tone = Tone(1.0, &b3);
  ASSERT_EQ(b3->SetMinDistance(0.0f), kOk);
  EXPECT_EQ(b3->MinDistance(), 1.0f);
  EXPECT_EQ(b3->SetMinDistance(-1.0f), kInvalidParam);
  b3->SetMaxDistance(50.0f);
  listener->SetRolloffFactor(0.1f);
  b3->SetPosition(0, 0, 10);
  tone->Play(kPlayLooping);
  EXPECT_GT(Render(4410).peak, 4000) << "about half as loud at ten units";
}

}  // namespace
}  // namespace sound_test
