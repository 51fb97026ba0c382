#include "automation/VtOnAppActionDb.h"
#include "profiles/ProfilesXml.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string file(const std::string& items)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve">)" + items + "</Vantrel>";
}

std::string brightnessRule(unsigned appId, const std::string& step)
{
    return R"(<item app_id=")" + std::to_string(appId) + R"("><action action="0" brightness=")" + step +
           R"(" contrast="0" /></item>)";
}

std::string profileRule(unsigned appId, const std::string& profile)
{
    return R"(<item app_id=")" + std::to_string(appId) + R"("><action action="1" profile=")" + profile +
           R"(" /></item>)";
}

std::shared_ptr<VtOnAppAction> rule(unsigned appId, float brightnessStep)
{
    auto made = std::make_shared<VtOnAppAction>();
    made->appId = appId;
    made->action.brightnessDelta = brightnessStep;
    return made;
}

std::vector<float> stepsOf(const std::vector<std::shared_ptr<VtOnAppAction>>& rules)
{
    std::vector<float> steps;
    for (const auto& found : rules)
        steps.push_back(found->action.brightnessDelta);
    return steps;
}

class VtOnAppActionDbTest : public ::testing::Test {
protected:
    bool load(const std::string& text)
    {
        const auto reader = xmlReader(text);
        return reader && rules.load(*reader);
    }

    const kelComInitialize com;
    VtOnAppActionDb rules;
};

} // namespace

TEST_F(VtOnAppActionDbTest, RulesAreWrittenInApplicationOrderWithTheirActions)
{
    rules.addRule(rule(7, 0.2f));
    auto night = std::make_shared<VtOnAppAction>();
    night->appId = 3;
    night->action.kind = SetProfile;
    night->action.profileName = L"Night";
    rules.addRule(night);

    EXPECT_TRUE(rules.isModified());
    EXPECT_EQ(savedXml(rules), file(profileRule(3, "Night") + brightnessRule(7, "0.2")));
}

TEST_F(VtOnAppActionDbTest, AStoredFileIsOrderedByApplicationKeepingEachApplicationsOrder)
{
    ASSERT_TRUE(load(file(brightnessRule(9, "0.1") + brightnessRule(2, "0.3") + brightnessRule(9, "-0.1") +
                          brightnessRule(2, "0.4"))));

    EXPECT_EQ(stepsOf(rules.rulesFor(2)), (std::vector<float>{0.3f, 0.4f}));
    EXPECT_EQ(stepsOf(rules.rulesFor(9)), (std::vector<float>{0.1f, -0.1f}));
    EXPECT_TRUE(rules.rulesFor(5).empty());
    EXPECT_FALSE(rules.isModified()) << "what was just read is what the file holds";
}

TEST_F(VtOnAppActionDbTest, ReadingStopsAtTheFirstRuleThatDoesNotReadKeepingThoseBefore)
{
    const std::vector<std::string> broken{R"(<item><action action="0" brightness="0.1" contrast="0" /></item>)",
                                          R"(<item app_id="x"><action action="0" brightness="0.1" contrast="0" /></item>)",
                                          R"(<item app_id="4" />)",
                                          R"(<item app_id="4"><action action="7" /></item>)"};
    for (const auto& bad : broken) {
        SCOPED_TRACE(bad);
        VtOnAppActionDb fresh;
        const auto reader = xmlReader(file(brightnessRule(1, "0.2") + bad + brightnessRule(2, "0.5")));
        ASSERT_TRUE(reader);
        EXPECT_FALSE(fresh.load(*reader));
        EXPECT_EQ(stepsOf(fresh.rulesFor(1)), std::vector<float>{0.2f});
        EXPECT_TRUE(fresh.rulesFor(2).empty());
    }
}

TEST_F(VtOnAppActionDbTest, ARuleForALowerApplicationIsFoundAfterBeingAdded)
{
    ASSERT_TRUE(load(file(brightnessRule(5, "0.1") + brightnessRule(8, "0.2"))));
    rules.addRule(rule(2, 0.3f));
    EXPECT_EQ(stepsOf(rules.rulesFor(2)), std::vector<float>{0.3f});
    EXPECT_EQ(stepsOf(rules.rulesFor(5)), std::vector<float>{0.1f});
    EXPECT_EQ(stepsOf(rules.rulesFor(8)), std::vector<float>{0.2f});
}

TEST_F(VtOnAppActionDbTest, RemovingTakesThatVeryRuleOnly)
{
    const auto first = rule(4, 0.1f);
    const auto lookalike = rule(4, 0.1f);
    rules.addRule(first);
    rules.addRule(lookalike);
    rules.setModified(false);

    rules.removeRule(rule(4, 0.1f));
    EXPECT_EQ(rules.rulesFor(4).size(), 2u);
    EXPECT_FALSE(rules.isModified()) << "a rule it does not hold changes nothing";

    rules.removeRule(first);
    ASSERT_EQ(rules.rulesFor(4).size(), 1u);
    EXPECT_EQ(rules.rulesFor(4)[0], lookalike);
    EXPECT_TRUE(rules.isModified());
}
