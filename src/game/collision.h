#pragma once
// Collision by probe rays: fixed segments between probe points on the
// excavator's parts are cast through the whole scene each step; geometry met
// inside a segment means that part overlaps something. The same rays tell
// whether the bucket is dipped into an ingredient (two coincident surfaces).
// The probes only answer: what the record shows of their answers is the
// caller's to write.
#include "platform/rm/math.h"

namespace game {

using platform::rm::Vec3;

// What a segment met first: nothing, an ingredient's surface (two surfaces
// in one place), or something solid.
enum class Contact { Clear, Coincident, Solid };

// The kinds of contact a chain of segments met.
struct Contacts {
  bool coincident = false;
  bool solid = false;
  void Add(Contact c) {
    coincident = coincident || c == Contact::Coincident;
    solid = solid || c == Contact::Solid;
  }
};

// Segment a -> b in scene-root coordinates.
Contact ProbeHit(Vec3 a, Vec3 b);
// Whether the second intersection along a -> b lies inside the segment.
bool ProbeSecondHit(Vec3 a, Vec3 b);

struct BucketArmProbe {
  bool hit = false;  // the bucket or arm met something
  Contacts contacts;
  bool dipped = false;  // the bucket is in an ingredient after this probe
};
// `wasDipped`: the bucket was dipped before this probe; a bucket stays
// dipped while its rays still meet an ingredient's surface.
BucketArmProbe BucketArmHits(bool wasDipped);
// The first contact of the chassis or upper structure, Clear when none.
Contact BaseBoxHits();

struct TableEdge {
  bool inside = true;              // all four wheels are on the table
  float offsetX = 0, offsetZ = 0;  // from the chassis to the first wheel off it
};
TableEdge TableEdgeInside();

}  // namespace game
