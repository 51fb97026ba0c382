// Feeds arbitrary bytes to the host XML reader through an object shaped like
// a settings file: values of its own, a nested object and a list of records.
// Besides surviving any input, whatever loads must save to a document that
// loads again, and from the second save on saving must be stable (the first
// save may still turn line breaks in values into blanks).

#include "persistence/XmlTestDocuments.h"
#include "persistence/kelPugiXmlSerializationInputStream.h"
#include "persistence/kelXmlSerializationOutputStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace {

std::optional<XmlTestDocument> load(const std::string& bytes)
{
    kelPugiXmlSerializationInputStream reader;
    if (!reader.bind(std::make_shared<std::istringstream>(bytes)))
        return std::nullopt;
    XmlTestDocument document;
    if (!document.load(reader))
        return std::nullopt;
    return document;
}

std::string save(XmlTestDocument& document)
{
    const auto sink = std::make_shared<std::ostringstream>();
    kelXmlSerializationOutputStream writer(L"Vantrel", kelXmlSerializationOutputStream::preserveSpace);
    writer.bind(sink);
    if (!document.save(writer) || !writer.flush())
        std::abort();
    return sink->str();
}

std::string saveReloaded(const std::string& bytes)
{
    auto document = load(bytes);
    if (!document)
        std::abort();
    return save(*document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto document = load(std::string(reinterpret_cast<const char*>(data), size));
    if (!document)
        return 0;
    const auto second = saveReloaded(save(*document));
    if (saveReloaded(second) != second)
        std::abort();
    return 0;
}
