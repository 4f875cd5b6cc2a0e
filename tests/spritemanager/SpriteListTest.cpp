#include "spritemanager/SpriteTestSupport.h"

#include "sprites/Sprite.h"

namespace {

using LineResult = SpriteLoaderUtil::LineResult;

LineResult Parse(const std::string& line, SpriteInfo& info)
{
    return SpriteLoaderUtil::ParseLine(line, "data\\shared\\", info);
}

TEST(SpriteListLine, EntriesTakeDirectoryTypeFramesAndMirroring)
{
    SpriteInfo info;
    ASSERT_EQ(Parse("board\tstatic  board normx", info), LineResult::kEntry);
    EXPECT_EQ(info.label, "board");
    EXPECT_EQ(info.file, "data\\shared\\board");
    EXPECT_EQ(info.type, SpriteInfo::kStatic);
    EXPECT_EQ(info.frameCount, 1);
    EXPECT_TRUE(info.crop);
    EXPECT_FALSE(info.mirror);
    EXPECT_FALSE(info.loaded);

    // Any mode but normx mirrors.
    ASSERT_EQ(Parse("walk anim dwarf_walk mirrorx 8", info), LineResult::kEntry);
    EXPECT_EQ(info.type, SpriteInfo::kAnim);
    EXPECT_TRUE(info.mirror);
    EXPECT_EQ(info.frameCount, 8);

    ASSERT_EQ(Parse("hit anim_rle dwarf_hit flip 12", info), LineResult::kEntry);
    EXPECT_EQ(info.type, SpriteInfo::kAnimRle);
    EXPECT_TRUE(info.mirror);
    EXPECT_EQ(info.frameCount, 12);
}

TEST(SpriteListLine, WrongTokenCountsAreUnparsableAndCommentsAndShortLinesSkipped)
{
    SpriteInfo info;
    EXPECT_EQ(Parse("walk anim dwarf_walk mirrorx", info), LineResult::kUnparsable);
    EXPECT_EQ(Parse("board static board normx extra", info), LineResult::kUnparsable);
    EXPECT_EQ(Parse("board picture board normx", info), LineResult::kUnparsable);
    // Frame counts that leave no frame to cut.
    EXPECT_EQ(Parse("walk anim dwarf_walk normx 0", info), LineResult::kUnparsable);
    EXPECT_EQ(Parse("walk anim dwarf_walk normx many", info), LineResult::kUnparsable);
    // Comments and short lines are skipped.
    EXPECT_EQ(Parse("# walk anim dwarf_walk normx 8", info), LineResult::kSkipped);
    EXPECT_EQ(Parse("#", info), LineResult::kSkipped);
    EXPECT_EQ(Parse("lonely", info), LineResult::kSkipped);
    EXPECT_EQ(Parse("", info), LineResult::kSkipped);
}

class SpriteListFile : public GraphicsTest {};

TEST_F(SpriteListFile, RegistersEntriesAndWarnsOnBadLinesOrAMissingList)
{
    dir.Write("data/shared/sprites.txt",
              "# the board\n"
              "board static board normx\n"
              "walk anim dwarf_walk flipped 4\n"
              "broken anim dwarf_walk normx\n"
              "single\n");
    ASSERT_TRUE(SpriteLoaderUtil::Instance().Load("data\\shared\\sprites.txt", "data\\shared\\", 0.0f, 0.5f, false));

    EXPECT_NE(Sprites().FindSpriteInfo("board"), nullptr);
    ASSERT_NE(Sprites().FindSpriteInfo("walk"), nullptr);
    EXPECT_EQ(Sprites().FindSpriteInfo("walk")->frameCount, 4);
    EXPECT_EQ(Sprites().FindSpriteInfo("broken"), nullptr);
    EXPECT_EQ(Sprites().LoadedCount(), 0);

    EXPECT_TRUE(Logged("SpriteLoaderUtil::Load: Couldn't parse line <broken anim dwarf_walk normx>!"));
    EXPECT_EQ(Log().find("single"), std::string::npos);
    std::string log = Log();
    size_t first = log.find("Couldn't parse line");
    EXPECT_EQ(log.find("Couldn't parse line", first + 1), std::string::npos);

    EXPECT_FALSE(SpriteLoaderUtil::Instance().Load("data\\level01\\sprites.txt", "data\\level01\\", 0.0f, 1.0f, false));
    EXPECT_TRUE(Logged("SpriteLoaderUtil::Load: Failed to open <data\\level01\\sprites.txt>!"));
    dir.Write("data/level01/sprites.txt", "# nothing yet\n");
    EXPECT_TRUE(SpriteLoaderUtil::Instance().Load("data\\level01\\sprites.txt", "data\\level01\\", 0.0f, 1.0f, false));
    EXPECT_TRUE(Logged("SpriteLoaderUtil::Load: <data\\level01\\sprites.txt> lists no sprites!"));
    // A preload builds the sprites and moves the loading screen.
    dir.Write("data/shared/dot.bmp", Bmp24(2, 2, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
    dir.Write("data/shared/sprites.txt", "dot static dot normx\n");
    LoadingScreen::Instance().SetActive(true);
    ASSERT_TRUE(SpriteLoaderUtil::Instance().Load("data\\shared\\sprites.txt", "data\\shared\\", 0.2f, 0.6f, true));
    EXPECT_EQ(Sprites().LoadedCount(), 1);
    EXPECT_TRUE(Sprites().FindSpriteInfo("dot")->loaded);
    EXPECT_FLOAT_EQ(LoadingScreen::Instance().GetProgress(), 0.6f);
}

TEST_F(SpriteListFile, FrameTableAndAudioEventsAreReadBesideThePicture)
{
    dir.Write("data/walk.txt", "0 1 2\n1\tx 3\n");
    dir.Write("data/walk_ae.txt", "0.5 schlag\n0.7 too many tokens\n0.2\nnan? x\n");
    EXPECT_EQ(SpriteLoaderUtil::LoadFrameTable("data\\walk"), (std::vector<int32_t>{0, 1, 2, 1, 3}));
    std::map<float, std::string> events = SpriteLoaderUtil::LoadAudioEvents("data\\walk");
    EXPECT_EQ(events, (std::map<float, std::string>{{0.5f, "schlag"}}));

    // The long name wins over the short one.
    dir.Write("data/walk_audioevents.txt", "1.0 bumm\n");
    EXPECT_EQ(SpriteLoaderUtil::LoadAudioEvents("data\\walk"), (std::map<float, std::string>{{1.0f, "bumm"}}));
    EXPECT_TRUE(SpriteLoaderUtil::LoadFrameTable("data\\none").empty());
}

}  // namespace
