#pragma once

#include <string>

// What a link does with its target text.
enum class UrlTargetKind {
    // "mailto:..." (any case): handed to the shell's mail handler.
    Mail,
    // "cmd:N" (any case): command N sent to the link's parent window.
    Command,
    // Anything else: opened as a web page.
    WebPage,
};

UrlTargetKind urlTargetKind(const std::wstring& target);
// The number after "cmd:": leading blanks and a sign allowed, read up to the
// first other character; 0 without digits, and 0 when it does not fit an int.
int urlTargetCommand(const std::wstring& target);
