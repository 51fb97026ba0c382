#pragma once

#include "automation/IconFiles.h"
#include "automation/ProgramFiles.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// A disk of file names and icons that are numbers. Icons load from files on
// the disk, except from those marked unloadable; every icon handed out and
// every icon destroyed is recorded. Safe to use from several threads.
class FakeIconFiles : public IconFiles {
public:
    void put(const std::wstring& path)
    {
        const std::lock_guard lock(mutex);
        files.insert(path);
    }
    void take(const std::wstring& path)
    {
        const std::lock_guard lock(mutex);
        files.erase(path);
    }
    bool has(const std::wstring& path) const
    {
        const std::lock_guard lock(mutex);
        return files.contains(path);
    }
    std::set<std::wstring> all() const
    {
        const std::lock_guard lock(mutex);
        return files;
    }
    // Icons handed out and not destroyed yet.
    std::size_t liveIcons() const
    {
        const std::lock_guard lock(mutex);
        return live.size();
    }
    int loadsOf(const std::wstring& path) const
    {
        const std::lock_guard lock(mutex);
        const auto found = loads.find(path);
        return found == loads.end() ? 0 : found->second;
    }

    bool createFolder(const std::wstring& folder) override
    {
        const std::lock_guard lock(mutex);
        folders.insert(folder);
        return true;
    }
    bool exists(const std::wstring& path) override
    {
        const std::lock_guard lock(mutex);
        return files.contains(path) || unreadable.contains(path);
    }
    bool copy(const std::wstring& from, const std::wstring& to) override
    {
        const std::lock_guard lock(mutex);
        if (failCopies || !files.contains(from))
            return false;
        files.insert(to);
        return true;
    }
    void remove(const std::wstring& path) override
    {
        const std::lock_guard lock(mutex);
        files.erase(path);
    }
    IconHandle loadIcon(const std::wstring& path, int, int) override
    {
        const std::lock_guard lock(mutex);
        ++loads[path];
        if (!files.contains(path) || unloadable.contains(path))
            return nullptr;
        const auto icon = reinterpret_cast<IconHandle>(++lastIcon);
        live.insert(icon);
        return icon;
    }
    void destroyIcon(IconHandle icon) override
    {
        const std::lock_guard lock(mutex);
        if (!live.erase(icon))
            ++destroyedTwiceOrUnknown;
    }

    std::set<std::wstring> folders;
    std::set<std::wstring> unreadable;
    std::set<std::wstring> unloadable;
    bool failCopies = false;
    int destroyedTwiceOrUnknown = 0;

private:
    mutable std::mutex mutex;
    std::set<std::wstring> files;
    std::map<std::wstring, int> loads;
    std::set<IconHandle> live;
    std::uintptr_t lastIcon = 0;
};

// Programs with a product name and an icon group, or without; an extracted
// icon lands as a new file on the fake disk.
class FakeProgramFiles : public ProgramFiles {
public:
    explicit FakeProgramFiles(FakeIconFiles& disk) : disk(disk) {}

    std::wstring productName(const std::wstring& programPath) override
    {
        const std::lock_guard lock(mutex);
        const auto found = products.find(programPath);
        return found == products.end() ? std::wstring() : found->second;
    }

    std::optional<ExtractedIconFiles> extractIcon(const std::wstring& programPath) override
    {
        const std::lock_guard lock(mutex);
        ++extractions;
        if (!withIcons.contains(programPath))
            return std::nullopt;
        const std::wstring name = L"T:\\tmp" + std::to_wstring(++lastTemporary);
        disk.put(name + L".tmp");
        disk.put(name + L".ico");
        return ExtractedIconFiles{name + L".ico", name + L".tmp"};
    }

    int extractionCount() const
    {
        const std::lock_guard lock(mutex);
        return extractions;
    }

    std::map<std::wstring, std::wstring> products;
    std::set<std::wstring> withIcons;

private:
    FakeIconFiles& disk;
    mutable std::mutex mutex;
    int extractions = 0;
    int lastTemporary = 0;
};
