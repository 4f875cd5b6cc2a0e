#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/ForgeOutput.h"
#include "figures/FigureSoundEvents.h"
#include "figures/ForgeFigures.h"
#include "forge/ForgeTestSupport.h"
#include "images/BmpLoader.h"
#include "model/ModelRenderer.h"
#include "spritemanager/SpriteTestSupport.h"

namespace {

namespace fs = std::filesystem;

using forge_test::ListEntry;

const std::vector<std::string> kDwarfs = {"fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"};
const std::vector<std::string> kDirections = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
constexpr int kFootLift = 20;
constexpr int kMaxFramePixels = 360000;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The figures are forged once for all tests; each test links the data into its own directory.
class FiguresTest : public GraphicsTest {
protected:
    static void SetUpTestSuite()
    {
        root = fs::temp_directory_path() / ("qm-figures-" + std::to_string(::getpid()));
        fs::remove_all(root);
        ForgeOutput output(root);
        ForgeFigures(output);
        output.WriteLists();
        forgedCleanly = !output.Failed();
    }

    static void TearDownTestSuite() { fs::remove_all(root); }

    void SetUp() override
    {
        GraphicsTest::SetUp();
        fs::create_directory_symlink(root / "data", dir.Path() / "data");
    }

    static std::map<std::string, ListEntry> ReadList() { return forge_test::ReadList(root / "data/level01/sprites.txt"); }

    static std::unique_ptr<Image> LoadStrip(const std::string& file)
    {
        return BmpLoader::Instance().Load(("data/level01/sprites/" + Lower(file) + ".bmp").c_str());
    }

