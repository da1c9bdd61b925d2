#include "audio/sound_effect_table.h"

namespace audio {

// Loading stops at the first file that fails, so this order decides which
// effects are left silent.
const EffectRow kEffectTable[kEffectCount] = {
    {"W1.wav", EffectPlace::kExcavator},  // DriveLoop
    {"W2.wav", EffectPlace::kExcavator},  // SwingLoop
    {"W3.wav", EffectPlace::kExcavator},  // HydraulicLoop
    {"W4.wav", EffectPlace::kNone},       {"W5.wav", EffectPlace::kListener},
    {"W6.wav", EffectPlace::kListener},  // OrderReadyChime
    {"WA.wav", EffectPlace::kListener},   {"WB.wav", EffectPlace::kListener},
    {"W7.wav", EffectPlace::kListener},                                        // ScoreTick
    {"W8.wav", EffectPlace::kListener},   {"W9.wav", EffectPlace::kListener},  // CursorMove
    {"W10.wav", EffectPlace::kNone},      {"W11.wav", EffectPlace::kListener},
    {"W12.wav", EffectPlace::kListener},  {"W13.wav", EffectPlace::kListener},  // ButtonAssigned
    {"W14.wav", EffectPlace::kExcavator}, {"W15.wav", EffectPlace::kExcavator},
    {"W16.wav", EffectPlace::kExcavator},  // FallSound
};

int EffectIndex(SoundEffect effect) {
  switch (effect) {
    case SoundEffect::DriveLoop: return 0;
    case SoundEffect::SwingLoop: return 1;
    case SoundEffect::HydraulicLoop: return 2;
    case SoundEffect::OrderReadyChime: return 5;
    case SoundEffect::ScoreTick: return 8;
    case SoundEffect::CursorMove: return 10;
    case SoundEffect::ButtonAssigned: return 14;
    case SoundEffect::FallSound: return 17;
  }
  return -1;
}

}  // namespace audio
