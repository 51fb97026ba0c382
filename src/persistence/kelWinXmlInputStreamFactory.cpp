#include "persistence/kelXmlInputStreamFactory.h"

#include "persistence/kelWinMsXmlSerializationInputStream.h"

std::shared_ptr<kelSerializationInputStream> makePlatformXmlInputStream()
{
    return std::make_shared<kelMsXmlSerializationInputStream>();
}