    // Lowest drawn row of a frame, and the middle of what is drawn in the band just above it
    // (both feet).
    static std::pair<int, float> FootOf(const Image& strip, int frame, int cellHeight)
    {
        constexpr int kFeetBand = 10;
        int lowest = -1, left = strip.GetWidth(), right = -1;
        for (int y = cellHeight - 1; y >= 0 && (lowest < 0 || y > lowest - kFeetBand); --y) {
            const uint8_t* row = strip.Row(frame * cellHeight + y);
            for (int x = 0; x < strip.GetWidth(); ++x) {
                if (row[x] != 0) {
                    lowest = lowest < 0 ? y : lowest;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return {lowest, (left + right) * 0.5f};
    }

    static fs::path root;
    static bool forgedCleanly;
};

fs::path FiguresTest::root;
bool FiguresTest::forgedCleanly = false;

// The whole forge's check covers every label the game asks for.
TEST_F(FiguresTest, EveryLabelIsListedOnceWithItsTypeAndItsFrameTableAndSoundMapStayInsideItsStrip)
{
    EXPECT_TRUE(forgedCleanly);
    std::map<std::string, ListEntry> entries = ReadList();
    std::ifstream list(root / "data/level01/sprites.txt");
    std::string line;
    std::set<std::string> seen;
    while (std::getline(list, line)) {
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_TRUE(seen.insert(line.substr(0, line.find(' '))).second) << "listed twice: " << line;
    }
    for (const char* picture : {"fenno_icon", "holvo_icon", "jaeger_tuer1", "jaeger_tuer2"}) {
        EXPECT_EQ(entries[picture].type, "static") << picture << " is drawn with frame 1";
    }
    EXPECT_EQ(entries["jaeger_zielen"].frames, 11) << "one frame per shooting direction";
    EXPECT_GE(entries["hofnarr_searching"].frames, 11);

    std::set<std::string> known(figure_sounds::kAll.begin(), figure_sounds::kAll.end());
    int tables = 0, maps = 0;
    for (const auto& [label, entry] : entries) {
        const std::string base = (root / "data/level01/sprites" / Lower(entry.file)).string();
        std::ifstream table(base + ".txt");
        for (int frame = 0; table >> frame; ++tables) {
            EXPECT_TRUE(frame >= 0 && frame < entry.frames) << label << " shows frame " << frame;
        }
        std::ifstream events(base + "_audioevents.txt");
        float position = 0.0f;
        for (std::string name; events >> position >> name; ++maps) {
            EXPECT_TRUE(position >= 0.0f && position <= 1.0f) << label << " at " << position;
            EXPECT_EQ(known.count(name), 1u) << label << " fires " << name;
        }
    }
    EXPECT_GT(tables, 0);
    EXPECT_GT(maps, 0);
    EXPECT_NE(forge_test::ReadBytes(root / "data/level01/sprites/fenno_run_e_audioevents.txt").find(figure_sounds::kStep1),
              std::string::npos)
        << "footsteps on the walk";
}

TEST_F(FiguresTest, StripsAreEightBitWithBlackTransparencyAndWholeFramesInsideTheirCells)
{
    for (const auto& [label, entry] : ReadList()) {
        std::unique_ptr<Image> strip = LoadStrip(entry.file);
        ASSERT_NE(strip, nullptr) << label;
        if (entry.type == "static") {
            EXPECT_EQ(strip->GetDepth(), 24) << label;
            continue;
        }
        ASSERT_EQ(entry.type, "anim_rle") << label;
        ASSERT_EQ(strip->GetDepth(), 8) << label;
        ASSERT_EQ(strip->GetHeight() % entry.frames, 0) << label;
        EXPECT_LE((strip->GetWidth() + 2) * (strip->GetHeight() / entry.frames), kMaxFramePixels) << label;
        const Color* palette = strip->GetPalette();
        ASSERT_NE(palette, nullptr);
        EXPECT_EQ(palette[0], MakeColor(0, 0, 0)) << label;
        std::set<int> used;
        for (int y = 0; y < strip->GetHeight(); ++y) {
            used.insert(strip->Row(y), strip->Row(y) + strip->GetWidth());
        }
        for (int index : used) {
            if (index != 0) {
                Color c = palette[index];
                EXPECT_FALSE(ColorRed(c) < 16 && ColorGreen(c) < 16 && ColorBlue(c) < 16) << label << " index " << index;
            }
        }
        // Nothing is cut off at the top or the sides of its cell.
        const int width = strip->GetWidth(), cellHeight = strip->GetHeight() / entry.frames;
        for (int frame = 0; frame < entry.frames; ++frame) {
            bool touches = std::any_of(strip->Row(frame * cellHeight), strip->Row(frame * cellHeight) + width,
                                       [](uint8_t index) { return index != 0; });
            for (int y = frame * cellHeight; y < (frame + 1) * cellHeight; ++y) {
                touches = touches || strip->Row(y)[0] != 0 || strip->Row(y)[width - 1] != 0;
            }
            EXPECT_FALSE(touches) << label << " frame " << frame;
        }
    }
}

// Skin-coloured pixels (the face) in the upper part of a frame: their count and mean column.
std::pair<int, float> FaceOf(const Image& strip, int cellHeight)
{
    int count = 0;
    float sum = 0.0f;
    for (int y = 0; y < cellHeight / 2 + 20; ++y) {
        for (int x = 0; x < strip.GetWidth(); ++x) {
            Color c = strip.GetPalette()[strip.Row(y)[x]];
            int r = ColorRed(c), g = ColorGreen(c), b = ColorBlue(c);
            if (strip.Row(y)[x] != 0 && r > 110 && r - g > 30 && r - g < 90 && g - b > 15 && g - b < 60) {
                ++count;
                sum += static_cast<float>(x);
            }
        }
    }
    return {count, count > 0 ? sum / static_cast<float>(count) : 0.0f};
}

TEST_F(FiguresTest, StandingFiguresHaveTheirFeetOnTheFootLineAtTheCentreAndFaceTheirDirection)
{
    std::map<std::string, ListEntry> entries = ReadList();
    // Frames with the board raised overhead, so that the feet are the lowest thing drawn.
    std::vector<std::pair<std::string, std::pair<std::string, int>>> figures = {{"stumpf", {"_schlag_", 3}},
                                                                                {"scharf", {"_schlag_", 3}}};
    for (const std::string& dwarf : kDwarfs) {
        figures.push_back({dwarf, {"_brett_", 4}});
    }
    // quirn's artwork stands off centre against his sprite offsets (E +21 moves him right).
    const float quirnShift[] = {0.0f, -21.0f, -21.0f, 15.0f, 0.0f, -15.0f, 21.0f, 21.0f};
    for (const auto& [name, raised] : figures) {
        for (size_t d = 0; d < kDirections.size(); ++d) {
            const std::string label = name + raised.first + kDirections[d];
            std::unique_ptr<Image> strip = LoadStrip(entries[label].file);
            ASSERT_NE(strip, nullptr) << label;
            int cellHeight = strip->GetHeight() / entries[label].frames;
            auto [footRow, footX] = FootOf(*strip, raised.second, cellHeight);
            // The toes reach a little ahead of the position, which shows a few pixels lower.
            EXPECT_NEAR(footRow, cellHeight - kFootLift, 6) << label;
            float centre = strip->GetWidth() * 0.5f + (name == "quirn" ? quirnShift[d] : 0.0f);
            EXPECT_NEAR(footX, centre, 8.0f) << label;
        }
    }
    // The directions turn the model so that the face looks that way.
    auto face = [&](const std::string& direction) {
        std::unique_ptr<Image> strip = LoadStrip(entries["fenno_start_" + direction].file);
        EXPECT_NE(strip, nullptr) << direction;
        return strip ? std::pair{FaceOf(*strip, strip->GetHeight() / entries["fenno_start_" + direction].frames),
                                 strip->GetWidth() * 0.5f}
                     : std::pair{std::pair{0, 0.0f}, 0.0f};
    };
    const auto [south, southCentre] = face("S");
    EXPECT_GT(south.first, 40) << "the south view faces the viewer";
    EXPECT_LT(face("N").first.first, south.first / 4) << "the north view shows the back";
    const auto [east, eastCentre] = face("E");
    const auto [west, westCentre] = face("W");
    EXPECT_GT(east.second, eastCentre) << "facing east, the face is right of the middle";
    EXPECT_LT(west.second, westCentre) << "facing west, the face is left of the middle";
}

// ---- The renderer on its own ----

class RendererTest : public ::testing::Test {
protected:
    Canvas Draw(const std::vector<Primitive>& model, float originY = 40.0f)
    {
        Canvas canvas(64, 64);
        ModelView view;
        view.originX = 32.0f;
        view.originY = originY;
        renderer.Render(model, materials, view, canvas, 0, 0, 64, 64);
        return canvas;
    }

    static int Brightness(Rgba c) { return c.r + c.g + c.b; }

    ModelRenderer renderer;
    std::vector<Material> materials = {{{200, 200, 200, 255}, 0.0f}, {{200, 40, 40, 255}, 0.0f}};
};

TEST_F(RendererTest, SphereIsADiscLitFromTheUpperLeftWithADarkRimAndNothingBelowTheGround)
{
    Canvas canvas = Draw({Primitive::Sphere({0.0f, 20.0f, 0.0f}, 12.0f, 0)});
    // The sphere's centre rises 20 units, seen at the board's angle.
    const float centreY = 40.0f - 20.0f * std::sqrt(1.0f - 0.16f);
    EXPECT_EQ(canvas.At(32, static_cast<int>(centreY)).a, 255);
    EXPECT_EQ(canvas.At(32 + 16, static_cast<int>(centreY)).a, 0);
    EXPECT_GT(Brightness(canvas.At(32 - 6, static_cast<int>(centreY) - 6)), Brightness(canvas.At(32 + 6, static_cast<int>(centreY) + 6)));
    int rim = 32;
    while (canvas.At(rim + 1, static_cast<int>(centreY)).a != 0) {
        ++rim;
    }
    EXPECT_LT(Brightness(canvas.At(rim, static_cast<int>(centreY))), 150) << "the silhouette is outlined";
    // Nothing below the ground is drawn.
    Canvas sunk = Draw({Primitive::Sphere({0.0f, -20.0f, 0.0f}, 10.0f, 0)});
    EXPECT_TRUE(std::all_of(&sunk.At(0, 0), &sunk.At(63, 63) + 1, [](const Rgba& c) { return c.a == 0; }));
    Canvas cone = Draw({Primitive::Cone({0.0f, 0.0f, 0.0f}, 10.0f, {0.0f, 24.0f, 0.0f}, 2.0f, 0)});
    EXPECT_EQ(cone.At(32, 40 - 10).a, 255);
}

TEST_F(RendererTest, TheNearerSolidHidesTheFartherWhateverTheOrder)
{
    Primitive back = Primitive::Box({0.0f, 20.0f, -10.0f}, Mat3{}, {10.0f, 10.0f, 2.0f}, 0);
    Primitive front = Primitive::Capsule({-4.0f, 20.0f, 10.0f}, {4.0f, 20.0f, 10.0f}, 4.0f, 1);
    for (const auto& model : {std::vector<Primitive>{back, front}, std::vector<Primitive>{front, back}}) {
        Canvas canvas = Draw(model);
        Rgba middle = canvas.At(32, 40 - static_cast<int>(20.0f * std::sqrt(0.84f)) + 4);
        EXPECT_GT(middle.r, middle.g + 40) << "the red capsule is in front";
    }
}

}  // namespace
