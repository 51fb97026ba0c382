// A start-up whose kept states or device database are there but cannot be
// read: nothing the user had is replaced by what this run made up.
#include "app/VtAppTestSupport.h"
#include "persistence/HostReadFaults.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace {

class VtAppUnreadableFilesTest : public VtAppTest,
                                 public testing::WithParamInterface<NamedReadFault> {
protected:
    std::optional<std::string> stored(const char* name) const { return readBytes(folder.path() / name); }

    void startAndEnd()
    {
        const auto app = makeApp();
        ASSERT_TRUE(app->initialize());
    }
};

INSTANTIATE_TEST_SUITE_P(Faults, VtAppUnreadableFilesTest,
                         testing::Values(heldByAnotherProgram, accessDenied, ioErrorWhileReading),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace

// The originals file could not be read, so this run finds no original for
// the monitor and captures what it shows now, an already adjusted picture:
// that must never replace the true original.
TEST_P(VtAppUnreadableFilesTest, UnreadableOriginalsAreNotReplacedByTheAdjustedPicture)
{
    const auto known = monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000", "{\"true original\":1}");
    platform->publish({known});
    ASSERT_NO_FATAL_FAILURE(startAndEnd());
    const auto originals = stored("m_orig_st.vt");
    ASSERT_TRUE(originals);

    known->fakeControl->savedState = "{\"adjusted\":1}";
    HostReadFaults faults;
    faults.fail(folder.path() / "m_orig_st.vt", GetParam().fault);
    ASSERT_NO_FATAL_FAILURE(startAndEnd());

    EXPECT_EQ(stored("m_orig_st.vt"), originals);
}

// Without the device database this run numbers the monitors afresh, so its
// ids may be other monitors' ids in the user's files; the files keyed by
// id are left as they were.
TEST_P(VtAppUnreadableFilesTest, UnreadableDeviceDatabaseLeavesEveryFileKeyedById)
{
    platform->publish({monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000", "{\"first\":1}")});
    ASSERT_NO_FATAL_FAILURE(startAndEnd());
    writeBytes(folder.path() / "profiles.vt",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Vantrel><profiles><profile name=\"Night\">"
               "<monitor_profile B=\"1\" G=\"1\" R=\"1\" brightness=\"0.25\" contrast=\"1\" id=\"Built-in Display\"/>"
               "</profile></profiles></Vantrel>\n");
    const char* const keyedById[] = {"monitors.vt", "m_orig_st.vt", "m_ctrl_st.vt", "profiles.vt"};
    std::map<std::string, std::optional<std::string>> before;
    for (const char* name : keyedById)
        before[name] = stored(name);

    // Two monitors never met before: this run gives them ids 1 and 2, and id 1 is taken in the user's files.
    auto panel = monitor(L"Built-in Panel", L"DISPLAY\\SDC4152\\0000", "{\"panel\":1}");
    panel->fakeControl->backEndName = L"WMI";
    platform->publish({monitor(L"Dell P2419", L"MONITOR\\DEL4120\\0000", "{\"second\":1}"), panel});
    HostReadFaults faults;
    faults.fail(folder.path() / "monitors.vt", GetParam().fault);
    ASSERT_NO_FATAL_FAILURE(startAndEnd());

    for (const char* name : keyedById)
        EXPECT_EQ(stored(name), before[name]) << name;
}
