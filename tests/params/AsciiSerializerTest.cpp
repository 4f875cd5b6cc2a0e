#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "params/AsciiSerializer.h"
#include "params/GameElement.h"
#include "params/SerializerFixture.h"
#include "params/Serializer.h"
#include "util/Factory.h"

namespace {

class Controller : public Object {
public:
    void Parameters(Serializer& s, const std::string& name) override
    {
        s.BeginSection("Controller", name);
        s.Float("speed", speed);
        s.String("sprite", sprite);
        s.EndSection();
    }

    float speed = 0.0f;
    std::string sprite;
};

class Figure : public GameElement {
public:
    void Parameters(Serializer& s, const std::string& name) override
    {
        s.BeginSection("Figure", name);
        s.Comment("tuned by hand");
        s.Float("maximum Speed", maximumSpeed);
        s.Int("lives", lives);
        s.Bool("visible", visible);
        s.String("title", title);
        s.Vector("cell", cellX, cellY);
        s.VectorFloat("position", column, row);
        s.Hint("hide", "");
        s.SubObject("Brains", &brains);
        s.Float("after", after);
        s.EndSection();
        if (s.IsReading()) {
            ParametersChanged();
        }
    }
    void ParametersChanged() override { ++changes; }
    void Render() override {}
    void Update(float) override {}

    float maximumSpeed = 0.0f;
    int lives = 0;
    bool visible = false;
    std::string title;
    int cellX = 0;
    int cellY = 0;
    float column = 0.0f;
    float row = 0.0f;
    Controller brains;
    float after = 0.0f;
    int changes = 0;
};

// Uses the base operations of GameElement only.
class PlainElement : public GameElement {
public:
    void ParametersChanged() override { ++changes; }
    void Render() override {}
    void Update(float) override {}

