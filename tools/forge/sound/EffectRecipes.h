#pragma once

#include "sound/Synth.h"

// One function per kind of sound effect, rendered mono at synth::kEffectRate. Variants of a
// kind differ in pitch and body; each recipe seeds its own noise from its variant.
namespace recipes {

// Blows and bumps (ImpactSounds.cpp).
synth::Buffer BoardBonk(int variant);
synth::Buffer KnightBlow(int variant);
synth::Buffer BoardOnArmour(int variant);
synth::Buffer BodyFall(int variant);
// Variant 2 is the heavy swing of a big weapon.
synth::Buffer Swoosh(int variant);
synth::Buffer DoubleBonk();
synth::Buffer StopwatchTick();
synth::Buffer BoardPickUp();
synth::Buffer AntlerCrash();
synth::Buffer KnightDazed();
synth::Buffer Footstep(int variant);
synth::Buffer ArmouredStep(int variant);

// Tunes, pick-ups and bird song (JingleSounds.cpp).
synth::Buffer RoundWon();
synth::Buffer VictoryFanfare();
synth::Buffer LosingTune();
synth::Buffer DefaultPickUp();
synth::Buffer Coins();
synth::Buffer SpeedUp();
synth::Buffer SlowDown();
// A seamless loop of twittering birds circling a dazed head.
synth::Buffer TwitteringStars();
synth::Buffer FallingWhistle();
// The little bells of a jester's cap, shaken.
synth::Buffer CapBells(int variant);

// Breath, leaves, powder and hinges (CreatureSounds.cpp).
// Seamless snoring loops; variant 0 snores and puffs, variant 1 snores and whistles.
synth::Buffer Snore(int variant);
synth::Buffer Yawn();
synth::Buffer BushRustle();
synth::Buffer BombThrow();
synth::Buffer BombBlast();
synth::Buffer CreakingDoor();
synth::Buffer MusketShot();

}  // namespace recipes
