#pragma once

#include <array>
#include <string_view>

// Every audio event the game plays by name, with how it plays. The sound lists define each
// event from its file, and the settings file's "Sound Engine" block gives it group, volume,
// looping and pitch spread (the lists alone only make default events).
struct SoundEventEntry {
    std::string_view event;
    // The sample file, relative to the list's sample directory.
    std::string_view file;
    // The M key mutes groups 0 (the music streams) and 3, so only the tunes sit in 3; blows and
    // pick-ups (1) and the spoken calls (2) stay audible with the music off.
    int group;
    float volume;
    // Only the dwarf's own voices may loop ("stars", "snore1", "snore2"); a temporary voice
    // that loops would never end.
    bool looping;
    float pitchVariation;
};

inline constexpr int kEffectsGroup = 1;
inline constexpr int kVoicesGroup = 2;
inline constexpr int kTunesGroup = 3;

inline constexpr std::array kSoundEvents = {
    // The main level's clock and round results.
    SoundEventEntry{"stopwatchSound", "stopwatch.wav", kEffectsGroup, 0.60f, false, 0.00f},
    SoundEventEntry{"dwarfRoundFinished", "round_won.wav", kTunesGroup, 0.80f, false, 0.00f},
    SoundEventEntry{"dwarfLevelFinished", "fanfare.wav", kTunesGroup, 0.90f, false, 0.00f},
    SoundEventEntry{"gameover", "game_over.wav", kTunesGroup, 0.90f, false, 0.00f},
    // Falls and blows; the pitch spread keeps a brawl from sounding like one sample.
    SoundEventEntry{"bodyfall1", "bodyfall1.wav", kEffectsGroup, 0.85f, false, 0.10f},
    SoundEventEntry{"bodyfall2", "bodyfall2.wav", kEffectsGroup, 0.85f, false, 0.10f},
    SoundEventEntry{"bodyfall3", "bodyfall3.wav", kEffectsGroup, 0.85f, false, 0.10f},
    SoundEventEntry{"brett-hit1", "brett_hit1.wav", kEffectsGroup, 0.90f, false, 0.12f},
    SoundEventEntry{"brett-hit2", "brett_hit2.wav", kEffectsGroup, 0.90f, false, 0.12f},
    SoundEventEntry{"brett-hit3", "brett_hit3.wav", kEffectsGroup, 0.90f, false, 0.12f},
    SoundEventEntry{"brett-hit4", "brett_hit4.wav", kEffectsGroup, 0.90f, false, 0.12f},
    SoundEventEntry{"brett-hit5", "brett_hit5.wav", kEffectsGroup, 0.90f, false, 0.12f},
    SoundEventEntry{"brett-hit6", "brett_hit6.wav", kEffectsGroup, 0.90f, false, 0.12f},
    SoundEventEntry{"knight-hit1", "knight_hit1.wav", kEffectsGroup, 1.00f, false, 0.08f},
    SoundEventEntry{"knight-hit2", "knight_hit2.wav", kEffectsGroup, 1.00f, false, 0.08f},
    SoundEventEntry{"knight-hit3", "knight_hit3.wav", kEffectsGroup, 1.00f, false, 0.08f},
    SoundEventEntry{"brett-hitKnight1", "board_on_armour1.wav", kEffectsGroup, 0.90f, false, 0.10f},
    SoundEventEntry{"brett-hitKnight2", "board_on_armour2.wav", kEffectsGroup, 0.90f, false, 0.10f},
    SoundEventEntry{"brett-hitKnight3", "board_on_armour3.wav", kEffectsGroup, 0.90f, false, 0.10f},
    SoundEventEntry{"miss", "miss.wav", kEffectsGroup, 0.55f, false, 0.15f},
    SoundEventEntry{"doppelkopf", "doppelkopf.wav", kEffectsGroup, 1.00f, false, 0.05f},
    // The dwarf's own looping voices.
    SoundEventEntry{"stars", "stars.wav", kEffectsGroup, 0.45f, true, 0.00f},
    SoundEventEntry{"snore1", "snore1.wav", kEffectsGroup, 0.55f, true, 0.00f},
    SoundEventEntry{"snore2", "snore2.wav", kEffectsGroup, 0.55f, true, 0.00f},
    // Bomb, bullet and knights.
    SoundEventEntry{"hitByGun1", "hit_by_gun1.wav", kEffectsGroup, 0.90f, false, 0.05f},
    SoundEventEntry{"hitByGun2", "hit_by_gun2.wav", kEffectsGroup, 0.90f, false, 0.05f},
    SoundEventEntry{"bombThrow", "bomb_throw.wav", kEffectsGroup, 0.70f, false, 0.08f},
    SoundEventEntry{"starsKnight", "stars_knight.wav", kEffectsGroup, 0.80f, false, 0.06f},
    // Items picked up.
    SoundEventEntry{"boardItemSound", "item_board.wav", kEffectsGroup, 0.80f, false, 0.00f},
    SoundEventEntry{"defaultItemSound", "item_default.wav", kEffectsGroup, 0.70f, false, 0.00f},
    SoundEventEntry{"pointsItemSound", "item_points.wav", kEffectsGroup, 0.70f, false, 0.00f},
    SoundEventEntry{"sleepyItemSound", "item_sleepy.wav", kEffectsGroup, 0.80f, false, 0.00f},
    SoundEventEntry{"speedBonusItemSound", "item_speed_bonus.wav", kEffectsGroup, 0.70f, false, 0.00f},
    SoundEventEntry{"speedMalusItemSound", "item_speed_malus.wav", kEffectsGroup, 0.70f, false, 0.00f},
    // The jester.
    SoundEventEntry{"jesterbush", "jester_bush.wav", kEffectsGroup, 0.70f, false, 0.08f},
    SoundEventEntry{"jesterjoke", "jester_joke.wav", kVoicesGroup, 0.90f, false, 0.00f},
    // The hunter (created, though no level drives him).
    SoundEventEntry{"hunterdoor", "hunter_door.wav", kEffectsGroup, 0.80f, false, 0.00f},
    SoundEventEntry{"dropSound", "drop.wav", kEffectsGroup, 0.60f, false, 0.00f},
    SoundEventEntry{"huntergun", "hunter_gun.wav", kEffectsGroup, 1.00f, false, 0.05f},
    SoundEventEntry{"geweihCrash", "antler_crash.wav", kEffectsGroup, 0.90f, false, 0.05f},
    // Fired by the animations' event maps: steps, swings, the jester's cap and the bomb's bang.
    SoundEventEntry{"step1", "footstep1.wav", kEffectsGroup, 0.35f, false, 0.10f},
    SoundEventEntry{"step2", "footstep2.wav", kEffectsGroup, 0.35f, false, 0.10f},
    SoundEventEntry{"knightstep1", "knight_step1.wav", kEffectsGroup, 0.40f, false, 0.08f},
    SoundEventEntry{"knightstep2", "knight_step2.wav", kEffectsGroup, 0.40f, false, 0.08f},
    SoundEventEntry{"swish", "swish.wav", kEffectsGroup, 0.45f, false, 0.12f},
    SoundEventEntry{"swishHeavy", "swish_heavy.wav", kEffectsGroup, 0.55f, false, 0.10f},
    SoundEventEntry{"jesterbells", "jester_bells.wav", kEffectsGroup, 0.50f, false, 0.05f},
    SoundEventEntry{"bombExplosion", "bomb_blast.wav", kEffectsGroup, 1.00f, false, 0.06f},
    // "Schach!" calls: numbered from 1 without gaps, the dwarf stops looking at the first gap.
    SoundEventEntry{"fennoSchach1", "fenno_schach1.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"fennoSchach2", "fenno_schach2.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"taborSchach1", "tabor_schach1.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"taborSchach2", "tabor_schach2.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"quirnSchach1", "quirn_schach1.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"quirnSchach2", "quirn_schach2.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"marloSchach1", "marlo_schach1.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"marloSchach2", "marlo_schach2.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"gandelSchach1", "gandel_schach1.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"gandelSchach2", "gandel_schach2.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"ruvikSchach1", "ruvik_schach1.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"ruvikSchach2", "ruvik_schach2.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"holvoSchach1", "holvo_schach1.wav", kVoicesGroup, 1.00f, false, 0.00f},
    SoundEventEntry{"holvoSchach2", "holvo_schach2.wav", kVoicesGroup, 1.00f, false, 0.00f},
    // Stored by the credits' button but never played; defined so no look-up ever fails.
    SoundEventEntry{"rolloverSound", "brett_hit2.wav", kEffectsGroup, 0.60f, false, 0.00f},
    SoundEventEntry{"clickSound", "brett_hit1.wav", kEffectsGroup, 0.60f, false, 0.00f},
};
