#pragma once

#include "automation/AppInfoDb.h"
#include "automation/IconFiles.h"
#include "automation/ProgramFiles.h"
#include "support/kelOwnedMutex.h"

#include <memory>

// The program's application database ("apps.vt"), guarded by its own mutex
// for the whole of each operation. The mutex is taken before an application
// record's icon mutex and the icon database's mutex, never after them; the
// settings page, the automatic-action thread and the autosave thread all
// use the database.
class VtAppInfoDb : public AppInfoDb {
public:
    explicit VtAppInfoDb(std::shared_ptr<IconDatabase> iconDb,
                         std::shared_ptr<ProgramFiles> programs = ProgramFiles::real(),
                         std::shared_ptr<IconFiles> iconFiles = IconFiles::real());

    void lock() override { mutex.lock(); }
    void unlock() override { mutex.unlock(); }

private:
    kelOwnedMutex mutex;
};
