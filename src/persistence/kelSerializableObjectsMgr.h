#pragma once

#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationStoreMgr.h"
#include "persistence/kelSerializationStreams.h"
#include "support/kelThread.h"
#include "support/kelThreadSafe.h"

#include <chrono>
#include <map>
#include <memory>

// Keeps every persisted object with its store and streams, loads each when
// it is registered and writes the modified ones: on demand, and from a
// thread of its own every autosave interval and once more when it stops.
class kelSerializableObjectsMgr : public kelThreadSafe, public kelCreatesThreads {
public:
    static constexpr std::chrono::milliseconds defaultAutosaveInterval{180000};
    // The mask of the periodic passes; the exit passes use 0 and skip nothing.
    static constexpr int autosaveExcludeMask = 1;

    explicit kelSerializableObjectsMgr(std::chrono::milliseconds autosaveInterval = defaultAutosaveInterval);
    // Stops the autosave thread after its last pass, then releases the objects.
    ~kelSerializableObjectsMgr() override;

    // Registers object (again, replacing its earlier record) and loads it at
    // once: from a companion that a save left behind whole, which is newer
    // than the main file, else from the main file; false when a file existed
    // but nothing readable could be loaded. An object loaded from its
    // companion, or whose main file did not load, is marked modified so that
    // the next pass writes its main file. An object that fails to load keeps
    // the values it had. When either copy is there but cannot be read, the
    // object is held back.
    bool registerObject(std::shared_ptr<kelSerializable> object, std::shared_ptr<kelSerializationStoreMgr> store,
                        std::shared_ptr<kelSerializationInputStream> inStream,
                        std::shared_ptr<kelSerializationOutputStream> outStream, int excludeFlags = 0);
    // Writes object; false if it is not registered, is held back or the
    // write failed, in which case it stays modified for the next pass.
    bool saveObject(const std::shared_ptr<kelSerializable>& object, bool onlyIfModified);
    // A held-back object is never written in this run, however it changes:
    // its file holds what the user has, which this run could not read, or
    // its content only means something together with such a file.
    // Registering the object again does not release it; an object that is
    // not registered is not held.
    void holdBack(const std::shared_ptr<kelSerializable>& object);
    bool isHeldBack(const std::shared_ptr<kelSerializable>& object);
    // Writes every modified object whose exclude flags share no bit with
    // excludeMask; true when none failed.
    bool saveAll(int excludeMask);
    void startAutosave();

private:
    struct Record {
        std::shared_ptr<kelSerializationStoreMgr> store;
        std::shared_ptr<kelSerializationInputStream> inStream;
        std::shared_ptr<kelSerializationOutputStream> outStream;
        int excludeFlags = 0;
        bool heldBack = false;
    };

    static bool load(kelSerializable& object, Record& record);
    static bool loadFrom(kelSerializable& object, Record& record, const std::shared_ptr<std::istream>& source);
    static bool write(kelSerializable& object, Record& record);

    std::map<std::shared_ptr<kelSerializable>, Record> registry;
    std::shared_ptr<kelThread> autosaveThread;
    const std::chrono::milliseconds autosaveInterval;
};
