#include "persistence/kelSerializationStoreMgr.h"

bool kelSerializationStoreMgr::commitWrite(std::shared_ptr<std::ostream> sink)
{
    sink.reset();
    return true;
}

kelStoredCopy kelSerializationStoreMgr::openTempForRead()
{
    return {};
}
