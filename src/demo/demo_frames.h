#pragma once
// Which scene frames a recording holds, in the file's order, and how a pose
// of nine floats is taken from and put on a frame (relative to the scene
// root). A frame that does not exist is skipped.
#include <array>

#include "demo/demo_record.h"
#include "scene/scene_objects.h"

namespace demo {

// Chassis, body, boom, arm, bucket, the four tires, the three carried heaps.
std::array<scene::Frame*, kSampledFrames> SampledFrames();
// Milk and sugar covers, cup, glass, spoon, three dishes, two cakes.
std::array<scene::Frame*, kPropFrames> PropFrames();

void ReadPose(const scene::Frame* frame, float* pose);
void ApplyPose(scene::Frame* frame, const float* pose);

}  // namespace demo
