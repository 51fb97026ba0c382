#include "persistence/kelSerializationIoStream.h"

#include <stdexcept>
#include <utility>

namespace {

template <class Stream>
std::shared_ptr<Stream> requireStream(std::shared_ptr<Stream> stream)
{
    if (!stream)
        throw std::invalid_argument("kelSerializationIoStream needs a stream");
    return stream;
}

} // namespace

kelSerializationIoStream::kelSerializationIoStream(kelSerializationInputStream& in) : inputStream(&in) {}

kelSerializationIoStream::kelSerializationIoStream(kelSerializationOutputStream& out) : outputStream(&out) {}

kelSerializationIoStream::kelSerializationIoStream(std::shared_ptr<kelSerializationInputStream> in)
    : inputHolder(requireStream(std::move(in)))
{
    inputStream = inputHolder.get();
}

kelSerializationIoStream::kelSerializationIoStream(std::shared_ptr<kelSerializationOutputStream> out)
    : outputHolder(requireStream(std::move(out)))
{
    outputStream = outputHolder.get();
}

std::shared_ptr<kelSerializationIoStream> kelSerializationIoStream::child(const std::wstring& name) const
{
    if (isReading()) {
        if (auto node = inputStream->getChild(name))
            return std::make_shared<kelSerializationIoStream>(std::move(node));
    } else if (auto node = outputStream->createChild(name)) {
        return std::make_shared<kelSerializationIoStream>(std::move(node));
    }
    return nullptr;
}

std::vector<std::shared_ptr<kelSerializationIoStream>> kelSerializationIoStream::children(const std::wstring& name) const
{
    std::vector<std::shared_ptr<kelSerializationIoStream>> result;
    if (!isReading())
        return result;
    for (auto& node : inputStream->getChildren(name)) {
        if (node)
            result.push_back(std::make_shared<kelSerializationIoStream>(std::move(node)));
    }
    return result;
}
