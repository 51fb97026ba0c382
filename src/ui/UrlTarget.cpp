#include "ui/UrlTarget.h"

#include <limits>
#include <string_view>

namespace {

constexpr std::wstring_view mailPrefix = L"mailto:";
constexpr std::wstring_view commandPrefix = L"cmd:";

bool startsWithIgnoringAsciiCase(const std::wstring& text, std::wstring_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

UrlTargetKind urlTargetKind(const std::wstring& target)
{
    if (startsWithIgnoringAsciiCase(target, mailPrefix))
        return UrlTargetKind::Mail;
    if (startsWithIgnoringAsciiCase(target, commandPrefix))
        return UrlTargetKind::Command;
    return UrlTargetKind::WebPage;
}

int urlTargetCommand(const std::wstring& target)
{
    if (!startsWithIgnoringAsciiCase(target, commandPrefix))
        return 0;
    std::size_t at = commandPrefix.size();
    while (at < target.size() && (target[at] == L' ' || target[at] == L'\t'))
        ++at;
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
