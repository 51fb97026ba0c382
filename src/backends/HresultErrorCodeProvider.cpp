#include "backends/HresultErrorCodeProvider.h"

#include <string>

namespace {

// E_POINTER, spelled out because this file is built without the platform headers.
constexpr std::int32_t nullObjectResult = static_cast<std::int32_t>(0x80004003u);

class CommonErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "common"; }
    std::string message(int) const override { return "common unknown error"; }
};

} // namespace

const std::error_category& commonErrorCategory()
{
    static const CommonErrorCategory category;
    return category;
}

std::error_code HresultErrorCodeProvider::errorCode() const
{
    return {static_cast<int>(lastError), commonErrorCategory()};
}

bool HresultErrorCodeProvider::succeeded(std::int32_t result)
{
    if (result >= 0)
        return true;
    keepError(result);
    return false;
}

bool HresultErrorCodeProvider::delivered(std::int32_t result, const void* object)
{
    if (!succeeded(result))
        return false;
    if (object != nullptr)
        return true;
    keepError(nullObjectResult);
    return false;
}
