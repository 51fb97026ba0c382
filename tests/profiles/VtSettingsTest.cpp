#include "profiles/ProfilesXml.h"
#include "profiles/VtSettingsManager.h"
#include "profiles/VtUiSettings.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string document(const std::string& root)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>)" + root;
}

struct Switches {
    bool onAppsActions;
    bool globalHotkeys;
    bool profilesOnClick;

    bool operator==(const Switches&) const = default;
};

Switches switchesOf(VtSettingsManager& manager)
{
    return {manager.enableOnAppsActions(), manager.enableGlobalHotkeys(), manager.switchProfilesUsingMlcOnTrayIcon()};
}

// Reads the switches back inside its handler, as the objects-settings manager does.
class SwitchesRecorder : public kelConsumesVaEvents {
public:
    explicit SwitchesRecorder(VtSettingsManager& manager) : manager(manager) { manager.addConsumer(this); }
    ~SwitchesRecorder() override { manager.removeConsumer(this); }

    void onVaEventCode(kelRaisesVaEvents*, std::uint32_t code, va_list) override
    {
        codes.push_back(code);
        seen.push_back(switchesOf(manager));
    }

    VtSettingsManager& manager;
    std::vector<std::uint32_t> codes;
    std::vector<Switches> seen;
};

class VtSettingsTest : public testing::Test {
protected:
    kelComInitialize com;
};

} // namespace

TEST_F(VtSettingsTest, FileHoldsTheThreeSwitchesAsRootAttributes)
{
    VtSettingsManager manager;
    manager.setEnableGlobalHotkeys(true);
    manager.setSwitchProfilesUsingMlcOnTrayIcon(true);

    EXPECT_EQ(savedXml(manager),
              document(R"(<Vantrel xml:space="preserve" enableGlobalHotkeys="1" enableOnAppsActions="0" )"
                       R"(switchProfilesUsingMlcOnTrayIcon="1" />)"));
}

TEST_F(VtSettingsTest, ReadingTakesWhatItCanAndLeavesTheRestOff)
{
    struct Case {
        const char* what;
        std::string attributes;
        Switches loaded;
    };
    const std::vector<Case> cases{
        {"only hotkeys", R"(enableGlobalHotkeys="1")", {false, true, false}},
        {"all on", R"(enableOnAppsActions="1" enableGlobalHotkeys="1" switchProfilesUsingMlcOnTrayIcon="1")",
         {true, true, true}},
        {"unreadable values", R"(enableOnAppsActions="yes" enableGlobalHotkeys="" switchProfilesUsingMlcOnTrayIcon="1")",
         {false, false, true}},
        {"nothing", "", {false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VtSettingsManager manager;
        const auto reader = xmlReader(document("<Vantrel " + c.attributes + " />"));
        ASSERT_TRUE(reader);
        EXPECT_TRUE(manager.load(*reader));
        EXPECT_EQ(switchesOf(manager), c.loaded);
        EXPECT_FALSE(manager.isModified());
    }
}

TEST_F(VtSettingsTest, AChangeMarksForSavingAndRaisesAfterTheLockIsReleased)
{
    VtSettingsManager manager;
    SwitchesRecorder recorder(manager);

    manager.setEnableOnAppsActions(true);

    EXPECT_TRUE(manager.isModified());
    EXPECT_EQ(recorder.codes, std::vector<std::uint32_t>{VtSettingsManager::Changed});
    EXPECT_EQ(recorder.seen, (std::vector<Switches>{{true, false, false}}));
}

TEST_F(VtSettingsTest, AnEqualValueAfterASaveChangesNothingAndRaisesNothing)
{
    VtSettingsManager manager;
    manager.setEnableGlobalHotkeys(true);
    ASSERT_FALSE(savedXml(manager).empty());
    manager.setModified(false);
    SwitchesRecorder recorder(manager);

    manager.setEnableGlobalHotkeys(true);

    EXPECT_FALSE(manager.isModified());
    EXPECT_TRUE(recorder.codes.empty());
}

TEST_F(VtSettingsTest, UiSettingsKeepTheLanguageUnderGeneral)
{
    VtUiSettings written;
    written.setLanguage(L"Deutsch");
    const std::string text = savedXml(written);
    EXPECT_EQ(text, document(R"(<Vantrel xml:space="preserve"><General language="Deutsch" /></Vantrel>)"));

    VtUiSettings read;
    const auto reader = xmlReader(text);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(read.load(*reader));
    EXPECT_EQ(read.language(), L"Deutsch");
}

TEST_F(VtSettingsTest, UiSettingsWithoutGeneralFailAndKeepNoLanguage)
{
    VtUiSettings read;
    const auto reader = xmlReader(document(R"(<Vantrel><Other language="Deutsch" /></Vantrel>)"));
    ASSERT_TRUE(reader);
    EXPECT_FALSE(read.load(*reader));
    EXPECT_EQ(read.language(), L"");
}

TEST_F(VtSettingsTest, SettingTheSameLanguageAgainLeavesNothingToSave)
{
    VtUiSettings settings;
    settings.setLanguage(L"English");
    ASSERT_TRUE(settings.isModified());
    settings.setModified(false);

    settings.setLanguage(L"English");
    EXPECT_FALSE(settings.isModified());
    settings.setLanguage(L"Deutsch");
    EXPECT_TRUE(settings.isModified());
}
