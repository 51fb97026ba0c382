#include "actions/HotkeyPlatform.h"
#include "actions/VtHotkeysManager.h"
#include "actions/VtUserActionProcessorList.h"
#include "app/VtObjectsSettingsManager.h"
#include "profiles/ProfilesXml.h"
#include "profiles/VtSettingsManager.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

class RecordingHotkeyPlatform : public HotkeyPlatform {
public:
    bool registerHotkey(std::uint32_t id, std::uint32_t platformModifiers, std::uint32_t virtualKey) override
    {
        calls.push_back("register " + std::to_string(id) + " " + std::to_string(platformModifiers) + " " +
                        std::to_string(virtualKey));
        return true;
    }
    bool unregisterHotkey(std::uint32_t id) override
    {
        calls.push_back("unregister " + std::to_string(id));
        return true;
    }

    std::vector<std::string> calls;
};

class RecordingProcessor : public VtUserActionProcessor {
public:
    bool process(const std::shared_ptr<VtUserAction>& action, bool restorable) override
    {
        processed.emplace_back(action, restorable);
        return true;
    }
    bool withdraw(const std::shared_ptr<VtUserAction>&) override { return false; }
    void withdrawAll() override {}

    std::vector<std::pair<std::shared_ptr<VtUserAction>, bool>> processed;
};

std::string file(const std::string& keys)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve">)" + keys + "</Vantrel>";
}

std::string key(const std::string& id, const std::string& actionElement = "action")
{
    return R"(<key id=")" + id + R"(" key="66" modifiers="5" name="Ctrl + Alt + B"><)" + actionElement +
           R"( action="0" brightness="0.05" contrast="0" /></key>)";
}

class VtHotkeysTest : public testing::Test {
protected:
    std::shared_ptr<VtHotkey> ctrlAltB()
    {
        auto hotkey = std::make_shared<VtHotkey>(platform);
        hotkey->virtualKey = 66;
        hotkey->modifiers = HotkeyControl | HotkeyAlt;
        hotkey->label = "Ctrl + Alt + B";
        hotkey->action->brightnessDelta = 0.05f;
        return hotkey;
    }

    bool load(const std::string& text)
    {
        const auto reader = xmlReader(text);
        return reader && manager->load(*reader);
    }

    const kelComInitialize com;
    std::shared_ptr<RecordingHotkeyPlatform> platform = std::make_shared<RecordingHotkeyPlatform>();
    std::shared_ptr<VtUserActionProcessorList> processors = std::make_shared<VtUserActionProcessorList>();
    std::shared_ptr<VtHotkeysManager> manager =
        std::make_shared<VtHotkeysManager>(std::make_shared<VtHotkeysProcessor>(processors), platform);
};

} // namespace

TEST(HotkeyModifiersTest, MapToThePlatformsBits)
{
    const std::vector<std::tuple<std::uint32_t, std::uint32_t>> cases{
        {HotkeyControl | HotkeyAlt, 3}, {HotkeyShift, 4}, {HotkeyAlt, 1}, {HotkeyControl, 2}, {7, 7}, {0, 0}};
    for (const auto& [ours, platforms] : cases)
        EXPECT_EQ(platformModifiersOf(ours), platforms) << ours;
}

TEST_F(VtHotkeysTest, CtrlAltBForAFivePercentStepIsRegisteredAndWrittenAsStored)
{
    manager->addHotkey(ctrlAltB());

    EXPECT_EQ(platform->calls, std::vector<std::string>{"register 0 3 66"});
    EXPECT_TRUE(manager->isModified());
    EXPECT_EQ(savedXml(*manager), file("<keys>" + key("0") + "</keys>"));
}

TEST_F(VtHotkeysTest, IdsContinueAfterTheLargestStoredOne)
{
    ASSERT_TRUE(load(file("<keys>" + key("0") + key("3") + key("1") + "</keys>")));
    EXPECT_TRUE(platform->calls.empty()) << "loading registers nothing";

    const auto added = ctrlAltB();
    manager->addHotkey(added);
    EXPECT_EQ(added->id, 4u);
}

TEST_F(VtHotkeysTest, AnEmptyListStartsAtIdZero)
{
    ASSERT_TRUE(load(file("<keys />")));
    const auto added = ctrlAltB();
    manager->addHotkey(added);
    EXPECT_EQ(added->id, 0u);
    EXPECT_FALSE(load(file(""))) << "no keys element";
}

TEST_F(VtHotkeysTest, OlderDetailsLoadAndAreWrittenBackAsAction)
{
    ASSERT_TRUE(load(file("<keys>" + key("2", "details") + "</keys>")));
    const auto loaded = std::dynamic_pointer_cast<VtHotkey>(manager->hotkeyList()->find(2));
    ASSERT_TRUE(loaded);
    EXPECT_FLOAT_EQ(loaded->action->brightnessDelta, 0.05f);
    EXPECT_EQ(savedXml(*manager), file("<keys>" + key("2") + "</keys>"));
}

TEST_F(VtHotkeysTest, KeysThatDoNotReadAreSkipped)
{
    const std::string noName = R"(<key id="5" key="66" modifiers="5"><action action="0" brightness="0.1" contrast="0" /></key>)";
    const std::string badAction = R"(<key id="6" key="66" modifiers="5" name="x"><action action="9" /></key>)";
    const std::string noAction = R"(<key id="7" key="66" modifiers="5" name="x" />)";
    ASSERT_TRUE(load(file("<keys>" + noName + badAction + noAction + key("1") + "</keys>")));
    const auto list = manager->hotkeyList();
    EXPECT_TRUE(list->find(1));
    for (std::uint32_t skipped : {5u, 6u, 7u})
        EXPECT_FALSE(list->find(skipped)) << skipped;
}

TEST_F(VtHotkeysTest, TheSettingRegistersAndUnregistersTheWholeSetOnce)
{
    ASSERT_TRUE(load(file("<keys>" + key("0") + "</keys>")));
    const auto settings = std::make_shared<VtSettingsManager>();
    VtObjectsSettingsManager objectsSettings(settings, manager);
    EXPECT_TRUE(platform->calls.empty()) << "off at start";

    settings->setEnableGlobalHotkeys(true);
    settings->setEnableGlobalHotkeys(true);
    settings->setSwitchProfilesUsingMlcOnTrayIcon(true);
    settings->setEnableGlobalHotkeys(false);

    EXPECT_EQ(platform->calls, (std::vector<std::string>{"register 0 3 66", "unregister 0"}));
    EXPECT_FALSE(manager->isRegistered());
}

TEST_F(VtHotkeysTest, AFiredHotkeyHandsItsOwnActionOverAsAOneShotStep)
{
    const auto recorder = std::make_shared<RecordingProcessor>();
    processors->processors.push_back(recorder);
    const auto hotkey = ctrlAltB();
    manager->addHotkey(hotkey);

    const auto found = manager->hotkeyList()->find(hotkey->id);
    ASSERT_TRUE(found && found->callback);
    found->callback(found.get());

    ASSERT_EQ(recorder->processed.size(), 1u);
    EXPECT_EQ(recorder->processed[0].first, hotkey->action);
    EXPECT_FALSE(recorder->processed[0].second);
}
