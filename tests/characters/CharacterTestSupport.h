#pragma once

#include <functional>
#include <memory>
#include <string>

#include "figures/FigureTestSupport.h"
#include "game/characters/Hunter.h"
#include "game/characters/Jester.h"
#include "game/characters/Queen.h"

// Figures on the real board with the characters' pictures (frames without pixels) and sounds.
class CharacterTest : public FigureTest {
protected:
    static constexpr float kStep = 0.0625f;

    void SetUp() override
    {
        FigureTest::SetUp();
        for (const char* sound : {"jesterbush", "jesterjoke", "hunterdoor", "huntergun", "dropSound", "geweihCrash",
                                  "stopwatchSound", "dwarfRoundFinished"}) {
            SoundEngine::Instance().AddAudioEvent(sound, AudioEvent());
        }
        for (const char* label : {"hofnarr_appear", "hofnarr_joke_S", "hofnarr_joke_E", "hofnarr_joke_W",
                                  "queen_chew", "queen_complain1", "queen_complain2", "queen_clap"}) {
            AddStrip(label);
        }
        // The search looks south on frames 0, 5 and 10 of twelve; the aim sweeps directions 0 to 10.
        SpriteManager::Instance().StoreSprite(std::make_unique<BlankStrip>(12), "hofnarr_searching");
        SpriteManager::Instance().StoreSprite(std::make_unique<BlankStrip>(11), "jaeger_zielen");
    }

    // A character made from its settings section, registered in the cast under its class's name.
    template <class Character>
    std::unique_ptr<Character> Make(const std::string& section, const std::string& settings)
    {
        auto character = std::make_unique<Character>();
        dir.Write("character.txt", "[" + section + "] \"C\"\n{\n" + settings + "\n}\n");
        File file;
        EXPECT_TRUE(file.Open("character.txt", "r"));
        AsciiSerializer reader(file, false);
        character->Parameters(reader, "C");
        Cast::Instance().Register(character.get(), section, true);
        character->Reset();
        return character;
    }

    // Updates until done holds; false when it does not within ten seconds.
    static bool RunUntil(GameElement& element, const std::function<bool()>& done)
    {
        for (float elapsed = 0.0f; elapsed < 10.0f; elapsed += kStep) {
            if (done()) {
                return true;
            }
            element.Update(kStep);
        }
        return done();
    }
};
