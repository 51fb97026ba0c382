#pragma once

#include "app/AppSerializableObjectsMgr.h"
#include "app/FolderAppConfiguration.h"
#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationIoStream.h"
#include "support/ScratchFolder.h"
#include "support/kelComInitialize.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

// A fresh folder under the temporary directory, removed with everything in
// it. Tests load files on the thread that owns it, and the platform's XML
// reader needs COM on that thread.
class StoreScratchFolder {
public:
    StoreScratchFolder() : folder("vantrel-store") {}

    const std::filesystem::path& path() const { return folder.path(); }
    std::filesystem::path file(const std::string& name) const { return folder.file(name); }

private:
    kelComInitialize com;
    ScratchFolder folder;
};

// A persisted note: one text attribute, and a count of the times it was written.
class NoteObject : public kelSerializableTs {
public:
    bool serialize(kelSerializationIoStream& io, unsigned) override
    {
        kelLockableAutolock<kelLockable> guard(*this);
        if (io.isReading())
            return io.input()->read(L"text", text, true);
        return io.output()->write(L"text", text, true);
    }

    bool save(kelSerializationOutputStream& out) override
    {
        ++saves;
        return kelSerializableTs::save(out);
    }

    void change(const std::wstring& newText)
    {
        kelLockableAutolock<kelLockable> guard(*this);
        text = newText;
        setModified(true);
    }

    std::wstring current()
    {
        kelLockableAutolock<kelLockable> guard(*this);
        return text;
    }

    std::atomic<int> saves{0};

private:
    std::wstring text = L"default";
};

inline std::shared_ptr<AppSerializableObjectsMgr> makeStoreManager(
    const std::filesystem::path& folder,
    std::chrono::milliseconds autosaveInterval = kelSerializableObjectsMgr::defaultAutosaveInterval)
{
    return std::make_shared<AppSerializableObjectsMgr>(
        std::make_shared<FolderAppConfiguration>(L"Vantrel", folder.wstring()), autosaveInterval);
}

// The text a fresh manager loads from name in folder.
inline std::wstring loadNote(const std::filesystem::path& folder, const std::wstring& name)
{
    auto note = std::make_shared<NoteObject>();
    makeStoreManager(folder)->registerObject(note, name);
    return note->current();
}

inline std::optional<std::string> readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// How often part occurs in a stored file's text, without overlaps.
inline std::size_t countOccurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A settings document as the XML writer makes it, for files a test puts in place.
inline std::string noteDocument(const std::string& text)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Vantrel text=\"" + text + "\" xml:space=\"preserve\"/>";
}
