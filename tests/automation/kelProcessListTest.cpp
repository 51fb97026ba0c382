#include "automation/kelProcessList.h"

#include "automation/FakeProcessApi.h"
#include "automation/ProcessCommandLine.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

FakeProcess programAt(const std::wstring& path)
{
    FakeProcess process;
    process.programPath = path;
    return process;
}

FakeProcess unopenable()
{
    FakeProcess process = programAt(L"C:\\Windows\\System32\\lsass.exe");
    process.openable = false;
    return process;
}

TEST(kelProcessList, ListsEveryProcessButTheFirstWithItsQuotedProgramPath)
{
    const auto processes = std::make_shared<FakeProcessApi>();
    processes->add(0, programAt(L"C:\\idle.exe"), L"[System Process]");
    processes->add(40, programAt(L"C:\\Program Files\\App\\app.exe"), L"app.exe", 4);
    processes->add(41, unopenable(), L"lsass.exe", 4);
    processes->add(42, programAt(L""), L"nopath.exe", 40);

    kelProcessList list(processes);
    list.refresh();

    ASSERT_EQ(list.entries().size(), 3u);
    const auto& app = list.entries()[0];
    EXPECT_EQ(app.exeFile, L"app.exe");
    EXPECT_EQ(app.processId, 40u);
    EXPECT_EQ(app.parentProcessId, 4u);
    EXPECT_EQ(app.commandLine.program, L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(app.commandLine.text, L"\"C:\\Program Files\\App\\app.exe\"");
    EXPECT_EQ(list.entries()[1].exeFile, L"lsass.exe") << "a process that cannot be opened is listed without a path";
    EXPECT_TRUE(list.entries()[1].commandLine.program.empty());
    EXPECT_TRUE(list.entries()[1].commandLine.text.empty());
    EXPECT_TRUE(list.entries()[2].commandLine.text.empty()) << "no path, no command line";
}

TEST(kelProcessList, AFailedSnapshotLeavesTheListEmpty)
{
    const auto processes = std::make_shared<FakeProcessApi>();
    processes->add(0, programAt(L"C:\\idle.exe"));
    processes->add(40, programAt(L"C:\\app.exe"));
    kelProcessList list(processes);
    list.refresh();
    ASSERT_EQ(list.entries().size(), 1u);

    processes->failSnapshot = true;
    list.refresh();
    EXPECT_TRUE(list.entries().empty());
}

TEST(ProcessCommandLine, OfAProcessIsItsProgramFileAndTheCommandLineItWasStartedWith)
{
    FakeProcessApi processes;
    FakeProcess started = programAt(L"C:\\Tools\\app.exe");
    // Started from a console in its own folder: the command line names the program relatively.
    started.memory = FakeCommandLineLayout::of(L"app -x \"two words\"");
    processes.add(40, started);

    const auto commandLine = ProcessCommandLine::ofProcess(processes, 40);
    EXPECT_EQ(commandLine.program, L"C:\\Tools\\app.exe");
    EXPECT_EQ(commandLine.text, L"app -x \"two words\"");
}

TEST(ProcessCommandLine, OfAProcessWhoseCommandLineCannotBeReadIsTheQuotedProgramPath)
{
    FakeProcessApi processes;
    FakeProcess longCommandLine = programAt(L"C:\\Tools\\app.exe");
    longCommandLine.memory = FakeCommandLineLayout::of(std::wstring(600, L'a'));
    processes.add(40, longCommandLine);
    FakeProcess noEnvironment = programAt(L"C:\\Tools\\other.exe");
    noEnvironment.environmentAt.reset();
    processes.add(41, noEnvironment);

    EXPECT_EQ(ProcessCommandLine::ofProcess(processes, 40).text, L"\"C:\\Tools\\app.exe\"");
    EXPECT_EQ(ProcessCommandLine::ofProcess(processes, 41).text, L"\"C:\\Tools\\other.exe\"");
    EXPECT_EQ(ProcessCommandLine::ofProcess(processes, 41).program, L"C:\\Tools\\other.exe");
}

TEST(ProcessCommandLine, OfAProcessWithoutAReadableProgramPathIsEmpty)
{
    FakeProcessApi processes;
    processes.add(41, unopenable());
    FakeProcess noPath = programAt(L"");
    noPath.memory = FakeCommandLineLayout::of(L"ghost.exe");
    processes.add(42, noPath);

    for (const std::uint32_t processId : {41u, 42u, 43u}) {
        const auto commandLine = ProcessCommandLine::ofProcess(processes, processId);
        EXPECT_TRUE(commandLine.program.empty()) << processId;
        EXPECT_TRUE(commandLine.text.empty()) << processId;
    }
}

} // namespace
