#include "actions/VtUserAction.h"

#include "localization/UiLocalization.h"
#include "persistence/kelSerializationIoStream.h"

#include <sstream>

namespace {

constexpr int increaseText = 18;
constexpr int decreaseText = 19;
constexpr int switchToProfileText = 73;

// Stored kinds are read as a stream reads a number: blanks before it are
// skipped and whatever follows it is ignored.
bool readKind(kelSerializationInputStream& in, std::int32_t& kind)
{
    std::wstring text;
    if (!in.read(L"action", text, true))
        return false;
    std::wistringstream parser(text);
    std::int32_t parsed = 0;
    if (!(parser >> parsed))
        return false;
    kind = parsed;
    return true;
}

bool isKnown(std::int32_t kind)
{
    return kind == AdjustBrightnessContrast || kind == SetProfile;
}

} // namespace

bool VtUserAction::serialize(kelSerializationIoStream& io, unsigned)
{
    if (io.isReading()) {
        if (!readKind(*io.input(), kind))
            return false;
    } else if (!isKnown(kind) || !io.output()->write(L"action", static_cast<int>(kind), true)) {
        return false;
    }
    switch (kind) {
    case AdjustBrightnessContrast:
        return io.serializeValue(L"brightness", brightnessDelta, true) &&
               io.serializeValue(L"contrast", contrastDelta, true);
    case SetProfile:
        return io.serializeValue(L"profile", profileName, true);
    default:
        return false;
    }
}

std::shared_ptr<VtUserAction> copyUserAction(VtUserAction& action)
{
    auto copy = std::make_shared<VtUserAction>();
    copy->kind = action.kind;
    copy->brightnessDelta = action.brightnessDelta;
    copy->contrastDelta = action.contrastDelta;
    copy->profileName = action.profileName;
    copy->setModified(action.isModified());
    return copy;
}

std::wstring describeUserAction(const UiLocalization& localization, const VtUserAction& action)
{
    switch (action.kind) {
    case AdjustBrightnessContrast: {
        const bool increases =
            action.brightnessDelta > 0 || (action.brightnessDelta == 0 && action.contrastDelta >= 0);
        return localization.string(increases ? increaseText : decreaseText);
    }
    case SetProfile:
        return localization.string(switchToProfileText) + L" \"" + action.profileName + L"\"";
    default:
        return localization.string(-1);
    }
}
