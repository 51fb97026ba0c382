// The end-to-end tests refuse to run, and delete nothing, unless the data
// folder they would delete is proven to belong to a test prefix. Each case
// starts one of them in a child process whose WINEPREFIX says otherwise.
#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"
#include "persistence/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

const wchar_t* const endToEndTest = L"WinProgramMonitorsTest.FirstStartRecordsEveryMonitorAndTheNextStartKnowsThemAgain";

// Sets an environment variable of this process, which a child inherits, until it goes.
class EnvironmentOverride {
public:
    EnvironmentOverride(const wchar_t* name, const std::optional<std::wstring>& value) : name(name)
    {
        wchar_t old[4096] = {};
        const DWORD length = GetEnvironmentVariableW(name, old, 4096);
        if (length > 0 && length < 4096)
            previous = old;
        SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
    }
    ~EnvironmentOverride() { SetEnvironmentVariableW(name, previous ? previous->c_str() : nullptr); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    const wchar_t* name;
    std::optional<std::wstring> previous;
};

std::wstring wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

enum class OtherPrefix { unset, withoutMarker, markedButNotHoldingTheData };

struct PrefixCase {
    const char* label;
    OtherPrefix prefix;
    const char* reason; // part of the refusal the child prints

    friend void PrintTo(const PrefixCase& c, std::ostream* out) { *out << c.label; }
};

class WinTestPrefixTest : public ProgramWithSimulatedMonitorsTest, public testing::WithParamInterface<PrefixCase> {};

INSTANTIATE_TEST_SUITE_P(
    Prefixes, WinTestPrefixTest,
    testing::Values(PrefixCase{"Unset", OtherPrefix::unset, "WINEPREFIX is not set"},
                    PrefixCase{"WithoutMarker", OtherPrefix::withoutMarker, " has no .vantrel-test-prefix"},
                    PrefixCase{"MarkedButNotHoldingTheData", OtherPrefix::markedButNotHoldingTheData, " is not inside "}),
    [](const testing::TestParamInfo<PrefixCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(WinTestPrefixTest, EndToEndTestsRefuseToRunAndDeleteNothing)
{
    StoreScratchFolder otherPrefix;
    if (GetParam().prefix == OtherPrefix::markedButNotHoldingTheData)
        writeBytes(otherPrefix.file(WinTestPrefix::markerName), "");
    std::optional<std::wstring> prefix;
    if (GetParam().prefix != OtherPrefix::unset) {
        const std::string unixPath = WinTestPrefix::unixPathOf(otherPrefix.path().wstring());
        ASSERT_FALSE(unixPath.empty());
        prefix = wide(unixPath);
    }
    const auto canary = dataFolder() / "canary";
    writeBytes(canary, "the user's settings");
    const auto output = otherPrefix.file("output.txt");

    {
        const EnvironmentOverride override(L"WINEPREFIX", prefix);
        WinProgramUnderTest child(std::wstring(L"--gtest_filter=") + endToEndTest, L"vantrel_tests.exe",
                                  output.wstring());
        ASSERT_TRUE(child.started());
        DWORD exitCode = 0;
        ASSERT_TRUE(child.waitForExit(120000, exitCode));
        EXPECT_NE(exitCode, 0u);
    }
    const std::string printed = readBytes(output).value_or("");
    EXPECT_NE(printed.find("run only in the Wine prefix that scripts/test makes"), std::string::npos) << printed;
    EXPECT_NE(printed.find(GetParam().reason), std::string::npos) << printed;
    EXPECT_EQ(readBytes(canary), "the user's settings");
}
