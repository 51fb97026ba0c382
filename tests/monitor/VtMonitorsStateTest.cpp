#include "monitor/FakeMonitorsManager.h"
#include "monitor/VtMonitorStateKeeping.h"
#include "persistence/MemoryTreeStream.h"
#include "persistence/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <thread>

namespace {

struct Listed {
    std::shared_ptr<FakeMonitorManager> platform;
    std::shared_ptr<VtMonitorManager> monitor;
    FakeMonitorControl& control() const { return *platform->fakeControl; }
};

Listed listed(std::uint32_t id)
{
    const std::wstring idText = std::to_wstring(id);
    auto platform = makeFakeMonitor(L"Monitor " + idText, L"path" + idText);
    auto info = std::make_shared<VtDisplayDeviceInfo>(platform->display, L"Monitor #" + idText, idText);
    return {platform, std::make_shared<VtMonitorManager>(id, platform, info)};
}

VtMonitorList monitorsOf(std::initializer_list<Listed> monitors)
{
    VtMonitorList list;
    for (const auto& entry : monitors)
        list.push_back(entry.monitor);
    return list;
}

void addNode(MemoryTreeStream& tree, std::optional<std::wstring> id, std::optional<std::wstring> state)
{
    const auto node = tree.addChild(L"monitor");
    if (id)
        node->writeValue(L"monitor_id", *id, true);
    if (state)
        node->writeValue(L"state", *state, true);
}

} // namespace

struct CaptureCase {
    const char* label;
    std::optional<std::string> kept;
    std::string captured;
    std::optional<std::string> expectedKept;
    bool expectedModified;
};

class CaptureStateTest : public testing::TestWithParam<CaptureCase> {};

INSTANTIATE_TEST_SUITE_P(
    Transitions, CaptureStateTest,
    testing::Values(CaptureCase{"EmptyTextAddsNothing", std::nullopt, "", std::nullopt, false},
                    CaptureCase{"NewTextIsKept", std::nullopt, "{\"a\":1}", "{\"a\":1}", true},
                    CaptureCase{"SameTextChangesNothing", "{\"a\":1}", "{\"a\":1}", "{\"a\":1}", false},
                    CaptureCase{"OtherTextReplaces", "{\"a\":1}", "{\"a\":2}", "{\"a\":2}", true},
                    CaptureCase{"EmptyTextErases", "{\"a\":1}", "", std::nullopt, true}),
    [](const testing::TestParamInfo<CaptureCase>& info) { return std::string(info.param.label); });

TEST_P(CaptureStateTest, KeepsWhatTheControlReports)
{
    const CaptureCase& c = GetParam();
    VtMonitorsState state(Original);
    if (c.kept)
        state.keep(4, *c.kept);
    state.setModified(false);
    const Listed monitor = listed(4);
    monitor.control().savedState = c.captured;

    captureState(state, *monitor.monitor);
    EXPECT_EQ(state.state(4), c.expectedKept);
    EXPECT_EQ(state.isModified(), c.expectedModified);
    EXPECT_EQ(monitor.control().stateCalls, std::vector<std::string>{"save Original"});
}

TEST(VtMonitorStateKeeping, MissingStatesAreCapturedOnceAndNeverOverwritten)
{
    VtMonitorsState state(Controlled);
    state.keep(1, "kept");
    const Listed known = listed(1);
    const Listed fresh = listed(2);
    known.control().savedControlledState = "now1";
    fresh.control().savedControlledState = "now2";

    captureMissingStates(state, monitorsOf({known, fresh}));
    fresh.control().savedControlledState = "later2";
    captureMissingStates(state, monitorsOf({known, fresh}));

    EXPECT_EQ(state.states(), (VtMonitorsState::States{{1, "kept"}, {2, "now2"}}));
    EXPECT_TRUE(known.control().stateCalls.empty());
    EXPECT_EQ(fresh.control().stateCalls, std::vector<std::string>{"save Controlled"});
}

TEST(VtMonitorStateKeeping, RestoreGoesOnAfterAFailureAndSkipsMonitorsWithoutState)
{
    VtMonitorsState state(Original);
    state.keep(1, "one");
    state.keep(3, "three");
    state.keep(9, "not listed");
    const Listed failing = listed(1);
    const Listed without = listed(2);
    const Listed last = listed(3);
    failing.control().restoreFails = true;

    EXPECT_FALSE(restoreStates(state, monitorsOf({failing, without, last})));
    EXPECT_EQ(failing.control().stateCalls, std::vector<std::string>{"restore Original one"});
    EXPECT_TRUE(without.control().stateCalls.empty());
    EXPECT_EQ(last.control().stateCalls, std::vector<std::string>{"restore Original three"});

    failing.control().restoreFails = false;
    EXPECT_TRUE(restoreStates(state, monitorsOf({failing, without, last})));
    EXPECT_TRUE(restoreStates(state, {}));
}

