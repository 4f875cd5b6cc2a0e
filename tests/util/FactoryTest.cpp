#include <gtest/gtest.h>

#include "app/Debug.h"
#include "support/TempDir.h"
#include "util/Factory.h"

namespace {

struct Shape {
    virtual ~Shape() = default;
    virtual int Corners() const = 0;
};
struct Triangle : Shape {
    int Corners() const override { return 3; }
};
struct Square : Shape {
    int Corners() const override { return 4; }
};

QM_REGISTER_CLASS(Shape, Triangle);

TEST(FactoryTest, RegisteredDuringStaticInitialisationTheLaterReplacingTheEarlier)
{
    ASSERT_TRUE(Factory<Shape>::Knows("Triangle"));
    auto shape = Factory<Shape>::Create("Triangle");
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->Corners(), 3);
    // A later registration replaces the earlier.
    Factory<Shape>::Register("Polygon", [] { return std::make_unique<Triangle>(); });
    Factory<Shape>::Register("Polygon", [] { return std::make_unique<Square>(); });
    EXPECT_EQ(Factory<Shape>::Create("Polygon")->Corners(), 4);
}

TEST(FactoryTest, UnknownNameIsReportedAndYieldsNull)
{
    TempDir dir;
    Debug::Release();
    ASSERT_TRUE(Debug::Instance().CreateLogFile("log.txt"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(Factory<Shape>::Create("Circle"), nullptr);
    std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("Factory: could not create\n\"Circle\""), std::string::npos);
    EXPECT_EQ(dir.Read("log.txt"), "Factory: could not create\n\"Circle\"\n");
    EXPECT_EQ(Factory<Shape>::Create("triangle"), nullptr) << "names compare byte-wise";
    Debug::Release();
}

}  // namespace
