#include "profiles/ListedMonitor.h"
#include "profiles/MonitorsProfileList.h"
#include "profiles/ProfileReKeying.h"
#include "profiles/ProfilesXml.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class ProfileReKeyingTest : public testing::Test {
protected:
    void SetUp() override
    {
        // An external monitor over DDC/CI, then the laptop panel over WMI as id 2.
        monitors = {listedMonitor(L"1", fakeControl(0, 50, 100)),
                    listedMonitor(L"2", fakeControl(0, 50, 100, L"WMI")),
                    listedMonitor(L"3", fakeControl(0, 50, 100, L"WMI"))};
    }

    void addProfile(const std::wstring& name, std::initializer_list<std::pair<std::wstring, float>> brightnessById)
    {
        const auto profile = profiles.create(name);
        for (const auto& [id, brightness] : brightnessById) {
            auto entry = std::make_shared<MonitorProfile>();
            entry->brightness = brightness;
            profile->monitors[id] = entry;
        }
    }

    std::map<std::wstring, float> brightnessOf(const std::wstring& name)
    {
        std::map<std::wstring, float> values;
        for (const auto& [id, entry] : profiles.find(name)->monitors)
            values[id] = entry->brightness;
        return values;
    }

    void reKey() { reKeyProfiles(profiles, monitors, [this](const std::wstring& name) { return legacy[name]; }); }

    MonitorManagerList monitors;
    MonitorsProfileList profiles;
    std::map<std::wstring, std::wstring> legacy{{L"Generic PnP Monitor", L"1"}};
    kelComInitialize com;
};

} // namespace

TEST_F(ProfileReKeyingTest, LegacyNamesAndTheBuiltInDisplayTakeTheMonitorsIds)
{
    addProfile(L"Day", {{L"Generic PnP Monitor", 0.3f}, {L"Built-in Display", 0.6f}});
    addProfile(L"Night", {{L"Built-in Display", 0.1f}, {L"Unknown Monitor", 0.2f}});
    profiles.setModified(false);

    reKey();

    EXPECT_EQ(brightnessOf(L"Day"), (std::map<std::wstring, float>{{L"1", 0.3f}, {L"2", 0.6f}}));
    EXPECT_EQ(brightnessOf(L"Night"), (std::map<std::wstring, float>{{L"2", 0.1f}, {L"Unknown Monitor", 0.2f}}));
    EXPECT_TRUE(profiles.isModified());
}

TEST_F(ProfileReKeyingTest, ReKeyedBuiltInDisplayIsWrittenBack)
{
    const auto reader = xmlReader(
        R"(<?xml version="1.0"?><Vantrel><profiles><profile name="Laptop">)"
        R"(<monitor_profile id="Built-in Display" brightness="0.5" contrast="1" R="1" G="1" B="1" />)"
        R"(</profile></profiles></Vantrel>)");
    ASSERT_TRUE(reader && profiles.load(*reader));
    ASSERT_FALSE(profiles.isModified());

    reKey();

    ASSERT_TRUE(profiles.isModified());
    const std::string saved = savedXml(profiles);
    EXPECT_NE(saved.find(R"(contrast="1" id="2" />)"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("Built-in Display"), std::string::npos) << saved;
}

TEST_F(ProfileReKeyingTest, ReKeyOntoAnIdTheProfileHasKeepsTheExistingEntry)
{
    addProfile(L"Day", {{L"Generic PnP Monitor", 0.3f}, {L"1", 0.9f}, {L"Built-in Display", 0.6f}, {L"2", 0.7f}});
    reKey();
    EXPECT_EQ(brightnessOf(L"Day"), (std::map<std::wstring, float>{{L"1", 0.9f}, {L"2", 0.7f}}));
}

TEST_F(ProfileReKeyingTest, WithoutAWmiPanelTheBuiltInDisplayKeepsItsName)
{
    monitors.erase(monitors.begin() + 1, monitors.end());
    addProfile(L"Day", {{L"Built-in Display", 0.6f}});
    profiles.setModified(false);

    reKey();

    EXPECT_EQ(brightnessOf(L"Day"), (std::map<std::wstring, float>{{L"Built-in Display", 0.6f}}));
    EXPECT_FALSE(profiles.isModified());
}

// A name the monitors manager knows is taken as it says, even "Built-in Display".
TEST_F(ProfileReKeyingTest, TheTranslationTableComesBeforeTheBuiltInRule)
{
    legacy[L"Built-in Display"] = L"3";
    addProfile(L"Day", {{L"Built-in Display", 0.6f}});
    reKey();
    EXPECT_EQ(brightnessOf(L"Day"), (std::map<std::wstring, float>{{L"3", 0.6f}}));
}
