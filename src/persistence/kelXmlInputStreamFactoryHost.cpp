#include "persistence/kelXmlInputStreamFactory.h"

#include "persistence/kelPugiXmlSerializationInputStream.h"

std::shared_ptr<kelSerializationInputStream> makePlatformXmlInputStream()
{
    return std::make_shared<kelPugiXmlSerializationInputStream>();
}
