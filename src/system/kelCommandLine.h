#pragma once

#include "persistence/kelSerializable.h"

#include <cstddef>
#include <string>

class kelCommandLineLookup;

// A program's path and the arguments it is given, split from a whole command
// line and written back as one.
class kelCommandLine : public kelSerializable {
public:
    // The longest command line the platform starts a program with, without
    // the terminating zero of its 32768-character buffer.
    static constexpr std::size_t maxTextLength = 32767;

    kelCommandLine() = default;
    kelCommandLine(std::wstring program, std::wstring arguments);

    // Splits text into program and arguments; empty text changes nothing. A
    // quoted program path without its closing quote leaves both empty. An
    // unquoted path may contain blanks: words are added to it until it names
    // a program that exists, ends in ".exe" or the text ends.
    void parse(const std::wstring& text, const kelCommandLineLookup& lookup);
    // The quoted program, a blank and the arguments; the bare program when
    // there are no arguments; empty when there is no program, and empty
    // rather than cut when the text would be longer than maxTextLength.
    std::wstring toString() const;

    // "cmdlineEXE" and "cmdlineArgs" as attributes; reading needs both, and
    // changes nothing unless it gets both.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    const std::wstring& program() const { return programPath; }
    const std::wstring& arguments() const { return argumentText; }

private:
    // Consumes the program path from line at position; returns false when a
    // quoted path has no closing quote.
    bool takeProgram(const std::wstring& line, std::size_t& position, const kelCommandLineLookup& lookup);
    void takeUnquotedProgram(const std::wstring& line, std::size_t& position, const kelCommandLineLookup& lookup);
    bool isWholeProgram(bool textEnded, const kelCommandLineLookup& lookup);

    std::wstring argumentText;
    std::wstring programPath;
};
