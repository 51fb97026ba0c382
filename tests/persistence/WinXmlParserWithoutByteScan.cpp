#include "persistence/XmlParserWithoutByteScan.h"

#include "persistence/kelWinMsXmlSerializationInputStream.h"

bool platformParserAccepts(const std::string& bytes)
{
    return kelMsXmlSerializationInputStream::parse(bytes, kelMsXmlSerializationInputStream::lockdownProperties()) !=
           nullptr;
}
