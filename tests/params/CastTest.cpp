#include <string>

#include <gtest/gtest.h>

#include "app/Debug.h"
#include "params/Cast.h"
#include "params/Object.h"
#include "support/TempDir.h"

namespace {

class CastTest : public ::testing::Test {
protected:
    CastTest() { Debug::Instance().CreateLogFile("log.txt"); }
    ~CastTest() override { Cast::Release(); }

    Cast& TheCast() { return Cast::Instance(); }

    TempDir dir;
    Object first;
    Object second;
    Object third;
};

TEST_F(CastTest, RegisterKeepsOrderAndReplacesByNameAndDumpLogsEveryName)
{
    EXPECT_TRUE(TheCast().Register(&first, "Jester", false));
    EXPECT_TRUE(TheCast().Register(&second, "Game Elements|DwarfModel_1", true));
    EXPECT_TRUE(TheCast().Register(&third, "Jester", true));
    ASSERT_EQ(TheCast().Members().size(), 2u);
    EXPECT_EQ(TheCast().Members()[0].name, "Jester");
    EXPECT_EQ(TheCast().Members()[0].object, &third);
    EXPECT_TRUE(TheCast().Members()[0].dynamic);
    EXPECT_EQ(TheCast().Members()[1].object, &second);
    EXPECT_FALSE(TheCast().Register(nullptr, "Nobody", false));
    EXPECT_EQ(TheCast().Members().size(), 2u);
    // Dump logs every name.
    TheCast().Clear();
    TheCast().Register(&first, "Sound Engine", false);
    TheCast().Register(&second, "Level01Settings", false);
    TheCast().Dump();
    EXPECT_NE(dir.Read("log.txt").find("Cast Members:\n  Sound Engine\n  Level01Settings\n"), std::string::npos);
}

TEST_F(CastTest, FindAndNameOfCompareExactly)
{
    TheCast().Register(&first, "Queen", false);
    TheCast().Register(&first, "Queen Again", false);
    EXPECT_EQ(TheCast().Find("Queen"), &first);
    EXPECT_EQ(TheCast().Find("queen"), nullptr);
    EXPECT_EQ(TheCast().NameOf(&first), "Queen");
    EXPECT_EQ(TheCast().NameOf(&second), "");
}

TEST_F(CastTest, RemoveTakesTheFirstMemberHoldingTheObject)
{
    TheCast().Register(&first, "A", false);
    TheCast().Register(&second, "B", false);
    TheCast().Register(&first, "C", false);
    EXPECT_TRUE(TheCast().Remove(&first));
    EXPECT_EQ(TheCast().Find("A"), nullptr);
    EXPECT_EQ(TheCast().NameOf(&first), "C");
    EXPECT_FALSE(TheCast().Remove(&third));
    TheCast().Clear();
    EXPECT_TRUE(TheCast().Members().empty());
}

TEST_F(CastTest, RenameKeepsThePlaceAndNeverTakesAnotherMembersName)
{
    TheCast().Register(&first, "A", true);
    TheCast().Register(&second, "B", false);
    EXPECT_TRUE(TheCast().Rename("A", "Folder|A2"));
    EXPECT_EQ(TheCast().Members()[0].name, "Folder|A2");
    EXPECT_TRUE(TheCast().Members()[0].dynamic);
    EXPECT_FALSE(TheCast().Rename("Folder|A2", "B"));
    EXPECT_FALSE(TheCast().Rename("Nobody", "C"));
    EXPECT_EQ(TheCast().Find("B"), &second);
}

TEST_F(CastTest, MakeUniqueNameTakesTheFirstFreeNumber)
{
    const std::string prefix = "Game Elements|BombItem_";
    EXPECT_EQ(TheCast().MakeUniqueName(prefix), prefix + "1");
    TheCast().Register(&first, prefix + "1", true);
    TheCast().Register(&second, prefix + "3", true);
    EXPECT_EQ(TheCast().MakeUniqueName(prefix), prefix + "2");
    TheCast().Register(&third, prefix + "2", true);
    EXPECT_EQ(TheCast().MakeUniqueName(prefix), prefix + "4");
}

}  // namespace
