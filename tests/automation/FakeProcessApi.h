#pragma once

#include "automation/ProcessApi.h"
#include "automation/ProcessCommandLineReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The memory of another process: blocks of bytes at addresses. A read copies
// what lies inside one block from the address on and stops at its end, as a
// read running into an unmapped page does.
class FakeProcessMemory {
public:
    void place(std::uint64_t address, std::vector<std::uint8_t> bytes) { blocks[address] = std::move(bytes); }

    std::size_t read(std::uint64_t address, std::span<std::uint8_t> buffer) const
    {
        auto block = blocks.upper_bound(address);
        if (block == blocks.begin())
            return 0;
        --block;
        const std::uint64_t offset = address - block->first;
        if (offset >= block->second.size())
            return 0;
        const std::size_t count = std::min<std::size_t>(buffer.size(), block->second.size() - offset);
        std::memcpy(buffer.data(), block->second.data() + offset, count);
        return count;
    }

private:
    std::map<std::uint64_t, std::vector<std::uint8_t>> blocks;
};

// Builds the memory a started process has: its environment block pointing
// at its parameters, which hold its command line as a counted string.
struct FakeCommandLineLayout {
    static constexpr std::uint64_t environmentAt = 0x7FF0'0000'1000;
    static constexpr std::uint64_t parametersAt = 0x0000'0200'0000;
    static constexpr std::uint64_t textAt = 0x0000'0200'1000;

    template <class Field>
    static void put(std::vector<std::uint8_t>& bytes, std::size_t offset, Field value)
    {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
    }

    static std::vector<std::uint8_t> utf16(const std::wstring& text)
    {
        std::vector<std::uint8_t> bytes;
        for (const wchar_t character : text) {
            bytes.push_back(static_cast<std::uint8_t>(character & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((character >> 8) & 0xFF));
        }
        return bytes;
    }

    // A command line whose counted length is its true length in bytes.
    static FakeProcessMemory of(const std::wstring& commandLine)
    {
        const auto text = utf16(commandLine);
        return with(static_cast<std::uint16_t>(text.size()), text);
    }

    // A command line counted with any length, over any bytes.
    static FakeProcessMemory with(std::uint16_t lengthInBytes, std::vector<std::uint8_t> text)
    {
        using namespace ProcessCommandLineReader;
        std::vector<std::uint8_t> environment(environmentBlockSize);
        put(environment, parametersAddressOffset, parametersAt);
        std::vector<std::uint8_t> parameters(parametersSize);
        put(parameters, commandLineLengthOffset, lengthInBytes);
        put(parameters, commandLineLengthOffset + 2, lengthInBytes);
        put(parameters, commandLineBufferOffset, textAt);
        FakeProcessMemory memory;
        memory.place(environmentAt, std::move(environment));
        memory.place(parametersAt, std::move(parameters));
        memory.place(textAt, std::move(text));
        return memory;
    }
};

struct FakeProcess {
    bool openable = true;
    std::wstring programPath;
    std::optional<std::uint64_t> environmentAt = FakeCommandLineLayout::environmentAt;
    FakeProcessMemory memory;
};

class FakeOpenedProcess : public OpenedProcess {
public:
    explicit FakeOpenedProcess(FakeProcess process) : process(std::move(process)) {}

    std::wstring programPath() override { return process.programPath; }
    std::optional<std::uint64_t> environmentBlockAddress() override { return process.environmentAt; }
    std::size_t read(std::uint64_t address, std::span<std::uint8_t> buffer) override
    {
        return process.memory.read(address, buffer);
    }

private:
    FakeProcess process;
};

// Processes by id, listed by the snapshot in the order they were added.
class FakeProcessApi : public ProcessApi {
public:
    void add(std::uint32_t processId, FakeProcess process, std::wstring exeFile = L"", std::uint32_t parentId = 0)
    {
        listed.push_back({std::move(exeFile), processId, parentId});
        processes[processId] = std::move(process);
    }

    bool snapshot(std::vector<ProcessSnapshotEntry>& entries) override
    {
        entries = failSnapshot ? std::vector<ProcessSnapshotEntry>{} : listed;
        return !failSnapshot;
    }

    std::unique_ptr<OpenedProcess> open(std::uint32_t processId) override
    {
        const auto found = processes.find(processId);
        if (found == processes.end() || !found->second.openable)
            return nullptr;
        return std::make_unique<FakeOpenedProcess>(found->second);
    }

    bool failSnapshot = false;

private:
    std::vector<ProcessSnapshotEntry> listed;
    std::map<std::uint32_t, FakeProcess> processes;
};
