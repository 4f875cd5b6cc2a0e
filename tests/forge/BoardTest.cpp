#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "board/BoardGround.h"
#include "board/BoardLayout.h"
#include "board/BoardScene.h"
#include "board/ForgeBoard.h"
#include "core/ForgeOutput.h"
#include "forge/ForgeTestSupport.h"
#include "images/BmpLoader.h"
#include "items/ForgeItems.h"
#include "items/ItemSoundEvents.h"
#include "spritemanager/SpriteTestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMaxFramePixels = 360000;

using forge_test::IsMagenta;
using forge_test::ListEntry;
using forge_test::ReadBytes;
using forge_test::ReadList;

int Difference(Color c, const Rgba& reference)
{
    return std::abs(ColorRed(c) - reference.r) + std::abs(ColorGreen(c) - reference.g) +
           std::abs(ColorBlue(c) - reference.b);
}

void Forge(const fs::path& root)
{
    ForgeOutput output(root);
    ForgeBoard(output);
    ForgeItems(output);
    output.WriteLists();
}

// The board is forged once for all tests; each test links the data into its own directory.
class BoardTest : public GraphicsTest {
protected:
    static void SetUpTestSuite()
    {
        root = fs::temp_directory_path() / ("qm-board-" + std::to_string(::getpid()));
        fs::remove_all(root);
        Forge(root);
    }

    static void TearDownTestSuite() { fs::remove_all(root); }

    void SetUp() override
    {
        GraphicsTest::SetUp();
        fs::create_directory_symlink(root / "data", dir.Path() / "data");
    }

    static std::unique_ptr<Image> Picture(const std::string& label)
    {
        return BmpLoader::Instance().Load(("data/level01/sprites/" + label + ".bmp").c_str());
    }

    static fs::path root;
};

fs::path BoardTest::root;

TEST_F(BoardTest, ListsEveryBoardLabelWithItsTypeAndFrames)
{
    std::map<std::string, std::pair<std::string, int>> expected = {
        {"anim_chimmney", {"anim", 10}},  {"anim_water", {"anim", 8}},    {"anim_forest", {"anim", 6}},
        {"item_pilze_02", {"anim_rle", 1}}, {"dizzy_item", {"anim_rle", 1}}, {"skate_item", {"anim_rle", 1}},
        {"bomb", {"anim_rle", 13}},       {"geweih", {"anim_rle", 1}}};
    for (const char* label : {"background", "mask_tree", "mask_well", "mask_wood", "mask_barrel", "mask_tabletop",
                              "mask_fence", "mask_shrub_front_01", "mask_shrub_front_02", "mask_shrub_front_03",
                              "mask_hay"}) {
        expected[label] = {"static", 1};
    }
    std::map<std::string, ListEntry> entries = ReadList(root / "data/level01/sprites.txt");
    for (const auto& [label, typeAndFrames] : expected) {
        ASSERT_EQ(entries.count(label), 1u) << label;
        EXPECT_EQ(entries[label].type, typeAndFrames.first) << label;
        EXPECT_EQ(entries[label].frames, typeAndFrames.second) << label;
        EXPECT_EQ(entries[label].mode, "normx") << label;
    }
    EXPECT_EQ(ReadBytes(root / "data/level01/sprites/bomb_audioevents.txt"),
              std::string("0.46 ") + item_sounds::kBombBang + "\n");
}

