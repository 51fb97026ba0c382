#include "backends/HresultErrorCodeProvider.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

class Probe : public HresultErrorCodeProvider {
public:
    using HresultErrorCodeProvider::delivered;
    using HresultErrorCodeProvider::succeeded;
};

constexpr std::int32_t unexpected = static_cast<std::int32_t>(0x8000FFFFu);
constexpr std::int32_t nullObject = static_cast<std::int32_t>(0x80004003u);

TEST(HresultErrorCodeProvider, FreshObjectHasCodeZeroInTheCommonCategory)
{
    const Probe probe;
    const std::error_code code = probe.errorCode();
    EXPECT_EQ(code.value(), 0);
    EXPECT_STREQ(code.category().name(), "common");
    EXPECT_EQ(code.message(), "common unknown error");
    EXPECT_FALSE(code);
}

TEST(HresultErrorCodeProvider, KeepsTheLastFailureAndIgnoresLaterSuccesses)
{
    Probe probe;
    EXPECT_TRUE(probe.succeeded(0));
    EXPECT_TRUE(probe.succeeded(1)) << "S_FALSE is a success";
    EXPECT_EQ(probe.errorCode().value(), 0);

    EXPECT_FALSE(probe.succeeded(unexpected));
    EXPECT_TRUE(probe.succeeded(0));
    EXPECT_EQ(probe.errorCode().value(), unexpected);
    EXPECT_EQ(probe.errorCode().message(), "common unknown error");
}

TEST(HresultErrorCodeProvider, SuccessWithoutAnObjectCountsAsNullPointer)
{
    int object = 0;
    Probe probe;
    EXPECT_TRUE(probe.delivered(0, &object));
    EXPECT_EQ(probe.errorCode().value(), 0);
    EXPECT_FALSE(probe.delivered(0, nullptr));
    EXPECT_EQ(probe.errorCode().value(), nullObject);
    EXPECT_FALSE(probe.delivered(unexpected, &object));
    EXPECT_EQ(probe.errorCode().value(), unexpected);
}

TEST(HresultErrorCodeProvider, DefaultConditionIsTheSameCodeInTheSameCategory)
{
    const std::error_condition condition = commonErrorCategory().default_error_condition(unexpected);
    EXPECT_EQ(condition.value(), unexpected);
    EXPECT_EQ(&condition.category(), &commonErrorCategory());
    EXPECT_EQ(std::error_code(unexpected, commonErrorCategory()), condition);
}

} // namespace
