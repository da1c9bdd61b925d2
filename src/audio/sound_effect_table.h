#pragma once
// The eighteen effect files in their loading order, and where each one sounds.
#include "audio/sound_effects.h"

namespace audio {

enum class EffectPlace { kNone, kExcavator, kListener };

struct EffectRow {
  const char* file;
  EffectPlace place;
};

extern const EffectRow kEffectTable[kEffectCount];

// The table row (0-based) of a played effect.
int EffectIndex(SoundEffect effect);

}  // namespace audio
