#pragma once
// The excavator's pose at the end of the last playing step, and putting the
// machine back there when a step ran it into something.

namespace game {

// The five moving parts, in the order the saved pose keeps them.
enum class Part { Chassis, Body, Boom, Arm, Bucket };

void SaveExcavatorPose();
// Stops the part and sets its orientation, then its position, from the
// saved pose.
void StopPart(Part part);
void RestoreOrientation(Part part);
void RestorePosition(Part part);

// Each part's own transform in the last pose that passed the collision
// tests, kept and put back exactly: the saved floats, turned back into
// transforms, come out a few millionths off.
void KeepPassedPose();
void PutBackPassedPose();
// A new stage: the last stage's pose is nothing to put back.
void ForgetPassedPose();

}  // namespace game
