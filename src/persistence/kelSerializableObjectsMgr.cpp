#include "persistence/kelSerializableObjectsMgr.h"

#include "persistence/kelSerializationBindings.h"

#include <utility>

kelSerializableObjectsMgr::kelSerializableObjectsMgr(std::chrono::milliseconds autosaveInterval)
    : autosaveInterval(autosaveInterval)
{
}

kelSerializableObjectsMgr::~kelSerializableObjectsMgr()
{
    // The autosave thread's last pass uses the registry, which goes with this object.
    requestStop(true);
}

bool kelSerializableObjectsMgr::registerObject(std::shared_ptr<kelSerializable> object,
                                               std::shared_ptr<kelSerializationStoreMgr> store,
                                               std::shared_ptr<kelSerializationInputStream> inStream,
                                               std::shared_ptr<kelSerializationOutputStream> outStream,
                                               int excludeFlags)
{
    const auto guard = lock();
    Record& record = registry[object];
    record = Record{std::move(store), std::move(inStream), std::move(outStream), excludeFlags, record.heldBack};
    return load(*object, record);
}

bool kelSerializableObjectsMgr::load(kelSerializable& object, Record& record)
{
    record.inStream->reset();
    if (!dynamic_cast<kelSerializationInputStreamBinding*>(record.inStream.get()))
        return false;
    // The companion first: a save that renames it over the main file in
    // between then leaves it to be found as the main file.
    const auto companion = record.store->openTempForRead();
    const auto mainFile = record.store->openForRead();
    // A save writes the companion and then replaces the main file, so
    // either copy that could not be read would be lost to it.
    if (mainFile.unreadable() || companion.unreadable())
        record.heldBack = true;
    // A whole companion is what a save could not yet put in place (killed
    // in between, or the main file held by another program), so it is newer
    // than the main file; one cut short does not parse and is passed over.
    const bool fromCompanion = companion.stream && loadFrom(object, record, companion.stream);
    const bool loaded = fromCompanion || (mainFile.stream && loadFrom(object, record, mainFile.stream));
    // The next save pass puts the companion in place of the main file, or
    // replaces a damaged main file whole with what could be read, rather
    // than leave either to be read again at every start.
    if ((fromCompanion || (mainFile.stream && !loaded)) && !record.heldBack)
        object.setModified(true);
    if (loaded)
        return true;
    // Nothing stored at all is a first run; anything else that did not load is a failure.
    return mainFile.outcome == kelStoredCopy::Outcome::absent && companion.outcome == kelStoredCopy::Outcome::absent;
}

bool kelSerializableObjectsMgr::loadFrom(kelSerializable& object, Record& record,
                                         const std::shared_ptr<std::istream>& source)
{
    auto& binding = dynamic_cast<kelSerializationInputStreamBinding&>(*record.inStream);
    const bool loaded = binding.bind(source) && object.load(*record.inStream);
    binding.bind(nullptr);
    return loaded;
}

bool kelSerializableObjectsMgr::saveObject(const std::shared_ptr<kelSerializable>& object, bool onlyIfModified)
{
    if (onlyIfModified && !object->isModified())
        return true;
    const auto guard = lock();
    const auto found = registry.find(object);
    if (found == registry.end() || found->second.heldBack)
        return false;
    return write(*object, found->second);
}

void kelSerializableObjectsMgr::holdBack(const std::shared_ptr<kelSerializable>& object)
{
    const auto guard = lock();
    const auto found = registry.find(object);
    if (found != registry.end())
        found->second.heldBack = true;
}

bool kelSerializableObjectsMgr::isHeldBack(const std::shared_ptr<kelSerializable>& object)
{
    const auto guard = lock();
    const auto found = registry.find(object);
    return found != registry.end() && found->second.heldBack;
}

bool kelSerializableObjectsMgr::write(kelSerializable& object, Record& record)
{
    record.outStream->clear();
    auto* binding = dynamic_cast<kelSerializationOutputStreamBinding*>(record.outStream.get());
    if (!binding)
        return false;
    auto sink = record.store->openForWrite();
    if (!sink || !binding->bind(sink))
        return false;
    // Cleared before writing: a change made while the file is written marks
    // the object again and reaches the next pass.
    const bool wasModified = object.isModified();
    object.setModified(false);
    const bool saved = object.save(*record.outStream) && binding->flush() && record.store->commitWrite(std::move(sink));
    binding->bind(nullptr);
    if (!saved && wasModified)
        object.setModified(true);
    return saved;
}

bool kelSerializableObjectsMgr::saveAll(int excludeMask)
{
    const auto guard = lock();
    bool allSaved = true;
    for (auto& [object, record] : registry) {
        if ((record.excludeFlags & excludeMask) == 0 && !saveObject(object, true))
            allSaved = false;
    }
    return allSaved;
}

void kelSerializableObjectsMgr::startAutosave()
{
    const auto guard = lock();
    if (autosaveThread)
        return;
    autosaveThread = kelThread::start(*this, [this] {
        while (!waitForStop(autosaveInterval))
            saveAll(autosaveExcludeMask);
        saveAll(autosaveExcludeMask);
    });
}
