#pragma once
// Collision by probe rays: fixed segments between probe points on the
// excavator's parts are cast through the whole scene each step; geometry met
// inside a segment means that part overlaps something. The same rays tell
// whether the bucket is dipped into an ingredient (two coincident surfaces).
#include "platform/rm/math.h"

namespace game {

using platform::rm::Vec3;

// Segment a -> b in scene-root coordinates; 1 = hit (sets coincidentHit or
// solidHit), 0 = clear.
int ProbeHit(Vec3 a, Vec3 b);
// 1 when the second intersection along a -> b lies inside the segment.
int ProbeSecondHit(Vec3 a, Vec3 b);
int BucketArmHits();
int BaseBoxHits();
// 1 when all four wheels are on the table; 0 sets edgeOffset.
int TableEdgeInside();

}  // namespace game
