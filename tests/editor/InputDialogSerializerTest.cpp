#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "editor/InputDialogSerializer.h"
#include "figures/FigureTestSupport.h"
#include "game/steering/AStarController.h"
#include "params/ComboBox.h"
#include "params/SerializerFixture.h"

namespace {

using Field = InputDialogSerializer::Field;
using Kind = InputDialogSerializer::Kind;

class Temperament : public Object {
public:
    void Parameters(Serializer& s, const std::string& name) override
    {
        s.BeginSection("Temperament", name);
        s.Float("temper", temper);
        s.EndSection();
    }

    float temper = 0.5f;
};

// One parameter of every kind, a nested object and one that is missing.
class EveryKind : public Object {
public:
    void Parameters(Serializer& s, const std::string& name) override
    {
        s.BeginSection("Every Kind", name);
        s.Comment("tuned by hand");
        s.Float("speed", speed);
        s.Int("lives", lives);
        s.Bool("visible", visible);
        s.String("title", title);
        s.Vector("cell", cellX, cellY);
        s.VectorFloat("position", column, row);
        ComboBox(s, "mood", {"calm", "angry", "asleep"}, mood);
        s.Hint("combobox", "[stop][loop]");
        s.Int("mode", mode);
        s.Hint("colour", "");
        s.Int("tint", tint);
        s.Hint("button", "");
        s.Bool("reset", reset);
        s.Hint("file", "");
        s.String("picture", picture);
        s.Hint("hide", "");
        s.Int("secret", secret);
        s.SubObject("Brains", withBrains ? &brains : nullptr);
        s.SubObject("Nobody", nullptr);
        s.Float("after", after);
        s.EndSection();
    }

    auto Values() const
    {
        return std::tie(speed, lives, visible, title, cellX, cellY, column, row, mood, mode, tint, reset, picture,
                        secret, brains.temper, after);
    }

    float speed = 1.0f;
    int lives = 3;
    bool visible = false;
    std::string title = "Zwerg";
    int cellX = 1;
    int cellY = 2;
    float column = 0.5f;
    float row = 1.5f;
    int mood = 1;
    int mode = 0;
    int tint = 0x102030;
    bool reset = false;
    std::string picture = "data\\a.txt";
    int secret = 5;
    Temperament brains;
    bool withBrains = true;
    float after = 0.0f;
};

Field& Named(std::vector<Field>& fields, const std::string& label)
{
    auto named = [&label](const Field& field) { return field.label == label; };
    return fields.at(static_cast<size_t>(std::find_if(fields.begin(), fields.end(), named) - fields.begin()));
}

Field& Edit(std::vector<Field>& fields, const std::string& label)
{
    Field& field = Named(fields, label);
    field.edited = true;
    return field;
}

using InputDialogSerializerTest = SerializerFixture;

TEST_F(InputDialogSerializerTest, CollectsEveryKindAndHandsEditsToTheObjectAndItsSettingsFile)
{
    EveryKind object;
    std::vector<Field> fields = InputDialogSerializer::Collect(object, "Sample");
    std::vector<Kind> kinds;
    for (const Field& field : fields) {
        kinds.push_back(field.kind);
    }
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::SectionStart, Kind::Spacer, Kind::Float, Kind::Int, Kind::Bool,
                                        Kind::String, Kind::Vector, Kind::VectorFloat, Kind::ComboBox, Kind::ComboBox,
                                        Kind::Colour, Kind::Button, Kind::FileName, Kind::Int, Kind::SectionStart,
                                        Kind::Float, Kind::SectionEnd, Kind::Float, Kind::SectionEnd}));
    Field& mood = fields[8];
    EXPECT_EQ(std::tie(mood.label, mood.text, mood.ints[0]), std::make_tuple("mood", "angry", 1));
    EXPECT_EQ(mood.options, (std::vector<std::string>{"calm", "angry", "asleep"}));
    EXPECT_EQ(fields[9].options, (std::vector<std::string>{"stop", "loop"}));
    EXPECT_TRUE(fields[13].hidden && !fields[14].hidden);
    EXPECT_EQ(std::tie(fields[14].name, fields[14].className), std::make_tuple("Brains", "Temperament"));

    Edit(fields, "speed").floats[0] = 2.5f;
    Edit(fields, "lives").ints[0] = 7;
    Edit(fields, "visible").flag = true;
    Edit(fields, "title").text = "Zwerg \"Tabor\"";
    Field& cell = Edit(fields, "cell");
    cell.ints[0] = 4;
    cell.ints[1] = -5;
    Field& position = Edit(fields, "position");
    position.floats[0] = 0.25f;
    position.floats[1] = 0.75f;
    Edit(fields, "mood").ints[0] = 2;
    mood.text = "asleep";
    Edit(fields, "mode").ints[0] = 1;
    Edit(fields, "tint").ints[0] = 0x336699;
    Edit(fields, "reset").flag = true;
    Edit(fields, "picture").text = "data\\Level01\\b.txt";
    Edit(fields, "secret").ints[0] = 42;
    Edit(fields, "temper").floats[0] = 0.75f;
    Edit(fields, "after").floats[0] = 9.0f;
    ASSERT_TRUE(InputDialogSerializer::Apply(object, "Sample", fields));

    EXPECT_EQ(object.Values(), std::make_tuple(2.5f, 7, true, "Zwerg \"Tabor\"", 4, -5, 0.25f, 0.75f, 2, 1, 0x336699,
                                               true, "data\\Level01\\b.txt", 42, 0.75f, 9.0f));
    WriteBlock("object.txt", "Sample", object);
    EveryKind read;
    ReadBlock("object.txt", "Sample", read);
    EXPECT_EQ(read.Values(), object.Values());
    EXPECT_FALSE(Logged("InputDialogSerializer")) << Log();
}

