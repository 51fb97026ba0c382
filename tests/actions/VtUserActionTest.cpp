#include "actions/VtUserAction.h"
#include "localization/TextListLocalization.h"
#include "profiles/ProfilesXml.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The action lives in the element its owner gives it; here the root.
std::string element(const std::string& attributes)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve")" + attributes + " />";
}

VtUserAction adjust(float brightness, float contrast)
{
    VtUserAction action;
    action.brightnessDelta = brightness;
    action.contrastDelta = contrast;
    return action;
}

VtUserAction setProfile(const std::wstring& name)
{
    VtUserAction action;
    action.kind = SetProfile;
    action.profileName = name;
    return action;
}

class VtUserActionTest : public testing::Test {
protected:
    kelComInitialize com;
};

} // namespace

TEST_F(VtUserActionTest, WritesOnlyTheValuesOfItsKind)
{
    struct Case {
        const char* what;
        VtUserAction action;
        std::string written;
    };
    const std::vector<Case> cases{
        {"5 % brighter", adjust(0.05f, 0.0f), element(R"( action="0" brightness="0.05" contrast="0")")},
        {"darker, both", adjust(-0.1f, -0.25f), element(R"( action="0" brightness="-0.1" contrast="-0.25")")},
        {"a profile", setProfile(L"Night"), element(R"( action="1" profile="Night")")},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(savedXml(c.action), c.written);
    }
}

TEST_F(VtUserActionTest, AnUnknownKindIsNotWritten)
{
    VtUserAction action;
    action.kind = 2;
    EXPECT_EQ(savedXml(action), "");
}

TEST_F(VtUserActionTest, ReadsWhatItsKindNeedsAndRefusesTheRest)
{
    struct Case {
        const char* what;
        std::string attributes;
        std::optional<VtUserAction> read;
    };
    const std::vector<Case> cases{
        {"adjust", R"( action="0" brightness="-0.05" contrast="0.1")", adjust(-0.05f, 0.1f)},
        {"profile, deltas as they were", R"( action="1" profile="Night" brightness="0.5")", setProfile(L"Night")},
        {"a kind read as a stream reads it", R"( action=" 1x" profile="Day")", setProfile(L"Day")},
        {"unknown kind", R"( action="2" profile="Night")", std::nullopt},
        {"no kind", R"( profile="Night")", std::nullopt},
        {"kind not a number", R"( action="one" profile="Night")", std::nullopt},
        {"profile without its name", R"( action="1")", std::nullopt},
        {"adjust without contrast", R"( action="0" brightness="0.05")", std::nullopt},
        {"adjust with a bad step", R"( action="0" brightness="much" contrast="0")", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VtUserAction action;
        const auto reader = xmlReader(element(c.attributes));
        ASSERT_TRUE(reader);
        ASSERT_EQ(action.load(*reader), c.read.has_value());
        if (!c.read)
            continue;
        EXPECT_EQ(action.kind, c.read->kind);
        EXPECT_EQ(action.brightnessDelta, c.read->brightnessDelta);
        EXPECT_EQ(action.contrastDelta, c.read->contrastDelta);
        EXPECT_EQ(action.profileName, c.read->profileName);
    }
}

TEST_F(VtUserActionTest, AFailedReadOfTheKindLeavesTheActionAsItWas)
{
    VtUserAction action = setProfile(L"Night");
    const auto reader = xmlReader(element(R"( action="x" profile="Day")"));
    ASSERT_TRUE(reader);
    EXPECT_FALSE(action.load(*reader));
    EXPECT_EQ(action.kind, SetProfile);
    EXPECT_EQ(action.profileName, L"Night");
}

TEST(VtUserActionDescription, SaysWhatTheEditorsKindChoiceSays)
{
    std::vector<std::wstring> texts(80, L"?");
    texts[18] = L"up";
    texts[19] = L"down";
    texts[73] = L"profile";
    const TextListLocalization language(texts);
    VtUserAction unknown;
    unknown.kind = 7;

    struct Case {
        const char* what;
        VtUserAction action;
        std::wstring description;
    };
    const std::vector<Case> cases{
        {"brightness up", adjust(0.05f, 0.0f), L"up"},
        {"brightness up, contrast down", adjust(0.05f, -0.1f), L"up"},
        {"only contrast down", adjust(0.0f, -0.05f), L"down"},
        {"no step at all", adjust(0.0f, 0.0f), L"up"},
        {"brightness down, contrast up", adjust(-0.05f, 0.1f), L"down"},
        {"profile", setProfile(L"Night"), L"profile \"Night\""},
        {"unknown kind", unknown, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(describeUserAction(language, c.action), c.description);
    }
}

TEST(VtUserActionCopy, IsADistinctObjectWithTheSameValues)
{
    auto stored = std::make_shared<VtUserAction>(setProfile(L"Night"));
    stored->setModified(true);

    const auto copy = copyUserAction(*stored);
    ASSERT_NE(copy, stored);
    EXPECT_EQ(copy->kind, SetProfile);
    EXPECT_EQ(copy->profileName, L"Night");
    EXPECT_TRUE(copy->isModified());

    copy->profileName = L"Day";
    copy->setModified(false);
    EXPECT_EQ(stored->profileName, L"Night");
    EXPECT_TRUE(stored->isModified());
}
