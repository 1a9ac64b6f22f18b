// The game's sound requests. Every effect plays at full volume from the centre: the sound
// library's pan 0 would put it in the right ear only.
#pragma once

#include "sound/sound_effects.h"

inline void PlayGameEffect(const char* name) { g_SoundEffects.PlayEffect(name, 0xFFFF, SoundEffects::kCentrePan); }
