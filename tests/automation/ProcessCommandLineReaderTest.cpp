#include "automation/ProcessCommandLineReader.h"

#include "automation/FakeProcessApi.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Layout = FakeCommandLineLayout;

std::optional<std::wstring> readFrom(FakeProcess process)
{
    FakeOpenedProcess opened(std::move(process));
    return ProcessCommandLineReader::read(opened);
}

FakeProcess processWith(FakeProcessMemory memory)
{
    FakeProcess process;
    process.memory = std::move(memory);
    return process;
}

// A command line of blanks, quotes and letters beyond ASCII, length characters long.
std::wstring commandLineOf(std::size_t length)
{
    std::wstring text = L"\"C:\\Program Files\\Gr\u00FCn \u00C4pfel\\app.exe\" --title=\"a \\\"b\\\" c\" ";
    while (text.size() < length)
        text += L"x\u20AC ";
    return text.substr(0, length);
}

struct ReadCase {
    const char* what;
    std::function<FakeProcess()> process;
    std::optional<std::wstring> expected;
};

TEST(ProcessCommandLineReader, ReadsWhatTheProcessHoldsWithinTheBounds)
{
    const std::wstring longest = commandLineOf(ProcessCommandLineReader::maxLength - 1);
    const std::vector<ReadCase> cases = {
        {"an ordinary command line", [] { return processWith(Layout::of(L"notepad.exe a.txt")); },
         L"notepad.exe a.txt"},
        {"259 characters with blanks, quotes and non-ASCII letters",
         [&] { return processWith(Layout::of(longest)); }, longest},
        {"260 characters are not read at all",
         [] { return processWith(Layout::of(commandLineOf(ProcessCommandLineReader::maxLength))); }, std::nullopt},
        {"the largest counted length",
         [] { return processWith(Layout::with(0xFFFF, std::vector<std::uint8_t>(0x10000, 'a'))); }, std::nullopt},
        {"an empty command line", [] { return processWith(Layout::of(L"")); }, std::nullopt},
        {"a length beyond the characters there ends at the bytes read",
         [] { return processWith(Layout::with(40, Layout::utf16(L"short"))); }, L"short"},
        {"an odd length drops the half character",
         [] { return processWith(Layout::with(7, Layout::utf16(L"abcd"))); }, L"abc"},
        {"no characters at the address",
         [] {
             auto memory = Layout::of(L"gone");
             memory.place(Layout::textAt, {});
             return processWith(std::move(memory));
         },
         std::nullopt},
        {"no environment block address",
         [] {
             auto process = processWith(Layout::of(L"app.exe"));
             process.environmentAt.reset();
             return process;
         },
         std::nullopt},
        {"an environment block at address 0",
         [] {
             auto process = processWith(Layout::of(L"app.exe"));
             process.environmentAt = 0;
             return process;
         },
         std::nullopt},
        {"an environment block that ends inside the parameters address",
         [] {
             auto memory = Layout::of(L"app.exe");
             memory.place(Layout::environmentAt, std::vector<std::uint8_t>(0x24));
             return processWith(std::move(memory));
         },
         std::nullopt},
        {"parameters that end before the command line's address",
         [] {
             auto memory = Layout::of(L"app.exe");
             memory.place(Layout::parametersAt, std::vector<std::uint8_t>(0x7C));
             return processWith(std::move(memory));
         },
         std::nullopt},
        {"a parameters address of 0",
         [] {
             auto memory = Layout::of(L"app.exe");
             std::vector<std::uint8_t> environment(ProcessCommandLineReader::environmentBlockSize);
             memory.place(Layout::environmentAt, environment);
             return processWith(std::move(memory));
         },
         std::nullopt},
        {"a command line address of 0",
         [] {
             auto memory = Layout::of(L"app.exe");
             std::vector<std::uint8_t> parameters(ProcessCommandLineReader::parametersSize);
             Layout::put(parameters, ProcessCommandLineReader::commandLineLengthOffset, std::uint16_t{14});
             memory.place(Layout::parametersAt, parameters);
             return processWith(std::move(memory));
         },
         std::nullopt},
    };
    for (const ReadCase& readCase : cases) {
        SCOPED_TRACE(readCase.what);
        EXPECT_EQ(readFrom(readCase.process()), readCase.expected);
    }
}

// Whatever lengths and addresses the other process holds, the reader stays
// inside its buffers (the address sanitizer watches the host build) and
// never returns more than it may.
TEST(ProcessCommandLineReader, RandomLengthsAndAddressesNeverLeadBeyondTheBounds)
{
    std::mt19937 random(20240611);
    const std::vector<std::uint64_t> addresses = {0,
                                                  Layout::environmentAt,
                                                  Layout::parametersAt,
                                                  Layout::textAt,
                                                  Layout::textAt + 3,
                                                  Layout::parametersAt + 0x7F,
                                                  0xFFFF'FFFF'FFFF'FFFF};
    // The right address half of the time, any of them otherwise.
    const auto anyAddress = [&](std::uint64_t right) {
        return random() % 2 ? right : addresses[random() % addresses.size()];
    };
    // Whole blocks half of the time, cut ones otherwise.
    const auto anySize = [&](std::size_t whole) { return random() % 2 ? whole : random() % whole; };
    int read = 0;
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::uint8_t> environment(anySize(ProcessCommandLineReader::environmentBlockSize));
        if (environment.size() >= ProcessCommandLineReader::parametersAddressOffset + 8)
            Layout::put(environment, ProcessCommandLineReader::parametersAddressOffset,
                        anyAddress(Layout::parametersAt));
        std::vector<std::uint8_t> parameters(anySize(ProcessCommandLineReader::parametersSize));
        if (parameters.size() == ProcessCommandLineReader::parametersSize) {
            const auto length = static_cast<std::uint16_t>(random() % 2 ? random() % 600 : random());
            Layout::put(parameters, ProcessCommandLineReader::commandLineLengthOffset, length);
            Layout::put(parameters, ProcessCommandLineReader::commandLineBufferOffset, anyAddress(Layout::textAt));
        }
        std::vector<std::uint8_t> text(random() % 1200, 'q');
        FakeProcessMemory memory;
        memory.place(Layout::environmentAt, std::move(environment));
        memory.place(Layout::parametersAt, std::move(parameters));
        memory.place(Layout::textAt, std::move(text));
        FakeProcess process = processWith(std::move(memory));
        process.environmentAt = anyAddress(Layout::environmentAt);

        const auto commandLine = readFrom(std::move(process));
        if (commandLine) {
            ++read;
            ASSERT_FALSE(commandLine->empty());
            ASSERT_LT(commandLine->size(), ProcessCommandLineReader::maxLength);
        }
    }
    EXPECT_GT(read, 0) << "some rounds hold a readable command line";
}

} // namespace
