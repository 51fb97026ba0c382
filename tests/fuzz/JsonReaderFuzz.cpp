// Feeds arbitrary bytes to the JSON reader through an object shaped like the
// monitor states: values of its own, a nested object reached by name and a
// list of "control" children. Besides surviving any input, whatever loads must
// save to a text that loads again and saves to the very same text.

#include "persistence/JsonTestStates.h"
#include "persistence/kelJson2SerializationStreams.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

class FuzzState : public kelSerializable {
public:
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        return io.isReading() ? read(io, flags) : write(io, flags);
    }

private:
    bool read(kelSerializationIoStream& io, unsigned flags)
    {
        const auto pictureNode = io.child(L"picture");
        hasPicture = pictureNode && picture.serialize(*pictureNode, flags);
        return controls.serialize(io, flags);
    }

    bool write(kelSerializationIoStream& io, unsigned flags)
    {
        if (hasPicture) {
            const auto pictureNode = io.child(L"picture");
            if (!pictureNode || !picture.serialize(*pictureNode, flags))
                return false;
        }
        return controls.serialize(io, flags);
    }

    PictureTestState picture;
    bool hasPicture = false;
    ControlListTestState controls;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    FuzzState loaded;
    if (!loadFromJsonString(loaded, text))
        return 0;

    const std::string saved = saveToJsonString(loaded);
    FuzzState reloaded;
    if (saved.empty() || !loadFromJsonString(reloaded, saved) || saveToJsonString(reloaded) != saved)
        __builtin_trap();
    return 0;
}
