#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "util/Singleton.h"

namespace {

class FirstService : public Singleton<FirstService> {
public:
    ~FirstService() override { std::fprintf(stderr, "destroyed first\n"); }
    int value = 1;
};

class SecondService : public Singleton<SecondService> {
public:
    ~SecondService() override { std::fprintf(stderr, "destroyed second\n"); }
};

TEST(SingletonTest, FirstUseCreatesOneInstance)
{
    FirstService::Release();
    EXPECT_FALSE(FirstService::Exists());
    FirstService::Instance().value = 7;
    EXPECT_TRUE(FirstService::Exists());
    EXPECT_EQ(FirstService::Instance().value, 7);
    FirstService::Release();
    EXPECT_EQ(FirstService::Instance().value, 1);
    FirstService::Release();
}

TEST(SingletonDeathTest, ServicesDieAtExitInReverseOrderOfFirstUse)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto useBothAndExit = [] {
        FirstService::Release();
        SecondService::Release();
        FirstService::Instance();
        SecondService::Instance();
        std::exit(0);
    };
    EXPECT_EXIT(useBothAndExit(), ::testing::ExitedWithCode(0), "destroyed second\ndestroyed first\n");
}

}  // namespace
