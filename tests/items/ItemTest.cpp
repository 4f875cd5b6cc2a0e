#include "figures/FigureTestSupport.h"
#include "game/items/BonusItem.h"
#include "game/steering/DumbComputerController.h"
#include "game/steering/PlayerController.h"
#include "util/Factory.h"
#include "util/Randomizer.h"

namespace {

// A level that runs its passes as a round does: figures, then items, then what left play.
class ItemLevel : public FigureLevel {
public:
    void Pass(float dtSeconds)
    {
        for (GameModel* figure : figures) {
            figure->Update(dtSeconds);
        }
        UpdateDynamics(dtSeconds);
        ProcessForgetList();
    }

    void DeleteItems() { ClearDynamics(); }
};

class ItemTest : public FigureTest {
protected:
    static constexpr Cell kCell{15, 11};

    void SetUp() override
    {
        FigureTest::SetUp();
        for (const char* sound : {"defaultItemSound", "boardItemSound", "pointsItemSound", "sleepyItemSound",
                                  "speedBonusItemSound", "speedMalusItemSound"}) {
            SoundEngine::Instance().AddAudioEvent(sound, AudioEvent());
        }
        GameMap::Instance().SetLevel(&board);
    }

    void TearDown() override
    {
        board.DeleteItems();
        FigureTest::TearDown();
    }

    DwarfModel& Dwarf(BoardPoint at, const std::string& settings = "", const std::string& name = "tabor")
    {
        DwarfModel& dwarf = AddDwarf(at, settings, name);
        board.Enter(dwarf);
        return dwarf;
    }

    // A clone of a prototype that the factory made by class name and read from its block.
    BonusItem& Place(const std::string& kind, const std::string& settings, Cell cell = kCell)
    {
        std::unique_ptr<GameElement> made = Factory<GameElement>::Create(kind);
        auto* prototype = dynamic_cast<BonusItem*>(made.get());
        EXPECT_NE(prototype, nullptr) << kind;
        dir.Write("item.txt", "[" + kind + "] \"P\"\n{\n" + settings + "\n}\n");
        File file;
        EXPECT_TRUE(file.Open("item.txt", "r"));
        AsciiSerializer reader(file, false);
        prototype->Parameters(reader, "P");
        std::unique_ptr<BonusItem> item = prototype->Clone();
        item->PlaceAt(cell.column, cell.row);
        BonusItem& placed = *item;
        BonusItem::Register(std::move(item));
        return placed;
    }

    // Where an item on the cell lies.
    static BoardPoint On(Cell cell = kCell) { return At(cell.column + 1.0f, cell.row + 1.0f); }

    void Passes(int count)
    {
        for (int pass = 0; pass < count; ++pass) {
            board.Pass(kFrame);
        }
    }

