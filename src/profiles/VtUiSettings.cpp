#include "profiles/VtUiSettings.h"

#include "persistence/kelSerializationIoStream.h"

#include <mutex>

bool VtUiSettings::serialize(kelSerializationIoStream& io, unsigned)
{
    const std::lock_guard held(mutex);
    const auto general = io.child(L"General");
    return general && general->serializeValue(L"language", chosenLanguage, true);
}

std::wstring VtUiSettings::language()
{
    const std::lock_guard held(mutex);
    return chosenLanguage;
}

void VtUiSettings::setLanguage(const std::wstring& name)
{
    {
        const std::lock_guard held(mutex);
        if (name == chosenLanguage)
            return;
        chosenLanguage = name;
    }
    // setModified takes the same mutex.
    setModified(true);
}