TEST_F(InputDialogSerializerTest, UneditedValuesStayAndAChangedStructureStopsTheApply)
{
    EveryKind object;
    std::vector<Field> fields = InputDialogSerializer::Collect(object, "Sample");
    object.lives = 9;
    object.mood = 2;
    Edit(fields, "speed").floats[0] = 4.0f;
    ASSERT_TRUE(InputDialogSerializer::Apply(object, "Sample", fields));
    EXPECT_EQ(std::tie(object.speed, object.lives, object.mood), std::make_tuple(4.0f, 9, 2));

    Edit(fields, "title").text = "applied";
    Edit(fields, "after").floats[0] = 9.0f;
    object.withBrains = false;
    EXPECT_FALSE(InputDialogSerializer::Apply(object, "Sample", fields));
    EXPECT_EQ(object.title, "applied");
    EXPECT_EQ(object.after, 0.0f);
    EXPECT_TRUE(Logged("InputDialogSerializer::Apply: parameter <after> where <Temperament> was collected"));
}

using EditedDwarfTest = FigureTest;

TEST_F(EditedDwarfTest, SpeedAndBrainsEditedInTheDialogSteerTheRunningDwarf)
{
    DwarfModel& dwarf = AddDwarf(At(16, 12));
    auto brains = std::make_unique<AStarController>();
    AStarController& steering = *brains;
    steering.Attach(&dwarf);
    dwarf.ReplaceController(std::move(brains));
    std::vector<Field> fields = InputDialogSerializer::Collect(dwarf, "F");
    EXPECT_EQ(Named(fields, "AStarController").className, "AStarController");
    ASSERT_NE(dwarf.GetMaxSpeed(), 3.5f);
    Edit(fields, "maximum Speed").floats[0] = 3.5f;
    Edit(fields, "General Aggressiveness").floats[0] = 0.25f;

    EXPECT_TRUE(InputDialogSerializer::Apply(dwarf, "F", fields));
    EXPECT_EQ(dwarf.GetMaxSpeed(), 3.5f);
    EXPECT_EQ(steering.generalAggressiveness, 0.25f);
    EXPECT_EQ(dwarf.GetController(), &steering);
}

}  // namespace
