#include "persistence/XmlParserWithoutByteScan.h"

#include "persistence/kelPugiXmlSerializationInputStream.h"

bool platformParserAccepts(const std::string& bytes)
{
    return kelPugiXmlSerializationInputStream::parse(bytes) != nullptr;
}