TEST_F(BoardTest, PicturesHaveTheDepthsAndShapesTheEngineNeedsAndTheBackgroundIsWholeWithCalmSkyUnderTheHud)
{
    for (const auto& [label, entry] : ReadList(root / "data/level01/sprites.txt")) {
        std::unique_ptr<Image> picture = Picture(entry.file);
        ASSERT_NE(picture, nullptr) << label;
        ASSERT_EQ(picture->GetHeight() % entry.frames, 0) << label;
        if (entry.type != "anim_rle") {
            EXPECT_EQ(picture->GetDepth(), 24) << label;
            continue;
        }
        ASSERT_EQ(picture->GetDepth(), 8) << label;
        EXPECT_LE((picture->GetWidth() + 2) * (picture->GetHeight() / entry.frames), kMaxFramePixels) << label;
        EXPECT_EQ(picture->GetPalette()[0], MakeColor(0, 0, 0)) << label;
        // Items and the blast stay inside their cells: the side columns are transparent; no used
        // colour is near black, which would turn transparent.
        std::set<int> used;
        for (int y = 0; y < picture->GetHeight(); ++y) {
            EXPECT_EQ(picture->Row(y)[0], 0) << label << " row " << y;
            EXPECT_EQ(picture->Row(y)[picture->GetWidth() - 1], 0) << label << " row " << y;
            used.insert(picture->Row(y), picture->Row(y) + picture->GetWidth());
        }
        for (int index : used) {
            Color c = picture->GetPalette()[index];
            EXPECT_TRUE(index == 0 || ColorRed(c) >= 16 || ColorGreen(c) >= 16 || ColorBlue(c) >= 16) << label << index;
        }
    }
    std::unique_ptr<Image> background = Picture("background");
    ASSERT_NE(background, nullptr);
    ASSERT_EQ(background->GetWidth(), board::kScreenWidth);
    ASSERT_EQ(background->GetHeight(), board::kScreenHeight);
    for (int y = 0; y < background->GetHeight(); ++y) {
        for (int x = 0; x < background->GetWidth(); ++x) {
            ASSERT_FALSE(IsMagenta(background->GetPixel(x, y))) << "hole in the background at " << x << ", " << y;
        }
    }
    // The clock, the total score and the round scores under the dwarf panels stand on sky.
    const int areas[3][4] = {{board::kClockX, board::kClockY, board::kClockX + 110, board::kClockY + 40},
                             {board::kScoreRight - 150, board::kScoreY, board::kScoreRight, board::kScoreY + 40},
                             {board::kPanelX, 86, board::kPanelX + board::kPanelStep * board::kPanelCount, 104}};
    for (const auto& area : areas) {
        for (int y = area[1]; y < area[3]; ++y) {
            for (int x = area[0]; x < area[2]; ++x) {
                Color c = background->GetPixel(x, y);
                ASSERT_GT(ColorBlue(c), ColorRed(c)) << "not sky at " << x << ", " << y;
            }
        }
    }
}

// Every blocked cell on screen shows an obstacle or grass; walkable cells show the bare courtyard.
TEST_F(BoardTest, ObstaclesStandOnTheirBlockedCellsAndWalkableCellsLookWalkable)
{
    std::unique_ptr<Image> background = Picture("background");
    ASSERT_NE(background, nullptr);
    Canvas bare(board::kScreenWidth, board::kScreenHeight);
    board::PaintGround(bare);
    int walkable = 0;
    int bareWalkable = 0;
    std::string covered;
    for (int row = 0; row < board::kCells; ++row) {
        for (int column = 0; column < board::kCells; ++column) {
            board::ScreenPixel centre = board::Project((column + 0.5) / board::kCells, (row + 0.5) / board::kCells);
            if (centre.x < 0 || centre.x >= board::kScreenWidth || centre.y >= board::kScreenHeight) {
                continue;
            }
            Color shown = background->GetPixel(centre.x, centre.y);
            const Rgba& ground = bare.At(centre.x, centre.y);
            bool grass = ground.g > ground.r;
            if (!board::IsBlocked(column, row)) {
                ++walkable;
                EXPECT_FALSE(grass) << "grass on walkable cell " << column << ", " << row;
                if (Difference(shown, ground) == 0) {
                    ++bareWalkable;
                } else {
                    covered += " " + std::to_string(column) + "," + std::to_string(row);
                }
                continue;
            }
            if (board::IsGrassCell(column, row)) {
                EXPECT_TRUE(grass || Difference(shown, ground) > 30) << "cell " << column << ", " << row;
            } else {
                EXPECT_GT(Difference(shown, ground), 30) << "bare board on blocked cell " << column << ", " << row;
            }
        }
    }
    EXPECT_GT(walkable, 600);
    // Objects in front of a walkable cell may hide it (figures there are drawn behind them).
    EXPECT_GE(bareWalkable * 10, walkable * 8) << bareWalkable << " of " << walkable << ":" << covered;
}

// The opaque pixels of the top frame of a cut, each of which must equal the background where the cut is drawn.
int OpaqueCutPixels(const Image& cut, int cellHeight, const board::Placement& at, const Image& background)
{
    int opaque = 0;
    for (int y = 0; y < cellHeight; ++y) {
        for (int x = 0; x < cut.GetWidth(); ++x) {
            Color c = cut.GetPixel(x, y);
            if (IsMagenta(c)) {
                continue;
            }
            if (c != background.GetPixel(at.x + x, at.y + y)) {
                ADD_FAILURE() << at.label << " differs from the background at " << x << ", " << y;
                return 0;
            }
            ++opaque;
        }
    }
    return opaque;
}