    int changes = 0;
};

QM_REGISTER_CLASS(GameElement, Figure);

Figure TunedFigure()
{
    Figure figure;
    figure.maximumSpeed = 1.5f;
    figure.lives = 3;
    figure.visible = true;
    figure.title = "Das \"Quill\" mark";
    figure.cellX = 4;
    figure.cellY = -5;
    figure.column = 0.25f;
    figure.row = 0.75f;
    figure.brains.speed = 2.0f;
    figure.brains.sprite = "dwarf walk";
    figure.after = 7.0f;
    return figure;
}

const char* const kTunedBlock = "class type: \"class Figure\"\n"
                                "[Figure] \"Hero\"\n"
                                "{\n"
                                "    # tuned by hand\n"
                                "    \"maximum Speed\" 1.500000\n"
                                "    \"lives\" 3\n"
                                "    \"visible\" 1\n"
                                "    \"title\" \"Das \"Quill\" mark\"\n"
                                "    \"cell\" 4 -5\n"
                                "    \"position\" 0.250000 0.750000\n"
                                "    class type: \"class Controller\"\n"
                                "    [Controller] \"Brains\"\n"
                                "    {\n"
                                "        \"speed\" 2.000000\n"
                                "        \"sprite\" \"dwarf walk\"\n"
                                "    }\n"
                                "\n"
                                "    \"after\" 7.000000\n"
                                "}\n"
                                "\n";

class AsciiSerializerTest : public SerializerFixture {
protected:
    // What was read holds the tuned values when it writes the tuned block back.
    void ExpectTuned(Figure& figure)
    {
        WriteBlock("check.txt", "Hero", figure);
        EXPECT_EQ(dir.Read("check.txt"), kTunedBlock);
    }
};

TEST_F(AsciiSerializerTest, WritesTheTextFormatAndReadsItBack)
{
    Figure figure = TunedFigure();
    WriteBlock("block.txt", "Hero", figure);
    EXPECT_EQ(dir.Read("block.txt"), kTunedBlock);
    Figure read;
    ReadBlock("block.txt", "Hero", read);
    EXPECT_EQ(read.changes, 1);
    ExpectTuned(read);
    EXPECT_EQ(Debug::Instance().WarningCount(), 0);
}

TEST_F(AsciiSerializerTest, ReorderedAndExtraParametersReadTheSame)
{
    dir.Write("block.txt", "class type: \"class Figure\"\n"
                           "[Figure] \"Hero\"\n"
                           "{\n"
                           "    \"after\" 7.0\n"
                           "    \"retired option\" 12\n"
                           "    class type: \"class Controller\"\n"
                           "    [Controller] \"Brains\"\n"
                           "    {\n"
                           "        \"sprite\" \"dwarf walk\"\n"
                           "        \"speed\" 2\n"
                           "    }\n"
                           "    \"position\" 0.25 0.75\n"
                           "    \"cell\" 4 -5\n"
                           "    \"title\" \"Das \"Quill\" mark\"\n"
                           "    \"visible\" 7\n"
                           "    \"lives\" 3\n"
                           "    \"maximum Speed\" 1.5\n"
                           "}\n");
    Figure read;
    ReadBlock("block.txt", "Hero", read);
    ExpectTuned(read);
    EXPECT_EQ(Debug::Instance().WarningCount(), 0);
}

TEST_F(AsciiSerializerTest, MissingParametersSectionsAndBlocksKeepTheValuesAndAreLogged)
{
    dir.Write("block.txt", "[Figure] \"Hero\"\n"
                           "{\n"
                           "    \"maximum Speed\" 1.5\n"
                           "\t\"lives\" 9\n"
                           "    \"speed\" 4.5\n"
                           "    \"after\" 2.5\n"
                           "}\n");
    Figure read = TunedFigure();
    read.maximumSpeed = 0.0f;
    read.lives = 42;
    ReadBlock("block.txt", "Hero", read);
    EXPECT_EQ(read.maximumSpeed, 1.5f);
    // The tab-indented line is not a parameter line.
    EXPECT_EQ(read.lives, 42);
    EXPECT_EQ(read.title, "Das \"Quill\" mark");
    EXPECT_TRUE(Logged("AsciiDialogSerializer: FindEntry <lives> not found (started search in 2)\n"));
    // A missing section is looked up in the enclosing one.
    EXPECT_EQ(read.brains.speed, 4.5f);
    EXPECT_EQ(read.after, 2.5f);
    EXPECT_TRUE(Logged("AsciiDialogSerializer: FindSection <Brains> not found\n"));

    // A missing block changes nothing.
    dir.Write("empty.txt", "");
    Figure untouched = TunedFigure();
    ReadBlock("empty.txt", "Hero", untouched);
    ExpectTuned(untouched);
    EXPECT_TRUE(Logged("AsciiDialogSerializer: FindSection <Hero> not found\n"));
}

TEST_F(AsciiSerializerTest, ReaderTakesOneBlockAndLeavesTheFileAfterIt)
{
    Figure first = TunedFigure();
    Figure second = TunedFigure();
    second.lives = 8;
    second.brains.sprite = "knight";
    {
        File file;
        ASSERT_TRUE(file.OpenDisk("two.txt", "w"));
        AsciiSerializer writer(file, true);
        writer.SubObject("One", &first);
        writer.SubObject("Two", &second);
    }
    File file;
    ASSERT_TRUE(file.Open("two.txt", "r"));
    Figure readFirst;
    Figure readSecond;
    AsciiSerializer(file, false).SubObject("One", &readFirst);
    AsciiSerializer(file, false).SubObject("Two", &readSecond);
    EXPECT_EQ(readFirst.lives, 3);
    EXPECT_EQ(readFirst.brains.sprite, "dwarf walk");
    EXPECT_EQ(readSecond.lives, 8);
    EXPECT_EQ(readSecond.brains.sprite, "knight");
}

TEST_F(AsciiSerializerTest, MalformedValuesAreLoggedAndSkipped)
{
    dir.Write("block.txt", "}\n"
                           "[Figure] \"Hero\"\n"
                           "{\n"
                           "    \"maximum Speed\" fast\n"
                           "    \"lives\" many\n"
                           "    \"visible\" yes\n"
                           "    \"title\" untitled\n"
                           "    \"cell\" 3\n"
                           "    \"broken label 5\n"
                           "    [Controller] \"Brains\n");
    Figure read = TunedFigure();
    ReadBlock("block.txt", "Hero", read);
    EXPECT_EQ(read.maximumSpeed, 1.5f);
    EXPECT_EQ(read.lives, -1);
    EXPECT_TRUE(read.visible);
    EXPECT_EQ(read.title, "Das \"Quill\" mark");
    EXPECT_EQ(read.cellX, 3);
    EXPECT_EQ(read.cellY, -1);
    EXPECT_EQ(read.brains.speed, 2.0f);
    EXPECT_TRUE(Logged("AsciiSerializer: <maximum Speed> value <fast> is not a number, kept\n"));
    EXPECT_TRUE(Logged("AsciiSerializer::Parse: closing brace outside a section ignored\n"));
}

TEST_F(AsciiSerializerTest, GameElementBaseWritesAnEmptySectionAndClassTypesNameTheFactoryClass)
{
    PlainElement element;
    WriteBlock("plain.txt", "Thing", element);
    EXPECT_EQ(dir.Read("plain.txt"), "class type: \"class PlainElement\"\n"
                                     "[GameElement] \"Thing\"\n"
                                     "{\n"
                                     "}\n"
                                     "\n");
    EXPECT_EQ(element.changes, 0);
    ReadBlock("plain.txt", "Thing", element);
    EXPECT_EQ(element.changes, 1);

    // The settings file creates elements from the class named in their "class type" line.
    std::unique_ptr<GameElement> created = Factory<GameElement>::Create("Figure");
    ASSERT_TRUE(created);
    EXPECT_EQ(AsciiSerializer::ClassTypeName(*created), "class Figure");
}

}  // namespace
