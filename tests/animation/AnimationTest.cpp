#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "app/Debug.h"
#include "audio/AudioEvent.h"
#include "audio/SoundEngine.h"
#include "params/SerializerFixture.h"
#include "render/Animation.h"
#include "render/RenderEngine.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"
#include "support/TempDir.h"

namespace {

// A sprite of n frames that only counts; the animation never needs pixels.
class CountingSprite : public Sprite {
public:
    explicit CountingSprite(int frameCount) : frames(frameCount) {}

    int GetFrameCount() const override { return frames; }
    int GetWidth(int) const override { return 10; }
    int GetHeight(int) const override { return 10; }
    int GetFullWidth() const override { return 10; }
    int GetFullHeight() const override { return 10; }
    bool IsPixelTransparent(const SpritePoint&, int) const override { return true; }
    void DrawEx(const DrawInfo&) override {}

private:
    int frames;
};

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseServices();
        Debug::Instance().CreateLogFile("debug.txt");
        SoundEngine::Instance().Enable(true);
    }

    void TearDown() override { ReleaseServices(); }

    static void ReleaseServices()
    {
        SoundEngine::Release();
        SpriteManager::Release();
        RenderEngine::Release();
        Debug::Release();
    }

    // Registers a sprite of n frames under label and binds a fresh animation to it.
    Animation Bind(const std::string& label, int frames, std::vector<int32_t> table = {},
                   std::map<float, std::string> events = {})
    {
        auto sprite = std::make_unique<CountingSprite>(frames);
        sprite->GetFrameTable() = std::move(table);
        sprite->GetAudioEvents() = std::move(events);
        SpriteManager::Instance().StoreSprite(std::move(sprite), label);
        Animation animation;
        EXPECT_TRUE(animation.SetSpriteLabel(label));
        return animation;
    }

    static void AddEvent(const std::string& name) { SoundEngine::Instance().AddAudioEvent(name, AudioEvent()); }
    static int Voices() { return SoundEngine::Instance().VoiceCount(); }
    std::string Log() const { return dir.Read("debug.txt"); }

    TempDir dir;
};

TEST_F(AnimationTest, LoopWrapsOncePerTurnPingPongTurnsAtBothEndsAndStopHoldsAtThem)
{
    Animation animation = Bind("ten", 10);
    int ends = 0;
    for (int i = 0; i < 10; ++i) {
        animation.Update(0.1f);
        ends += animation.IsEndReached() ? 1 : 0;
    }
    EXPECT_NEAR(animation.GetPosition(), 0.5f, 1e-4f);
    EXPECT_EQ(ends, 1);
    // An own speed replaces the default.
    animation.SetSpeed(5.0f);
    animation.Update(0.5f);
    EXPECT_NEAR(animation.GetPosition(), 0.75f, 1e-4f);

    Animation pingPong = Bind("ten", 10);
    pingPong.SetMode(Animation::kPingPong);
    pingPong.SetSpeed(10.0f);
    pingPong.Update(0.6f);
    // Step, position after it, turned back, end reached.
    const std::tuple<float, float, bool, bool> steps[] = {
        {0.6f, 1.0f, true, false}, {0.5f, 0.5f, true, false}, {0.6f, 0.0f, false, true}, {0.25f, 0.25f, false, false}};
    for (const auto& [step, position, reversed, ended] : steps) {
        pingPong.Update(step);
        EXPECT_FLOAT_EQ(pingPong.GetPosition(), position);
        EXPECT_EQ(pingPong.IsReversed(), reversed) << position;
        EXPECT_EQ(pingPong.IsEndReached(), ended) << position;
    }

    Animation stop = Bind("ten", 10);
    stop.SetMode(Animation::kStop);
    stop.SetSpeed(10.0f);
    stop.Update(1.5f);
    EXPECT_FLOAT_EQ(stop.GetPosition(), 1.0f);
    EXPECT_TRUE(stop.IsEndReached());
    stop.SetDirection(Animation::kBackward);
    stop.Update(2.0f);
    EXPECT_FLOAT_EQ(stop.GetPosition(), 0.0f);

    // Long steps and broken times do not hang a loop.
    Animation loop = Bind("ten", 10);
    loop.Update(1000.5f);
    EXPECT_GE(loop.GetPosition(), 0.0f);
    EXPECT_LE(loop.GetPosition(), 1.0f);
    loop.Update(INFINITY);
    EXPECT_FLOAT_EQ(loop.GetPosition(), 0.0f);
}

