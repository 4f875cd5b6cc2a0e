#include "sound/EffectCatalogue.h"

#include <array>

#include "sound/EffectRecipes.h"

namespace effects {

namespace {

struct Entry {
    std::string_view file;
    Render render;
};

constexpr std::array kEntries = {
    Entry{"stopwatch.wav", &recipes::StopwatchTick},
    Entry{"round_won.wav", &recipes::RoundWon},
    Entry{"fanfare.wav", &recipes::VictoryFanfare},
    Entry{"game_over.wav", &recipes::LosingTune},
    Entry{"bodyfall1.wav", [] { return recipes::BodyFall(0); }},
    Entry{"bodyfall2.wav", [] { return recipes::BodyFall(1); }},
    Entry{"bodyfall3.wav", [] { return recipes::BodyFall(2); }},
    Entry{"brett_hit1.wav", [] { return recipes::BoardBonk(0); }},
    Entry{"brett_hit2.wav", [] { return recipes::BoardBonk(1); }},
    Entry{"brett_hit3.wav", [] { return recipes::BoardBonk(2); }},
    Entry{"brett_hit4.wav", [] { return recipes::BoardBonk(3); }},
    Entry{"brett_hit5.wav", [] { return recipes::BoardBonk(4); }},
    Entry{"brett_hit6.wav", [] { return recipes::BoardBonk(5); }},
    Entry{"knight_hit1.wav", [] { return recipes::KnightBlow(0); }},
    Entry{"knight_hit2.wav", [] { return recipes::KnightBlow(1); }},
    Entry{"knight_hit3.wav", [] { return recipes::KnightBlow(2); }},
    Entry{"board_on_armour1.wav", [] { return recipes::BoardOnArmour(0); }},
    Entry{"board_on_armour2.wav", [] { return recipes::BoardOnArmour(1); }},
    Entry{"board_on_armour3.wav", [] { return recipes::BoardOnArmour(2); }},
    Entry{"miss.wav", [] { return recipes::Swoosh(0); }},
    Entry{"doppelkopf.wav", &recipes::DoubleBonk},
    Entry{"stars.wav", &recipes::TwitteringStars},
    Entry{"snore1.wav", [] { return recipes::Snore(0); }},
    Entry{"snore2.wav", [] { return recipes::Snore(1); }},
    Entry{"bomb_throw.wav", &recipes::BombThrow},
    Entry{"bomb_blast.wav", &recipes::BombBlast},
    Entry{"stars_knight.wav", &recipes::KnightDazed},
    Entry{"item_board.wav", &recipes::BoardPickUp},
    Entry{"item_default.wav", &recipes::DefaultPickUp},
    Entry{"item_points.wav", &recipes::Coins},
    Entry{"item_sleepy.wav", &recipes::Yawn},
    Entry{"item_speed_bonus.wav", &recipes::SpeedUp},
    Entry{"item_speed_malus.wav", &recipes::SlowDown},
    Entry{"jester_bush.wav", &recipes::BushRustle},
    Entry{"hunter_door.wav", &recipes::CreakingDoor},
    Entry{"drop.wav", &recipes::FallingWhistle},
    Entry{"hunter_gun.wav", &recipes::MusketShot},
    Entry{"antler_crash.wav", &recipes::AntlerCrash},
    Entry{"footstep1.wav", [] { return recipes::Footstep(0); }},
    Entry{"footstep2.wav", [] { return recipes::Footstep(1); }},
    Entry{"knight_step1.wav", [] { return recipes::ArmouredStep(0); }},
    Entry{"knight_step2.wav", [] { return recipes::ArmouredStep(1); }},
    Entry{"swish.wav", [] { return recipes::Swoosh(1); }},
    Entry{"swish_heavy.wav", [] { return recipes::Swoosh(2); }},
    Entry{"jester_bells.wav", [] { return recipes::CapBells(0); }},
};

}  // namespace

Render Find(std::string_view file)
{
    for (const Entry& entry : kEntries) {
        if (entry.file == file) {
            return entry.render;
        }
    }
    return nullptr;
}

}  // namespace effects
