#include "profiles/MonitorsProfileList.h"
#include "profiles/ProfilesXml.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class MonitorsProfileListTest : public testing::Test {
protected:
    static std::vector<std::wstring> namesOf(MonitorsProfileList& list)
    {
        std::vector<std::wstring> names;
        for (const auto& [name, profile] : list.getProfiles())
            names.push_back(name);
        return names;
    }

    static MonitorsProfile valuesOf(std::initializer_list<std::pair<std::wstring, float>> brightnessById)
    {
        MonitorsProfile values;
        for (const auto& [id, brightness] : brightnessById) {
            auto entry = std::make_shared<MonitorProfile>();
            entry->brightness = brightness;
            values.monitors[id] = entry;
        }
        return values;
    }

    static std::string document(const std::string& body)
    {
        return R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve">)" + body + "</Vantrel>";
    }

    static std::string monitorNode(const std::string& id)
    {
        return R"(<monitor_profile id=")" + id + R"(" brightness="0.5" contrast="1" R="1" G="1" B="1" />)";
    }

    kelComInitialize com;
};

} // namespace

TEST_F(MonitorsProfileListTest, NamesAreCaseSensitive)
{
    MonitorsProfileList list;
    list.create(L"Night");
    list.create(L"night");
    EXPECT_EQ(namesOf(list), (std::vector<std::wstring>{L"Night", L"night"}));
    EXPECT_FALSE(list.find(L"NIGHT"));

    list.setModified(false);
    list.remove(L"NIGHT");
    EXPECT_FALSE(list.isModified());
    list.remove(L"night");
    EXPECT_EQ(namesOf(list), (std::vector<std::wstring>{L"Night"}));
    EXPECT_TRUE(list.isModified());
}

TEST_F(MonitorsProfileListTest, StoringUnderAnExistingNameOverwritesThatProfile)
{
    MonitorsProfileList list;
    const auto first = list.storeValues(L"Day", valuesOf({{L"1", 0.4f}, {L"2", 0.5f}}));
    list.storeValues(L"Night", valuesOf({{L"1", 0.1f}}));

    const auto second = list.storeValues(L"Day", valuesOf({{L"1", 0.9f}}));

    EXPECT_EQ(second, first);
    EXPECT_EQ(namesOf(list), (std::vector<std::wstring>{L"Day", L"Night"}));
    const auto day = list.find(L"Day");
    ASSERT_EQ(day->monitors.size(), 1u);
    EXPECT_EQ(day->find(L"1")->brightness, 0.9f);
    EXPECT_FALSE(list.storeValues(L"", valuesOf({{L"1", 0.2f}})));
    EXPECT_EQ(namesOf(list).size(), 2u);
}

TEST_F(MonitorsProfileListTest, CopyOfIsPrivateToItsHolder)
{
    MonitorsProfileList list;
    list.storeValues(L"Day", valuesOf({{L"1", 0.4f}}));
    const auto copy = list.copyOf(L"Day");
    ASSERT_TRUE(copy);
    copy->find(L"1")->brightness = 0.7f;
    EXPECT_EQ(list.find(L"Day")->find(L"1")->brightness, 0.4f);
    EXPECT_FALSE(list.copyOf(L"day"));
}

TEST_F(MonitorsProfileListTest, FileHoldsOneElementPerProfileAndMonitorInNameOrder)
{
    MonitorsProfileList list;
    auto values = valuesOf({{L"2", 0.254902f}, {L"10", 1.0f}});
    values.find(L"2")->gains[Green] = 0.5f;
    list.storeValues(L"b", values);
    list.storeValues(L"A", valuesOf({}));

    EXPECT_EQ(savedXml(list),
              document(R"(<profiles><profile name="A" /><profile name="b">)"
                       R"(<monitor_profile B="1" G="1" R="1" brightness="1" contrast="1" id="10" />)"
                       R"(<monitor_profile B="1" G="0.5" R="1" brightness="0.254902" contrast="1" id="2" />)"
                       R"(</profile></profiles>)"));
}

