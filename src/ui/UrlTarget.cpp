#include "ui/UrlTarget.h"

#include "support/kelAsciiCase.h"
#include "system/kelTextScan.h"

#include <limits>
#include <string_view>

namespace {

constexpr std::wstring_view mailPrefix = L"mailto:";
constexpr std::wstring_view commandPrefix = L"cmd:";

} // namespace

UrlTargetKind urlTargetKind(const std::wstring& target)
{
    if (kelStartsWithAsciiNoCase(target, mailPrefix))
        return UrlTargetKind::Mail;
    if (kelStartsWithAsciiNoCase(target, commandPrefix))
        return UrlTargetKind::Command;
    return UrlTargetKind::WebPage;
}

int urlTargetCommand(const std::wstring& target)
{
    if (!kelStartsWithAsciiNoCase(target, commandPrefix))
        return 0;
    std::size_t at = commandPrefix.size();
    kelSkipBlanks(target, at);
    bool negative = false;
    if (at < target.size() && (target[at] == L'+' || target[at] == L'-'))
        negative = target[at++] == L'-';
    long long number = 0;
    for (; at < target.size() && target[at] >= L'0' && target[at] <= L'9'; ++at) {
        number = number * 10 + (target[at] - L'0');
        if (number > std::numeric_limits<int>::max())
            return 0;
    }
    return static_cast<int>(negative ? -number : number);
}