TEST(VtMonitorsState, WritesOneNodePerMonitorInIdOrderAndReadsThemBack)
{
    VtMonitorsState state(Controlled);
    state.keep(12, R"({"gamma":{"b":"0.5"}})");
    state.keep(3, std::string("bytes \xE9\x01", 8));
    MemoryTreeStream tree;
    ASSERT_TRUE(state.save(tree));
    ASSERT_EQ(tree.childCount(L"monitor"), 2u);
    EXPECT_EQ(tree.childAt(L"monitor", 0)->value(L"monitor_id"), L"3");
    EXPECT_EQ(tree.childAt(L"monitor", 1)->value(L"state"), L"{\"gamma\":{\"b\":\"0.5\"}}");

    VtMonitorsState read(Controlled);
    read.keep(12, "replaced by the file");
    read.keep(40, "kept: reading adds");
    read.setModified(false);
    ASSERT_TRUE(read.load(tree));
    EXPECT_EQ(read.states(), (VtMonitorsState::States{{3, std::string("bytes \xE9\x01", 8)},
                                                       {12, R"({"gamma":{"b":"0.5"}})"},
                                                       {40, "kept: reading adds"}}));
    EXPECT_FALSE(read.isModified());
}

struct DamagedStateCase {
    const char* label;
    std::optional<std::wstring> id;
    std::optional<std::wstring> state;
};

class VtMonitorsStateDamageTest : public testing::TestWithParam<DamagedStateCase> {};

INSTANTIATE_TEST_SUITE_P(
    Nodes, VtMonitorsStateDamageTest,
    testing::Values(DamagedStateCase{"NoId", std::nullopt, L"{}"},
                    DamagedStateCase{"IdNotANumber", L"two", L"{}"},
                    DamagedStateCase{"NoState", L"2", std::nullopt},
                    DamagedStateCase{"EmptyState", L"2", L""},
                    DamagedStateCase{"CharacterBeyondOneByte", L"2", L"{\"a\":\u0122x\"}"}),
    [](const testing::TestParamInfo<DamagedStateCase>& info) { return std::string(info.param.label); });

TEST_P(VtMonitorsStateDamageTest, DamagedNodeKeepsTheEntriesAroundIt)
{
    MemoryTreeStream tree;
    addNode(tree, L"1", L"first");
    addNode(tree, GetParam().id, GetParam().state);
    addNode(tree, L"3", L"third");
    VtMonitorsState state(Original);
    EXPECT_TRUE(state.load(tree));
    EXPECT_EQ(state.states(), (VtMonitorsState::States{{1, "first"}, {3, "third"}}));
    EXPECT_TRUE(state.isModified()) << "the damaged file must be written again";
}

TEST(VtMonitorsState, BothStateFilesRoundTripAndADamagedOneIsRewrittenWhole)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("m_ctrl_st.vt"), R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel>)"
                                            R"(<monitor monitor_id="1" state="{&quot;c&quot;:1}"/>)"
                                            R"(<monitor state="lost id"/>)"
                                            R"(<monitor monitor_id="2" state="{}"/></Vantrel>)");
    const VtMonitorsState::States original{{1, R"({"o":"<&>"})"}, {7, "{}"}};
    const VtMonitorsState::States controlled{{1, R"({"c":1})"}, {2, "{}"}};
    {
        auto originalStates = std::make_shared<VtMonitorsState>(Original);
        auto controlledStates = std::make_shared<VtMonitorsState>(Controlled);
        auto manager = makeStoreManager(folder.path());
        manager->registerObject(originalStates, L"m_orig_st.vt");
        manager->registerObject(controlledStates, L"m_ctrl_st.vt");
        EXPECT_EQ(controlledStates->states(), controlled);
        for (const auto& [id, text] : original)
            originalStates->keep(id, text);
        ASSERT_TRUE(manager->saveAll(0));
    }
    const auto bytes = readBytes(folder.file("m_ctrl_st.vt"));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->find("lost id"), std::string::npos);

    auto originalStates = std::make_shared<VtMonitorsState>(Original);
    auto controlledStates = std::make_shared<VtMonitorsState>(Controlled);
    auto manager = makeStoreManager(folder.path());
    ASSERT_TRUE(manager->registerObject(originalStates, L"m_orig_st.vt"));
    ASSERT_TRUE(manager->registerObject(controlledStates, L"m_ctrl_st.vt"));
    EXPECT_EQ(originalStates->states(), original);
    EXPECT_EQ(controlledStates->states(), controlled);
    EXPECT_FALSE(controlledStates->isModified());
}

TEST(VtMonitorsState, SavingWhileTheWorkerCapturesIsSafe)
{
    VtMonitorsState state(Controlled);
    const Listed monitor = listed(1);
    std::thread saver([&state] {
        for (int pass = 0; pass < 200; ++pass) {
            MemoryTreeStream tree;
            state.save(tree);
            state.setModified(false);
        }
    });
    for (int capture = 0; capture < 200; ++capture) {
        monitor.control().savedControlledState = capture % 3 == 0 ? "" : "state " + std::to_string(capture);
        captureState(state, *monitor.monitor);
    }
    saver.join();
    EXPECT_EQ(state.state(1), "state 199");
}
