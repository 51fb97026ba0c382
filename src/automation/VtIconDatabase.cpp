#include "automation/VtIconDatabase.h"

#include "automation/ProgramPathText.h"
#include "persistence/kelSerializationIoStream.h"
#include "system/kelAppDataFolderBase.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint32_t mostCandidateNames = 100000;

std::wstring candidateName(std::uint32_t number)
{
    return number == 0 ? L"icon.ico" : L"icon (" + std::to_wstring(number) + L").ico";
}

bool isPlainFileName(const std::wstring& name)
{
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:") == std::wstring::npos;
}

} // namespace

VtIconDatabase::icon_entry::icon_entry(std::shared_ptr<IconFiles> files, std::wstring file, bool externalFile)
    : file(std::move(file)), externalFile(externalFile), icons(std::move(files))
{
}

bool VtIconDatabase::icon_entry::serialize(kelSerializationIoStream& io, unsigned)
{
    if (!io.serializeValue(L"file", file, true) || !io.serializeValue(L"external_file", externalFile, true))
        return false;
    return externalFile || isPlainFileName(file);
}

VtIconDatabase::VtIconDatabase(std::wstring folder, std::shared_ptr<IconFiles> files)
    : folder(std::move(folder)), files(std::move(files))
{
    // A folder that cannot be made shows later as icons that cannot be copied.
    this->files->createFolder(this->folder);
}

bool VtIconDatabase::serialize(kelSerializationIoStream& io, unsigned flags)
{
    kelLockableAutolock<kelLockable> guard(*this);
    const auto icons = io.child(L"icons");
    if (!icons)
        return false;
    return io.isReading() ? readEntries(*icons, flags) : writeEntries(*icons, flags);
}

bool VtIconDatabase::readEntries(kelSerializationIoStream& icons, unsigned flags)
{
    for (const auto& child : icons.children(L"icon")) {
        std::uint32_t id = 0;
        auto entry = std::make_unique<icon_entry>(files, L"", false);
        if (!child->serializeValue(L"id", id, true) || !entry->serialize(*child, flags))
            return false;
        entries[id] = std::move(entry);
        // The largest id leaves nextId as it is rather than wrap it to 0.
        if (id + 1 > nextId)
            nextId = id + 1;
    }
    return true;
}

bool VtIconDatabase::writeEntries(kelSerializationIoStream& icons, unsigned flags)
{
    for (const auto& [storedId, entry] : entries) {
        std::uint32_t id = storedId;
        const auto child = icons.child(L"icon");
        if (!child || !child->serializeValue(L"id", id, true) || !entry->serialize(*child, flags))
            return false;
    }
    return true;
}

std::uint32_t VtIconDatabase::addIconFile(const std::wstring& path)
{
    kelLockableAutolock<kelLockable> guard(*this);
    // Past the largest id nextId stays on a used one: no id is left.
    if (entries.contains(nextId))
        return 0;
    const std::wstring fileName = freeFileName();
    if (fileName.empty() || !files->copy(path, folder + kelAppDataFolderBase::separator + fileName))
        return 0;
    const std::uint32_t id = nextId++;
    entries[id] = std::make_unique<icon_entry>(files, fileName, false);
    guard.unlock();
    setModified(true);
    return id;
}

void VtIconDatabase::deleteIcon(std::uint32_t id)
{
    kelLockableAutolock<kelLockable> guard(*this);
    const auto found = entries.find(id);
    if (found == entries.end())
        return;
    if (!found->second->externalFile)
        files->remove(fullPath(*found->second));
    entries.erase(found);
    guard.unlock();
    setModified(true);
}

IconHandle VtIconDatabase::iconFor(std::uint32_t id, int width, int height)
{
    kelLockableAutolock<kelLockable> guard(*this);
    const auto found = entries.find(id);
    if (found == entries.end())
        return nullptr;
    return found->second->icons.icon(fullPath(*found->second), width, height);
}

std::wstring VtIconDatabase::fullPath(const icon_entry& entry) const
{
    return entry.externalFile ? entry.file : folder + kelAppDataFolderBase::separator + entry.file;
}

std::wstring VtIconDatabase::freeFileName() const
{
    for (std::uint32_t number = 0; number < mostCandidateNames; ++number) {
        std::wstring name = candidateName(number);
        if (!isTaken(name))
            return name;
    }
    return {};
}

bool VtIconDatabase::isTaken(const std::wstring& fileName) const
{
    const bool named = std::ranges::any_of(entries, [&fileName](const auto& entry) {
        return !entry.second->externalFile && ProgramPathText::samePath(entry.second->file, fileName);
    });
    return named || files->exists(folder + kelAppDataFolderBase::separator + fileName);
}
