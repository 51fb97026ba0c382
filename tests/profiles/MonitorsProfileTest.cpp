#include "profiles/ListedMonitor.h"
#include "profiles/MonitorsProfile.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::shared_ptr<MonitorProfile> entry(float brightness, float contrast = 1.0f)
{
    auto values = std::make_shared<MonitorProfile>();
    values->brightness = brightness;
    values->contrast = contrast;
    return values;
}

MonitorsProfile profileOf(std::initializer_list<std::pair<const std::wstring, std::shared_ptr<MonitorProfile>>> entries)
{
    MonitorsProfile profile;
    profile.monitors = entries;
    return profile;
}

std::vector<std::wstring> idsOf(const MonitorsProfile& profile)
{
    std::vector<std::wstring> ids;
    for (const auto& [id, values] : profile.monitors)
        ids.push_back(id);
    return ids;
}

} // namespace

TEST(MonitorsProfile, CaptureAddsEveryListedMonitorUnderItsId)
{
    const auto first = fakeControl(0, 40, 100);
    const auto second = fakeControl(0, 10, 50);
    const MonitorManagerList list{listedMonitor(L"1", first),
                                  listedMonitor(L"2", second)};
    auto profile = profileOf({{L"7", entry(0.9f)}});

    EXPECT_TRUE(profile.captureFrom(list));

    EXPECT_EQ(idsOf(profile), (std::vector<std::wstring>{L"1", L"2", L"7"}));
    EXPECT_FLOAT_EQ(profile.find(L"1")->brightness, 0.4f);
    EXPECT_FLOAT_EQ(profile.find(L"2")->brightness, 0.2f);
    EXPECT_FLOAT_EQ(profile.find(L"7")->brightness, 0.9f);
}

TEST(MonitorsProfile, ApplyTouchesOnlyMonitorsWithAnEntry)
{
    const auto withEntry = fakeControl(0, 10, 50);
    const auto withoutEntry = fakeControl(0, 10, 100);
    const MonitorManagerList list{listedMonitor(L"1", withEntry),
                                  listedMonitor(L"2", withoutEntry)};
    const auto profile = profileOf({{L"1", entry(0.4f)}, {L"9", entry(0.1f)}});

    profile.applyTo(list);

    EXPECT_EQ(withEntry->brightness.current, 20u);
    EXPECT_EQ(withoutEntry->brightness.sets, 0);
    EXPECT_EQ(withoutEntry->contrast.sets, 0);
    EXPECT_EQ(withoutEntry->brightness.current, 10u);
}

TEST(MonitorsProfile, AssignCopiesValuesAndAddsEntriesUnlessOnlyExisting)
{
    const auto source = profileOf({{L"1", entry(0.2f, 0.3f)}, {L"2", entry(0.6f)}});
    source.find(L"1")->gains[Blue] = 0.5f;

    for (const bool onlyExisting : {true, false}) {
        auto target = profileOf({{L"1", entry(1.0f)}, {L"3", entry(0.8f)}});
        target.assign(source, onlyExisting);

        EXPECT_EQ(idsOf(target), onlyExisting ? (std::vector<std::wstring>{L"1", L"3"})
                                              : (std::vector<std::wstring>{L"1", L"2", L"3"}));
        const auto first = target.find(L"1");
        EXPECT_EQ(first->brightness, 0.2f);
        EXPECT_EQ(first->contrast, 0.3f);
        EXPECT_EQ(first->gains[Blue], 0.5f);
        EXPECT_NE(first, source.find(L"1")) << "entries are copied, not shared";
        EXPECT_TRUE(first->isModified());
        EXPECT_FALSE(target.find(L"3")->isModified());
        EXPECT_EQ(target.find(L"3")->brightness, 0.8f);
    }
}

TEST(MonitorsProfile, CopyFromHoldsExactlyTheSourceEntriesAndCopyOntoItselfKeepsThem)
{
    const auto source = profileOf({{L"2", entry(0.6f)}});
    auto target = profileOf({{L"1", entry(1.0f)}});
    target.copyFrom(source);
    EXPECT_EQ(idsOf(target), (std::vector<std::wstring>{L"2"}));
    EXPECT_EQ(target.find(L"2")->brightness, 0.6f);

    target.copyFrom(target);
    EXPECT_EQ(idsOf(target), (std::vector<std::wstring>{L"2"}));
}

// Emptying a profile leaves no entry to carry the mark; the profile must.
TEST(MonitorsProfile, CopyingAnEmptyProfileMarksTheProfile)
{
    auto target = profileOf({{L"1", entry(1.0f)}});
    target.copyFrom(MonitorsProfile());
    EXPECT_TRUE(target.monitors.empty());
    EXPECT_TRUE(target.isModified());
}

TEST(MonitorsProfile, ReKeyMovesAnEntryUnlessTheNewIdIsTaken)
{
    struct Case {
        std::wstring oldId, newId;
        std::map<std::wstring, float> brightnessById;
        bool modified;
    };
    const std::vector<Case> cases{
        {L"Generic PnP Monitor", L"3", {{L"1", 0.9f}, {L"3", 0.5f}}, true},
        {L"Generic PnP Monitor", L"1", {{L"1", 0.9f}}, true}, // the entry already under 1 wins
        {L"unknown", L"3", {{L"1", 0.9f}, {L"Generic PnP Monitor", 0.5f}}, false},
        {L"1", L"1", {{L"1", 0.9f}, {L"Generic PnP Monitor", 0.5f}}, false},
    };
    for (const auto& c : cases) {
        auto profile = profileOf({{L"Generic PnP Monitor", entry(0.5f)}, {L"1", entry(0.9f)}});
        profile.reKey(c.oldId, c.newId);
        std::map<std::wstring, float> brightnessById;
        for (const auto& [id, values] : profile.monitors)
            brightnessById[id] = values->brightness;
        EXPECT_EQ(brightnessById, c.brightnessById) << c.oldId << L" -> " << c.newId;
        EXPECT_EQ(profile.isModified(), c.modified) << c.oldId << L" -> " << c.newId;
    }
}

TEST(MonitorsProfile, AChangedEntryMarksTheProfileAndClearingClearsBoth)
{
    auto profile = profileOf({{L"1", entry(0.5f)}});
    EXPECT_FALSE(profile.isModified());
    profile.find(L"1")->setModified(true);
    EXPECT_TRUE(profile.isModified());
    profile.setModified(false);
    EXPECT_FALSE(profile.find(L"1")->isModified());
    EXPECT_FALSE(profile.isModified());
}