TEST_F(BoardTest, MasksAndAnimationsAreCutFromTheBackgroundWhereTheyAreDrawn)
{
    std::unique_ptr<Image> background = Picture("background");
    ASSERT_NE(background, nullptr);
    // A cell of each masked obstacle whose projection the mask must cover within 40 px above it.
    const std::map<std::string, std::pair<double, double>> obstacleCells = {
        {"mask_tree", {21.5, 26.5}},  {"mask_well", {24.5, 7.5}},      {"mask_wood", {8.5, 9.5}},
        {"mask_barrel", {4.5, 27.5}}, {"mask_tabletop", {13.5, 15.5}}, {"mask_fence", {29.5, 13.5}},
        {"mask_hay", {15.5, 7.5}},
    };
    for (const board::Placement& mask : board::kMasks) {
        std::unique_ptr<Image> cut = Picture(mask.label);
        ASSERT_NE(cut, nullptr) << mask.label;
        EXPECT_GT(OpaqueCutPixels(*cut, cut->GetHeight(), mask, *background), 400) << mask.label;
        auto cell = obstacleCells.find(mask.label);
        if (cell == obstacleCells.end()) {
            continue;
        }
        board::ScreenPixel p = board::Project(cell->second.first / board::kCells, cell->second.second / board::kCells);
        bool covered = false;
        for (int lift = 0; lift <= 40 && !covered; ++lift) {
            int x = p.x - mask.x;
            int y = p.y - lift - mask.y;
            covered =
                x >= 0 && y >= 0 && x < cut->GetWidth() && y < cut->GetHeight() && !IsMagenta(cut->GetPixel(x, y));
        }
        EXPECT_TRUE(covered) << mask.label;
    }
    // The animations start from the background where they are drawn.
    std::map<std::string, ListEntry> entries = ReadList(root / "data/level01/sprites.txt");
    for (const board::Placement& anim : {board::kForestAnim, board::kWaterAnim}) {
        std::unique_ptr<Image> strip = Picture(anim.label);
        ASSERT_NE(strip, nullptr) << anim.label;
        const int cellHeight = strip->GetHeight() / entries[anim.label].frames;
        EXPECT_GT(OpaqueCutPixels(*strip, cellHeight, anim, *background), 1000) << anim.label;
    }
}

// A mask starts at a fixed place; the whole object must lie right of and below it, or the part
// outside would not cover the figures behind.
TEST(BoardSceneTest, EveryMaskedObjectLiesWithinItsMask)
{
    BoardScene scene;
    for (const board::Placement& mask : board::kMasks) {
        const Canvas* layer = scene.ObjectLayer(mask.label);
        ASSERT_NE(layer, nullptr) << mask.label;
        int outside = 0;
        for (int y = 0; y < layer->Height(); ++y) {
            for (int x = 0; x < layer->Width(); ++x) {
                outside += layer->At(x, y).a >= 128 && (x < mask.x || y < mask.y);
            }
        }
        EXPECT_EQ(outside, 0) << mask.label;
    }
    EXPECT_EQ(scene.ObjectLayer("no such object"), nullptr);
}

TEST(BoardLayoutTest, ProjectionMatchesTheLevelsCornersAndTheWalkGridHasTheDoorLane)
{
    EXPECT_EQ(board::Project(0.0, 0.0).x, 299);
    EXPECT_EQ(board::Project(0.0, 0.0).y, 290);
    EXPECT_EQ(board::Project(1.0, 0.0).x, 824);
    EXPECT_EQ(board::Project(0.0, 1.0).x, 30);
    EXPECT_EQ(board::Project(0.0, 1.0).y, 762);
    EXPECT_EQ(board::Project(0.5, -0.1).x, 559);
    EXPECT_EQ(board::Project(0.5, -0.1).y, 270);
    EXPECT_NEAR(board::RowAtScreenY(board::ProjectExact(0.3, 0.7).y), 0.7, 1e-9);
    EXPECT_NEAR(board::ColumnAt(board::ProjectExact(0.3, 0.7).x, 0.7), 0.3, 1e-9);
    for (int row = 0; row < board::kCells; ++row) {
        ASSERT_EQ(std::string(board::kLayout[row]).size(), static_cast<size_t>(board::kCells));
    }
    for (int row = 0; row <= 5; ++row) {
        for (int column = 14; column <= 16; ++column) {
            EXPECT_FALSE(board::IsBlocked(column, row)) << "door lane " << column << ", " << row;
        }
    }
    // The painted door stands under the hunter's door pictures, over the middle of the lane.
    EXPECT_GE(board::kDoorLeft, board::kDoorPictureX);
    EXPECT_LE(board::kDoorTop, board::kDoorPictureY + 20);
    EXPECT_LT(board::kDoorLeft, board::Project(15.0 / board::kCells, 0.0).x);
    EXPECT_GT(board::kDoorRight, board::Project(16.0 / board::kCells, 0.0).x);
    EXPECT_TRUE(board::IsBlocked(-1, 0));
    EXPECT_TRUE(board::IsBlocked(0, 32));
}

}  // namespace
