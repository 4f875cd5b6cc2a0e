#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "core/ForgeOutput.h"
#include "forge/ForgeTestSupport.h"
#include "images/BmpLoader.h"
#include "paint/FrameStrip.h"
#include "paint/HalfSize.h"
#include "paint/SeededRandom.h"
#include "paint/Shapes.h"
#include "paint/TextPainter.h"
#include "paint/ValueNoise.h"
#include "screens/ForgeScreens.h"
#include "spritemanager/SpriteTestSupport.h"

namespace {

namespace fs = std::filesystem;

using forge_test::IsMagenta;
using forge_test::ListEntry;
using forge_test::ReadList;

int Brightness(Color c) { return ColorRed(c) + ColorGreen(c) + ColorBlue(c); }

// Transparent pixels in rows [top, bottom).
int MagentaPixels(const Image& picture, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < picture.GetWidth(); ++x) {
            count += IsMagenta(picture.GetPixel(x, y));
        }
    }
    return count;
}

long FrameBrightness(const Image& strip, int frame, int height)
{
    long sum = 0;
    for (int y = frame * height; y < (frame + 1) * height; ++y) {
        for (int x = 0; x < strip.GetWidth(); ++x) {
            sum += Brightness(strip.GetPixel(x, y));
        }
    }
    return sum;
}

// Button places and the room the menus leave them (width, height at most).
struct ButtonRoom {
    const char* label;
    int maxWidth;
    int maxHeight;
};
constexpr ButtonRoom kButtons[] = {
    {"StartGameButton", 237, 79}, {"HelpButton", 234, 79}, {"HighscoreButton", 340, 79}, {"QuitButton", 188, 78},
    {"MainMenuButton", 239, 88},  {"yesButton", 200, 80},  {"noButton", 200, 80}};

// The screens are forged once for all tests; each test links the data into its own directory.
class ScreensTest : public GraphicsTest {
protected:
    static void SetUpTestSuite()
    {
        root = fs::temp_directory_path() / ("qm-screens-" + std::to_string(::getpid()));
        fs::remove_all(root);
        ForgeOutput output(root);
        ForgeScreens(output);
        output.WriteLists();
    }

    static void TearDownTestSuite() { fs::remove_all(root); }

    void SetUp() override
    {
        GraphicsTest::SetUp();
        fs::create_directory_symlink(root / "data", dir.Path() / "data");
    }

