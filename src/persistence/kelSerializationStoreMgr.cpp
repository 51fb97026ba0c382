#include "persistence/kelSerializationStoreMgr.h"

bool kelSerializationStoreMgr::commitWrite(std::shared_ptr<std::ostream> sink)
{
    sink.reset();
    return true;
}

std::shared_ptr<std::istream> kelSerializationStoreMgr::openTempForRead()
{
    return {};
}
