#pragma once

#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationBindings.h"
#include "persistence/kelXmlInputStreamFactory.h"
#include "persistence/kelXmlSerializationOutputStream.h"

#include <memory>
#include <sstream>
#include <string>

// "profiles.vt" as the file store writes and reads it, in memory. The reader
// on Windows is MSXML, so the caller must have COM initialised.
inline std::string savedXml(kelSerializable& object)
{
    kelXmlSerializationOutputStream stream(L"Vantrel", kelXmlSerializationOutputStream::preserveSpace);
    const auto sink = std::make_shared<std::ostringstream>();
    stream.bind(sink);
    if (!object.save(stream) || !stream.flush())
        return {};
    return sink->str();
}

// A reader bound to the text; empty if the text is not XML at all.
inline std::shared_ptr<kelSerializationInputStream> xmlReader(const std::string& text)
{
    auto reader = makePlatformXmlInputStream();
    auto* binding = dynamic_cast<kelSerializationInputStreamBinding*>(reader.get());
    if (!binding || !binding->bind(std::make_shared<std::istringstream>(text)))
        return nullptr;
    return reader;
}