    ItemLevel board;
};

TEST_F(ItemTest, SkateAndSpeedItemsAtTheirBoundsChangeNothingAndBelowThemWorkUntilTheTimerPassesZero)
{
    DwarfModel& dwarf = Dwarf(On(), "\"maximum Speed\" 0.25\n\"Accelleration Time\" 0.25");
    const std::string working = "\n\"Working time\" 0.5";
    BonusItem& tooSlippery = Place("SkateItem", "\"skateBonus\" 0.75\n\"Max skate factor\" 1");
    tooSlippery.PickUp(&dwarf);
    EXPECT_FALSE(tooSlippery.IsDone());
    ASSERT_EQ(BonusItem::Collectables().size(), 1u);
    BonusItem& tooFast = Place("SpeedBonusItem", "\"speedBonus\" 0.25\n\"Max Bonus Speed\" 0.5" + working);
    tooFast.PickUp(&dwarf);
    BonusItem& tooSlow = Place("SpeedMalusItem", "\"speedMalus\" 0.125\n\"Min Malus Speed\" 0.125" + working);
    tooSlow.PickUp(&dwarf);
    // Collected, with their points, yet working on nobody.
    EXPECT_EQ(dwarf.GetTotalScore(), 20);
    EXPECT_EQ(tooFast.GetHolder(), nullptr);
    EXPECT_EQ(tooSlow.GetHolder(), nullptr);
    EXPECT_FLOAT_EQ(dwarf.GetMaxSpeed(), 0.25f);

    Place("SkateItem", "\"skateBonus\" 0.5\n\"Max skate factor\" 1" + working).PickUp(&dwarf);
    Place("SpeedBonusItem", "\"speedBonus\" 0.125\n\"Max Bonus Speed\" 0.5" + working).PickUp(&dwarf);
    Place("SpeedMalusItem", "\"speedMalus\" 0.0625\n\"Min Malus Speed\" 0.0625" + working).PickUp(&dwarf);
    EXPECT_FLOAT_EQ(dwarf.GetAccelerationTime(), 0.75f);
    EXPECT_FLOAT_EQ(dwarf.GetMaxSpeed(), 0.3125f);
    // Four frames bring the timers to exactly 0: not yet expired.
    Passes(4);
    EXPECT_FLOAT_EQ(dwarf.GetMaxSpeed(), 0.3125f);
    Passes(1);
    EXPECT_FLOAT_EQ(dwarf.GetAccelerationTime(), 0.25f);
    EXPECT_FLOAT_EQ(dwarf.GetMaxSpeed(), 0.25f);
    EXPECT_EQ(board.DynamicCount(), 1) << "only the skate item left lying";
}

TEST_F(ItemTest, DizzyDwarfGetsItsOwnSteeringBackWhenStruckAndWhenTheItemIsDeleted)
{
    DwarfModel& dwarf = Dwarf(On());
    DwarfModel& rival = Dwarf(At(20, 12), "", "marlo");
    dwarf.ReplaceController(std::make_unique<PlayerController>());
    const DwarfController* own = dwarf.GetController();
    Place("DizzyItem", "").PickUp(&dwarf);
    const DwarfController* lent = dwarf.GetController();
    EXPECT_NE(dynamic_cast<const DumbComputerController*>(lent), nullptr);
    // A second dizzy item keeps the first one's steering, which alone goes back.
    Place("DizzyItem", "").PickUp(&dwarf);
    EXPECT_EQ(dwarf.GetController(), lent);
    Passes(2);
    dwarf.Hit(&rival, 0.0f);
    board.Pass(kFrame);
    EXPECT_EQ(dwarf.GetController(), own);

    TimeUntil(dwarf, [&dwarf] { return !dwarf.IsDown(); });
    Place("DizzyItem", "").PickUp(&dwarf);
    const BonusItem& lying = Place("PointsItem", "", {5, 20});
    ASSERT_EQ(GameMap::Instance().ItemAt(5, 20), &lying);
    board.DeleteItems();
    EXPECT_EQ(dwarf.GetController(), own);
    EXPECT_EQ(GameMap::Instance().ItemAt(5, 20), nullptr);
    EXPECT_TRUE(BonusItem::Collectables().empty());
}

TEST_F(ItemTest, ComputerDwarfsLeavePointsItemsToThePlayersDwarfButTakeBoards)
{
    DwarfModel& rival = Dwarf(On());
    Place("PointsItem", "\"Points\" 30");
    board.Pass(kFrame);
    EXPECT_EQ(rival.GetTotalScore(), 0);
    ASSERT_EQ(BonusItem::Collectables().size(), 1u);
    constexpr Cell kBoardCell{24, 24};
    Place("BoardItem", "", kBoardCell);
    rival.SetPosition(On(kBoardCell));
    DwarfModel& player = Dwarf(On(), "", DwarfModel::kPlayerName);
    board.Pass(kFrame);
    EXPECT_EQ(player.GetTotalScore(), 30);
    EXPECT_TRUE(rival.CarriesBoard());
    EXPECT_EQ(board.DynamicCount(), 0);
}

TEST_F(ItemTest, BombBlastStrikesTheDwarfsWithinItsRadiusPastKnightsAndWaitsForItsSixthFrame)
{
    SpriteManager::Instance().StoreSprite(std::make_unique<BlankStrip>(13), "bomb");
    const DwarfModel& near = Dwarf(At(17, 12));
    KnightModel& knight = AddKnight(At(16, 14));
    board.Enter(knight);
    const DwarfModel& pastKnight = Dwarf(At(16, 9.1f), "", "marlo");
    const DwarfModel& atRadius = Dwarf(At(19, 12), "", "quirn");
    // The default radius of three cells, from the bomb's cell centre at (16, 12).
    Place("BombItem", "\"animation Name\" \"bomb\"\n\"OnScreen time\" 0.5");
    // Four frames of fuse, then the explosion reaches frame 6 of 13 in the fourth frame after.
    Passes(7);
    EXPECT_FALSE(near.IsDown());
    board.Pass(kFrame);
    EXPECT_TRUE(near.IsDown());
    EXPECT_TRUE(pastKnight.IsDown());
    EXPECT_FALSE(atRadius.IsDown());
    EXPECT_EQ(knight.GetHitPoints(), 2);
    Passes(3);
    EXPECT_EQ(board.DynamicCount(), 0);
}

TEST_F(ItemTest, RandomPlacementKeepsAwayFromThePlayerUntilTheEighthDraw)
{
    const DwarfModel& player = Dwarf(On(), "", DwarfModel::kPlayerName);
    const BonusItem& prototype = Place("PointsItem", "", {1, 1});
    GameMap& map = GameMap::Instance();
    auto placeAtRandom = [&prototype] {
        std::unique_ptr<BonusItem> item = prototype.Clone();
        item->PlaceAtRandom();
        const Cell cell = item->GetCell();
        BonusItem::Register(std::move(item));
        return cell;
    };
    Randomizer::Instance().Seed(7);
    EXPECT_GE(GameMap::CellDistanceSquared(placeAtRandom(), player.GetCell()), 16.0f);

    // Only cells near the player left free: the eighth cell drawn is taken.
    std::vector<Cell> blocked;
    for (int row = 0; row < board::kCells; ++row) {
        for (int column = 0; column < board::kCells; ++column) {
            const bool far = GameMap::CellDistanceSquared({column, row}, player.GetCell()) >= 16.0f;
            if (far && map.IsWalkable(column, row) && !map.ItemAt(column, row) && !map.FigureAt(column, row)) {
                map.SetItem(const_cast<BonusItem*>(&prototype), column, row);
                blocked.push_back({column, row});
            }
        }
    }
    Randomizer::Instance().Seed(7);
    Cell eighth = GameMap::kNoCell;
    for (int draw = 0; draw < 8; ++draw) {
        eighth = map.RandomFreeCell();
    }
    Randomizer::Instance().Seed(7);
    const Cell placed = placeAtRandom();
    for (Cell cell : blocked) {
        map.SetItem(nullptr, cell.column, cell.row);
    }
    EXPECT_EQ(placed, eighth);
}

}  // namespace