    static std::unique_ptr<Image> Picture(const std::string& directory, const std::string& label)
    {
        std::string file = label;
        std::transform(file.begin(), file.end(), file.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return BmpLoader::Instance().Load(("data/" + directory + "/sprites/" + file + ".bmp").c_str());
    }

    static fs::path root;
};

fs::path ScreensTest::root;

TEST_F(ScreensTest, ListsHoldOpaqueScreensAndButtonsThatFitTheirPlacesAndShowTheirStates)
{
    std::map<std::string, ListEntry> loading = ReadList(root / "data/shared/loadingsprites.txt");
    ASSERT_EQ(loading.size(), 2u);
    EXPECT_EQ(loading["loader_fenno"].type, "anim");
    EXPECT_EQ(loading["loader_fenno"].frames, 3);
    std::map<std::string, ListEntry> shared = ReadList(root / "data/shared/sprites.txt");
    EXPECT_EQ(shared["cursor"].type, "static");
    const std::pair<const char*, const char*> screens[] = {
        {"shared", "loader_back"},         {"shared", "MainMenuBackground"}, {"shared", "HelpMenuBackground"},
        {"shared", "HighscoreBackground"}, {"shared", "ExitScreen"},         {"level01", "GameOverScreen"}};
    for (const auto& [directory, label] : screens) {
        const std::string list = label == std::string("loader_back") ? "loadingsprites.txt" : "sprites.txt";
        EXPECT_EQ(ReadList(root / "data" / directory / list)[label].type, "static") << label;
        std::unique_ptr<Image> picture = Picture(directory, label);
        ASSERT_NE(picture, nullptr) << label;
        EXPECT_EQ(picture->GetDepth(), 24) << label;
        ASSERT_EQ(picture->GetWidth(), 1024) << label;
        ASSERT_EQ(picture->GetHeight(), 768) << label;
        EXPECT_EQ(MagentaPixels(*picture, 0, 768), 0) << label;
    }
    for (const ButtonRoom& button : kButtons) {
        ASSERT_EQ(shared.count(button.label), 1u) << button.label;
        EXPECT_EQ(shared[button.label].type, "anim") << button.label;
        EXPECT_EQ(shared[button.label].frames, 3) << button.label;
        std::unique_ptr<Image> strip = Picture("shared", button.label);
        ASSERT_NE(strip, nullptr) << button.label;
        ASSERT_EQ(strip->GetHeight() % 3, 0) << button.label;
        const int height = strip->GetHeight() / 3;
        EXPECT_LE(strip->GetWidth(), button.maxWidth) << button.label;
        EXPECT_LE(height, button.maxHeight) << button.label;
        EXPECT_EQ(MagentaPixels(*strip, 0, strip->GetHeight()), 0) << button.label;
        // Hovered is brighter than normal, pressed darker: the states can be told apart.
        EXPECT_GT(FrameBrightness(*strip, 1, height), FrameBrightness(*strip, 0, height)) << button.label;
        EXPECT_LT(FrameBrightness(*strip, 2, height), FrameBrightness(*strip, 0, height)) << button.label;
    }
    std::unique_ptr<Image> yes = Picture("shared", "yesButton");
    std::unique_ptr<Image> no = Picture("shared", "noButton");
    ASSERT_TRUE(yes && no);
    EXPECT_EQ(yes->GetWidth(), no->GetWidth());
    EXPECT_EQ(yes->GetHeight(), no->GetHeight());
}

TEST_F(ScreensTest, CursorTipIsItsFirstPixelAndTheLoadingScreenLeavesACalmFieldForThePercentage)
{
    std::unique_ptr<Image> cursor = Picture("shared", "cursor");
    ASSERT_NE(cursor, nullptr);
    EXPECT_LE(cursor->GetWidth(), 32);
    EXPECT_LE(cursor->GetHeight(), 32);
    EXPECT_FALSE(IsMagenta(cursor->GetPixel(0, 0)));
    EXPECT_TRUE(IsMagenta(cursor->GetPixel(cursor->GetWidth() - 1, 0)));
    EXPECT_TRUE(IsMagenta(cursor->GetPixel(0, cursor->GetHeight() - 1)));

    std::unique_ptr<Image> back = Picture("shared", "loader_back");
    ASSERT_NE(back, nullptr);
    int darkest = 765, brightest = 0;
    for (int y = 420; y < 480; ++y) {
        for (int x = 435; x < 600; ++x) {
            darkest = std::min(darkest, Brightness(back->GetPixel(x, y)));
            brightest = std::max(brightest, Brightness(back->GetPixel(x, y)));
        }
    }
    EXPECT_LT(brightest - darkest, 90);
    // The bar's frames are distinct (loading, and the two blink states) and fit above the field.
    std::unique_ptr<Image> bar = Picture("shared", "loader_fenno");
    ASSERT_NE(bar, nullptr);
    const int cell = bar->GetHeight() / 3;
    EXPECT_LE(423 + bar->GetWidth(), 1024);
    EXPECT_LE(112 + cell, 420);
    auto frameBytes = [&](int frame) {
        std::string bytes;
        for (int y = 0; y < cell; ++y) {
            bytes.append(reinterpret_cast<const char*>(bar->Row(frame * cell + y)), bar->RowBytes());
        }
        return bytes;
    };
    // Nothing of fenno is cut off at the frame's sides or top.
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(MagentaPixels(*bar, frame * cell, frame * cell + 1), bar->GetWidth()) << "top of frame " << frame;
        for (int y = frame * cell; y < (frame + 1) * cell; ++y) {
            EXPECT_TRUE(IsMagenta(bar->GetPixel(0, y)) && IsMagenta(bar->GetPixel(bar->GetWidth() - 1, y))) << y;
        }
    }
    EXPECT_NE(frameBytes(0), frameBytes(1));
    EXPECT_NE(frameBytes(1), frameBytes(2));
}

TEST(TextPainterTest, MeasuresAndPaintsWindows1252TextAndNothingWithoutAFont)
{
    TextPainter painter(TextPainter::FontPath("DejaVuSans.ttf"));
    ASSERT_TRUE(painter.IsOpen());
    EXPECT_GT(painter.Measure("Hilfe", 20), 30);
    EXPECT_GT(painter.Measure("Hilfe", 40), painter.Measure("Hilfe", 20));
    // The low quotation mark (0x84) and the umlauts are real glyphs, not blanks.
    TextPainter::Coverage quote = painter.Render("\x84", 30);
    EXPECT_GT(std::count_if(quote.values.begin(), quote.values.end(), [](uint8_t v) { return v > 128; }), 4);
    EXPECT_EQ(painter.Measure("\xE4", 30), painter.Measure("a", 30));
    Canvas canvas(200, 60);
    TextPainter::Style style;
    style.pixelSize = 30;
    style.outlineWidth = 2;
    style.outline = {10, 10, 10, 255};
    painter.Draw(canvas, 10, 10, "Men\xFC", style);
    int painted = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            painted += canvas.At(x, y).a > 0;
            EXPECT_TRUE(canvas.At(x, y).a == 0 || (x >= 6 && y >= 6)) << x << ", " << y;
        }
    }
    EXPECT_GT(painted, 300);
    // A missing font paints nothing.
    TextPainter missing("/nonexistent/font.ttf");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.Measure("Hilfe", 20), 0);
    Canvas blank(50, 50);
    missing.Draw(blank, 0, 0, "Hilfe", TextPainter::Style{});
    EXPECT_EQ(blank.At(25, 25).a, 0);
}

