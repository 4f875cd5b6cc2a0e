#include "figures/FigureTestSupport.h"
#include "editor/DebugDisplay.h"
#include "game/level/BoardOverlay.h"
#include "game/steering/AStarController.h"
#include "game/steering/DumbComputerController.h"
#include "game/steering/PlayerController.h"
#include "platform/VirtualKeys.h"

class SteeringTest : public FigureTest {
protected:
    template <class Brains>
    static Brains& Steer(GameModel& figure)
    {
        auto brains = std::make_unique<Brains>();
        Brains& steering = *brains;
        steering.Attach(&figure);
        figure.ReplaceController(std::move(brains));
        return steering;
    }

    // Leaves nothing to chance: with aggressiveness it goes for the nearest figure, else for a
    // random cell, and strikes whatever comes within its reach.
    static AStarController& Rival(GameModel& figure, float aggressiveness)
    {
        AStarController& brains = Steer<AStarController>(figure);
        brains.generalAggressiveness = aggressiveness;
        brains.playerAggressiveness = brains.sleepiness = brains.persistance = 0.0f;
        brains.strikeDelay = 0.25f;
        return brains;
    }

    // The keyboard's frame, then the figure's, as the game runs them.
    static void Frames(GameModel& figure, int count)
    {
        for (int frame = 0; frame < count; ++frame) {
            KeyboardInput::Instance().Update(kFrame);
            figure.Update(kFrame);
        }
    }

    static float TimeToSwing(GameModel& figure)
    {
        return TimeUntil(figure, [&figure] { return figure.GetState() == GameModel::kStrike; });
    }

    // Fetched anew: each test starts with a fresh keyboard.
    static KeyboardInput& Keys() { return KeyboardInput::Instance(); }
};

TEST_F(SteeringTest, ArrowKeysSteerAndOppositeKeysStand)
{
    DwarfModel& dwarf = AddDwarf(At(16, 12));
    Steer<PlayerController>(dwarf);
    Keys().KeyDown(vk::kUp);
    Keys().KeyDown(vk::kLeft);
    Frames(dwarf, 1);
    EXPECT_EQ(dwarf.GetRequestedDirection(), 7);
    Keys().KeyUp(vk::kLeft);
    Keys().KeyDown(vk::kDown);
    Frames(dwarf, 1);
    EXPECT_EQ(dwarf.GetRequestedDirection(), direction::kStand);
}

TEST_F(SteeringTest, SpaceRaisesTheBoardOncePerPressAndStrikesOnRelease)
{
    AddStrip("tabor_schlag_S");
    DwarfModel& dwarf = AddDwarf(At(16, 12));
    Steer<PlayerController>(dwarf);
    Keys().KeyDown(vk::kSpace);
    Frames(dwarf, 8);
    EXPECT_EQ(dwarf.GetState(), GameModel::kStrike);
    EXPECT_FLOAT_EQ(dwarf.GetCharge(), 0.5f);
    Keys().KeyUp(vk::kSpace);
    Frames(dwarf, 1);
    EXPECT_TRUE(dwarf.IsReleased());
    Frames(dwarf, 8);
    ASSERT_NE(dwarf.GetState(), GameModel::kStrike);
    // Held past Force Max the board sinks, and stays down while the key is held.
    Keys().KeyDown(vk::kSpace);
    Frames(dwarf, 40);
    EXPECT_NE(dwarf.GetState(), GameModel::kStrike);
    // Letting go of a board that has sunk strikes nothing.
    Keys().KeyUp(vk::kSpace);
    Frames(dwarf, 2);
    EXPECT_NE(dwarf.GetState(), GameModel::kRaise);
    EXPECT_NE(dwarf.GetState(), GameModel::kStrike);
}

TEST_F(SteeringTest, CheckKeyCallsOncePerPress)
{
    AddStrip("tabor_schach_S");
    DwarfModel& dwarf = AddDwarf(At(16, 12));
    DwarfModel& striker = AddDwarf(At(18, 12), "", "marlo");
    Steer<PlayerController>(dwarf);
    dwarf.Hit(&striker, 0.0f);
    Keys().KeyDown('S');
    Frames(dwarf, 1);
    ASSERT_EQ(dwarf.GetState(), GameModel::kStagger);
    Keys().KeyUp('S');
    Frames(dwarf, 1);
    EXPECT_EQ(dwarf.GetState(), GameModel::kCheck);
    Frames(dwarf, 8);
    dwarf.Hit(&striker, 0.0f);
    Frames(dwarf, 2);
    EXPECT_EQ(dwarf.GetState(), GameModel::kStagger);
}

TEST_F(SteeringTest, WandererTurnsRoundAtAWallAndKeepsItsNewWayForASecond)
{
    DwarfModel& dwarf = AddDwarf(At(16.5f, 11.5f), kStill);
    const DumbComputerController& brains = Steer<DumbComputerController>(dwarf);
    Frames(dwarf, 1);
    const int first = brains.GetDirection();
    // Fifteen cells out from the middle, two cells on lies off the board.
    const Cell out = direction::CellStep(first);
    dwarf.SetPosition(At(16.5f + 15.0f * out.column, 16.5f + 15.0f * out.row));
    Frames(dwarf, 1);
    const int turned = brains.GetDirection();
    EXPECT_GE((turned - first + 8) % 8, 2);
    EXPECT_LE((turned - first + 8) % 8, 6);
    // Open ground all round.
    dwarf.SetPosition(At(16.5f, 11.5f));
    Frames(dwarf, 7);
    EXPECT_EQ(brains.GetDirection(), turned);
}

