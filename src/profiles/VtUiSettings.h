#pragma once

#include "persistence/kelSerializable.h"
#include "support/kelOwnedMutex.h"

#include <string>

// The window settings, kept in "ui_settings.vt": the chosen language, read by
// the language manager at start-up and changed by the General page. Its own
// mutex guards it; taking it twice on one thread throws.
class VtUiSettings : public kelSerializable {
public:
    void lock() override { mutex.lock(); }
    void unlock() override { mutex.unlock(); }

    // Fails on reading a file without the "General" element.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    // Empty means no choice: the language manager then picks by the user's
    // own language.
    std::wstring language();
    // An equal name changes nothing, so it leaves nothing to save.
    void setLanguage(const std::wstring& name);

private:
    kelOwnedMutex mutex;
    std::wstring chosenLanguage;
};