TEST_F(AnimationTest, FrameTablePicksTheDrawnFramesAndFramesStayInsideTheSprite)
{
    Animation animation = Bind("table", 3, {0, 1, 2, 1});
    EXPECT_EQ(animation.GetFrameCount(), 4);
    for (auto [position, frame] : {std::pair{0.0f, 0}, {0.3f, 1}, {0.6f, 2}, {0.99f, 1}, {1.0f, 1}}) {
        animation.SetPosition(position);
        EXPECT_EQ(animation.GetFrame(), frame) << "at " << position;
    }

    // Frames stay inside the sprite.
    Animation bad = Bind("bad table", 3, {7, -2});
    bad.SetPosition(0.0f);
    EXPECT_EQ(bad.GetFrame(), 2);
    bad.SetPosition(0.9f);
    EXPECT_EQ(bad.GetFrame(), 0);

    Animation plain = Bind("four", 4);
    plain.SetPosition(1.0f);
    EXPECT_EQ(plain.GetFrame(), 3);
    plain.SetPosition(NAN);
    EXPECT_EQ(plain.GetFrame(), 0);
    plain.SetFrame(2);
    EXPECT_FLOAT_EQ(plain.GetPosition(), 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(plain.GetFramePosition(), 2.0f / 3.0f);
    plain.SetFrame(9);
    EXPECT_FLOAT_EQ(plain.GetPosition(), 1.0f);
}

TEST_F(AnimationTest, EventFiresWhenItsMarkIsPassedAlsoAfterTheWrapAndUnknownOnesWarnEachTime)
{
    AddEvent("schlag");
    Animation animation = Bind("ten", 10, {}, {{0.5f, "schlag"}});
    animation.SetSpeed(10.0f);
    for (const auto& [step, voices] : {std::pair{0.4f, 0}, {0.2f, 1}, {0.2f, 1}}) {
        animation.Update(step);
        EXPECT_EQ(Voices(), voices) << step;
    }

    animation.SetMuted(true);
    animation.Rewind();
    animation.Update(0.6f);
    EXPECT_EQ(Voices(), 1);

    // A loop fires the marks after the wrap.
    AddEvent("start");
    Animation looping = Bind("start ten", 10, {}, {{0.1f, "start"}});
    looping.SetSpeed(10.0f);
    looping.SetPosition(0.8f);
    looping.Update(0.4f);
    EXPECT_EQ(Voices(), 2);
    EXPECT_NEAR(looping.GetPosition(), 0.2f, 1e-6f);

    // An unknown event warns each time it is passed.
    Animation unknown = Bind("unknown ten", 10, {}, {{0.5f, "nirgends"}});
    unknown.SetSpeed(10.0f);
    unknown.Update(0.6f);
    unknown.Update(1.0f);
    std::string log = Log();
    std::string warning = "Animation::CheckAudioEvents: Failed to receive audio event <nirgends>!";
    size_t first = log.find(warning);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find(warning, first + 1), std::string::npos);
    EXPECT_EQ(Voices(), 2);
}

TEST_F(AnimationTest, StopModeMarkAtTheEndFiresBackwardAndRefiresOnlyOnAnotherStep)
{
    AddEvent("ende");
    Animation animation = Bind("ten", 10, {}, {{1.0f, "ende"}});
    animation.SetMode(Animation::kStop);
    animation.SetSpeed(10.0f);
    animation.SetPosition(0.95f);
    // 0.95 -> 1.05 passes the end; 1.0 -> 1.05 ends where the last firing ended; 1.0 -> 1.1 is another value.
    const std::pair<float, int> steps[] = {{0.1f, 1}, {0.05f, 1}, {0.05f, 1}, {0.1f, 2}};
    for (const auto& [step, voices] : steps) {
        animation.Update(step);
        EXPECT_EQ(Voices(), voices) << step;
    }

    // Backward from the end fires the end mark.
    Animation backward = Bind("ende ten", 10, {}, {{1.0f, "ende"}});
    backward.SetMode(Animation::kStop);
    backward.SetDirection(Animation::kBackward);
    backward.SetPosition(1.0f);
    backward.Update(0.01f);
    EXPECT_EQ(Voices(), 3);
}

TEST_F(AnimationTest, WithoutSpriteItIsInertAndWithOneDrawQueuesTheCurrentFrame)
{
    Animation animation;
    EXPECT_TRUE(animation.SetSpriteLabel("NONE"));
    animation.Update(1.0f);
    animation.Draw(0, 0, 1.0f);
    EXPECT_EQ(animation.GetFrame(), 0);
    EXPECT_EQ(animation.GetFrameCount(), 1);
    EXPECT_FLOAT_EQ(animation.GetPosition(), 0.0f);
    EXPECT_TRUE(RenderEngine::Instance().GetDepthQueue().empty());

    EXPECT_FALSE(animation.SetSpriteLabel("unregistered"));
    EXPECT_EQ(animation.GetSprite(), nullptr);

    // With a sprite the current frame is queued.
    Animation drawn = Bind("ten", 10);
    drawn.SetFrame(3);
    drawn.DrawAnchored(50, 60, 0.5f, 0.75f);
    const auto& queue = RenderEngine::Instance().GetDepthQueue();
    ASSERT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue[0].info.frame, 3);
    EXPECT_TRUE(queue[0].info.Has(DI_BOTTOM_CENTER));
    EXPECT_FLOAT_EQ(queue[0].info.scale, 0.75f);
    EXPECT_FLOAT_EQ(queue[0].depth, 0.5f);
}

TEST_F(AnimationTest, ParametersSurviveAWriteAndRead)
{
    Animation written = Bind("ten", 10);
    written.SetSpeed(12.5f);
    written.SetMode(Animation::kPingPong);
    written.SetDirection(Animation::kBackward);
    written.SetPosition(0.25f);
    WriteBlock("anim.txt", "walk", written);
    std::string text = dir.Read("anim.txt");
    EXPECT_NE(text.find("[Animation] \"walk\""), std::string::npos);
    EXPECT_NE(text.find("\"sprite label\" \"ten\""), std::string::npos);

    Animation read;
    ReadBlock("anim.txt", "walk", read);
    EXPECT_NE(read.GetSprite(), nullptr);
    // The values are exact in the file's six decimals.
    EXPECT_EQ(std::tuple(read.GetSpriteLabel(), read.GetSpeed(), read.UsesDefaultSpeed(), read.GetMode(),
                         read.GetDirection(), read.GetPosition()),
              std::tuple(std::string("ten"), 12.5f, false, Animation::kPingPong, Animation::kBackward, 0.25f));
}

}  // namespace