double CoveredArea(const Canvas& canvas)
{
    double area = 0.0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            area += canvas.At(x, y).a / 255.0;
        }
    }
    return area;
}

TEST(ShapesTest, ShapesCoverTheirGeometricAreasWhateverTheirWinding)
{
    const paint::Solid ink{{200, 100, 50, 255}};
    Canvas clockwise(40, 40);
    paint::FillConvex(clockwise, {{10, 10}, {30, 10}, {30, 25}, {10, 25}}, ink);
    Canvas counter(40, 40);
    paint::FillConvex(counter, {{10, 10}, {10, 25}, {30, 25}, {30, 10}}, ink);
    EXPECT_NEAR(CoveredArea(clockwise), 300.0, 2.0);
    EXPECT_NEAR(CoveredArea(counter), 300.0, 2.0);
    EXPECT_EQ(clockwise.At(20, 17).a, 255);
    EXPECT_EQ(clockwise.At(5, 5).a, 0);
    // A grown shape is wider by the growth on every side.
    Canvas grown(40, 40);
    paint::FillConvex(grown, {{10, 10}, {30, 10}, {30, 25}, {10, 25}}, ink, 2.0);
    EXPECT_NEAR(CoveredArea(grown), 24.0 * 19.0, 6.0);
    // Ellipses and capsules have their geometric areas.
    Canvas ellipse(80, 60);
    paint::FillEllipse(ellipse, 40, 30, 30, 20, ink);
    EXPECT_NEAR(CoveredArea(ellipse), 3.14159265 * 30 * 20, 15.0);
    Canvas capsule(80, 40);
    paint::FillCapsule(capsule, {20, 20}, {60, 20}, 5.0, ink);
    EXPECT_NEAR(CoveredArea(capsule), 40 * 10 + 3.14159265 * 25, 6.0);
    // Shapes reaching past the canvas are clipped, never written outside.
    Canvas small(10, 10);
    paint::FillEllipse(small, 0, 0, 30, 30, ink);
    paint::FillRoundRect(small, -20, -20, 40, 40, 5, ink);
    EXPECT_EQ(small.At(9, 9).a, 255);
}

TEST(PaintToolsTest, NoiseAndRandomAreDeterministicHalvingWeighsByCoverageAndStackingKeepsOrder)
{
    ValueNoise noise(7);
    ValueNoise twin(7);
    ValueNoise other(8);
    bool differs = false;
    for (int i = 0; i < 200; ++i) {
        double x = i * 0.37, y = i * 0.11;
        double value = noise.Fractal(x, y, 3);
        EXPECT_TRUE(value >= 0.0 && value <= 1.0 && value == twin.Fractal(x, y, 3)) << value;
        differs = differs || value != other.Fractal(x, y, 3);
    }
    EXPECT_TRUE(differs);
    SeededRandom a(3), b(3);
    for (int i = 0; i < 100; ++i) {
        const double unit = a.Unit();
        const int below = a.Below(5);
        EXPECT_TRUE(unit == b.Unit() && unit >= 0.0 && unit < 1.0) << unit;
        EXPECT_TRUE(below == b.Below(5) && below >= 0 && below < 5) << below;
    }
    EXPECT_EQ(a.Below(0), 0);
    // Halving weighs colours by coverage; stacking keeps the frame order.
    Canvas picture(2, 2);
    picture.At(0, 0) = {200, 0, 0, 255};
    picture.At(1, 0) = {0, 0, 200, 0};
    Canvas half = HalfSize(picture);
    ASSERT_EQ(half.Width(), 1);
    EXPECT_EQ(half.At(0, 0).r, 200);
    EXPECT_EQ(half.At(0, 0).b, 0);
    EXPECT_EQ(half.At(0, 0).a, 63);
    Canvas first(3, 2, {1, 1, 1, 255});
    Canvas second(3, 2, {2, 2, 2, 255});
    Canvas strip = StackFrames({first, second});
    ASSERT_EQ(strip.Height(), 4);
    EXPECT_EQ(strip.At(2, 1).r, 1);
    EXPECT_EQ(strip.At(0, 2).r, 2);
    EXPECT_EQ(StackFrames({}).Width(), 0);
}

}  // namespace
