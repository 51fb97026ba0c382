#include "persistence/kelSerializationBindings.h"

#include <utility>

bool kelSerializationOutputStreamBinding::bind(std::shared_ptr<std::ostream> newSink)
{
    sink = std::move(newSink);
    flushed = false;
    return true;
}

bool kelSerializationOutputStreamBinding::flush()
{
    flushed = true;
    return true;
}

bool kelSerializationOutputStreamBinding::flushTree(const std::function<bool(std::ostream&)>& writeTree)
{
    if (!sink || flushed)
        return false;
    flushed = true;
    if (!writeTree(*sink))
        return false;
    sink->flush();
    return !sink->fail();
}