TEST_F(SteeringTest, RivalStrikesABystanderAfterTheStrikeDelayButTheNearestFigureItChoseAtOnce)
{
    DwarfModel& rival = AddDwarf(At(16, 12), kStill);
    AddDwarf(At(18, 12), "", "marlo");
    const AStarController& brains = Rival(rival, 0.0f);
    const float waited = TimeToSwing(rival);
    EXPECT_EQ(brains.GetTarget(), nullptr);
    EXPECT_GT(waited, brains.strikeDelay);
    EXPECT_LE(waited, brains.strikeDelay + 2 * kFrame);

    DwarfModel& hunter = AddDwarf(At(16, 24), kStill);
    const DwarfModel& nearest = AddDwarf(At(18, 24), "", "gandel");
    const AStarController& aggressive = Rival(hunter, 1.0f);
    EXPECT_EQ(TimeToSwing(hunter), kFrame);
    EXPECT_EQ(aggressive.GetTarget(), &nearest);
}

TEST_F(SteeringTest, KnightsThatSpareTheirOwnKindNeverStrikeAKnight)
{
    KnightModel& knight = AddKnight(At(16, 12), kStill);
    const KnightModel& other = AddKnight(At(18, 12));
    AStarController& brains = Rival(knight, 1.0f);
    brains.SetAttacksOwnKind(false);
    Run(knight, 2.0f);
    EXPECT_EQ(other.GetHitPoints(), KnightModel::kFullHitPoints);
    brains.SetAttacksOwnKind(true);
    Run(knight, 1.0f);
    EXPECT_TRUE(other.IsDown());
}

TEST_F(SteeringTest, RivalWhoseGoalIsABlockedCellStandsStill)
{
    DwarfModel& rival = AddDwarf(At(16.5f, 12.5f));
    // Its nearest figure faces south with its back to the blocked cell (8, 9): the goal.
    AddDwarf(At(8.5f, 10.5f), "", "marlo");
    AddDwarf(At(28.5f, 12.5f), "", "gandel");
    Rival(rival, 1.0f);
    const BoardPoint start = rival.GetPosition();
    Run(rival, 1.0f);
    EXPECT_EQ(rival.GetPosition(), start);
    EXPECT_EQ(rival.GetRequestedDirection(), direction::kStand);
}

// A settings file saved while a dwarf is steered by the player or wanders dizzily keeps the
// computer's steering it stands for: the next start reads it back.
TEST_F(SteeringTest, ParametersDescribeTheDwarfsOwnSteeringWhilePlayerOrDizzinessSteersIt)
{
    auto savedBrains = [this](DwarfModel& dwarf) {
        {
            File file;
            EXPECT_TRUE(file.Open("saved.txt", "w"));
            AsciiSerializer writer(file, true);
            writer.SubObject("F", &dwarf);
        }
        const std::string text = dir.Read("saved.txt");
        size_t brains = text.find("\"Brains\"");
        return brains == std::string::npos ? std::string() : text.substr(text.rfind("class type", brains), 80);
    };
    DwarfModel& player = AddDwarf(At(5, 5), "", DwarfModel::kPlayerName);
    ASSERT_TRUE(player.IsPlayer());
    EXPECT_EQ(savedBrains(player).find("class type: \"class AStarController\""), 0u) << savedBrains(player);

    DwarfModel& rival = AddDwarf(At(9, 9));
    Rival(rival, 0.5f);
    ASSERT_TRUE(rival.LendController(std::make_unique<DumbComputerController>()));
    EXPECT_FALSE(rival.LendController(std::make_unique<DumbComputerController>()));
    EXPECT_EQ(savedBrains(rival).find("class type: \"class AStarController\""), 0u) << savedBrains(rival);
    rival.TakeBackController();
    EXPECT_NE(dynamic_cast<AStarController*>(rival.GetController()), nullptr);
}

TEST_F(SteeringTest, TheOverlayShowsBlockedCellsFiguresAndTheComputersWayOnlyWhileOn)
{
    DwarfModel& rival = AddDwarf(At(4, 20));
    AddDwarf(At(20, 20));
    Rival(rival, 1.0f);
    Run(rival, kFrame);
    ASSERT_FALSE(dynamic_cast<AStarController*>(rival.GetController())->GetPath().empty());
    DebugDisplay& overlay = DebugDisplay::Instance();
    BoardOverlay::Submit(level.GetFigures());
    EXPECT_EQ(overlay.ShapeCount(), 0u);

    overlay.SetEnabled(true);
    BoardOverlay::Submit(level.GetFigures());
    size_t blocked = 0;
    for (int row = 0; row < GameMap::kSize; ++row) {
        for (int column = 0; column < GameMap::kSize; ++column) {
            blocked += GameMap::Instance().IsWalkable(column, row) ? 0 : 1;
        }
    }
    // Nine cells and a circle per figure; the rival's way and its goal.
    EXPECT_EQ(overlay.ShapeCount(), blocked + 2 * (9 + 1) + 2);
    overlay.Forget();
    DebugDisplay::Release();
}