TEST_F(MonitorsProfileListTest, SavedListLoadsBackUnmodified)
{
    MonitorsProfileList written;
    auto values = valuesOf({{L"1", 0.25f}, {L"2", 0.75f}});
    values.find(L"2")->contrast = 0.5f;
    values.find(L"2")->gains[Red] = 0.125f;
    written.storeValues(L"Evening", values);
    written.storeValues(L"Morning", valuesOf({{L"1", 1.0f}}));

    MonitorsProfileList read;
    const auto reader = xmlReader(savedXml(written));
    ASSERT_TRUE(reader);
    ASSERT_TRUE(read.load(*reader));

    EXPECT_EQ(namesOf(read), (std::vector<std::wstring>{L"Evening", L"Morning"}));
    const auto second = read.find(L"Evening")->find(L"2");
    EXPECT_EQ(second->brightness, 0.75f);
    EXPECT_EQ(second->contrast, 0.5f);
    EXPECT_EQ(second->gains, (std::map<ColorChannel, float>{{Red, 0.125f}, {Green, 1.0f}, {Blue, 1.0f}}));
    EXPECT_FALSE(read.isModified());
}

TEST_F(MonitorsProfileListTest, DamagedFileKeepsTheProfilesReadBeforeTheDamageAndFails)
{
    const std::string good = R"(<profile name="Good">)" + monitorNode("1") + "</profile>";
    const auto afterGood = [&](const std::string& damaged) { return "<profiles>" + good + damaged + "</profiles>"; };
    struct Case {
        const char* what;
        std::string body;
        std::vector<std::wstring> loaded;
    };
    const std::vector<Case> cases{
        {"no profiles element", good, {}},
        {"profile without name", afterGood("<profile>" + monitorNode("2") + "</profile>"), {L"Good"}},
        {"monitor without id",
         afterGood(R"(<profile name="Bad"><monitor_profile brightness="1" contrast="1" R="1" G="1" B="1" />)"
                   "</profile>"),
         {L"Good"}},
        {"missing gain",
         afterGood(R"(<profile name="Bad"><monitor_profile id="2" brightness="1" contrast="1" R="1" B="1" />)"
                   "</profile>"),
         {L"Good"}},
        {"unreadable value",
         afterGood(R"(<profile name="Bad"><monitor_profile id="2" brightness="bright" contrast="1" R="1" G="1" )"
                   R"(B="1" /></profile>)"),
         {L"Good"}},
    };
    for (const auto& c : cases) {
        MonitorsProfileList list;
        const auto reader = xmlReader(document(c.body));
        ASSERT_TRUE(reader) << c.what;
        EXPECT_FALSE(list.load(*reader)) << c.what;
        EXPECT_EQ(namesOf(list), c.loaded) << c.what;
    }
}

// The store reads the temporary companion after a failed main file into the
// same list: what the second read finds is added, and replaces by name.
TEST_F(MonitorsProfileListTest, SecondReadAddsAndLaterDuplicatesReplace)
{
    MonitorsProfileList list;
    const auto first =
        xmlReader(document(R"(<profiles><profile name="A">)" + monitorNode("1") + "</profile></profiles>"));
    ASSERT_TRUE(first && list.load(*first));
    const auto second = xmlReader(document(R"(<profiles><profile name="B" /><profile name="A" /><profile name="A">)" +
                                           monitorNode("7") + "</profile></profiles>"));
    ASSERT_TRUE(second && list.load(*second));

    EXPECT_EQ(namesOf(list), (std::vector<std::wstring>{L"A", L"B"}));
    const auto a = list.find(L"A");
    ASSERT_EQ(a->monitors.size(), 1u);
    EXPECT_TRUE(a->find(L"7"));
}

TEST_F(MonitorsProfileListTest, AChangedEntryMarksTheListUntilItIsSaved)
{
    MonitorsProfileList list;
    list.storeValues(L"Day", valuesOf({{L"1", 0.4f}}));
    list.setModified(false);
    EXPECT_FALSE(list.isModified());

    list.find(L"Day")->find(L"1")->setModified(true);
    EXPECT_TRUE(list.isModified());
    list.setModified(false);
    EXPECT_FALSE(list.isModified());
}
