#pragma once

#include <string>

// What splitting a command line needs to know about the machine it runs on:
// the environment and the files there. Implementations hold no state of their
// own, so one may serve several threads at once.
class kelCommandLineLookup {
public:
    virtual ~kelCommandLineLookup() = default;
    // The text with every %NAME% of a set environment variable replaced by its
    // value; unchanged when it cannot be expanded.
    virtual std::wstring expandEnvironment(const std::wstring& text) const = 0;
    // The full path of the program the platform's default search finds
    // (trying ".exe" when the name has no extension); empty when none.
    virtual std::wstring searchPath(const std::wstring& program) const = 0;
    // Whether path names an existing file that is not a folder.
    virtual bool isFile(const std::wstring& path) const = 0;
};
