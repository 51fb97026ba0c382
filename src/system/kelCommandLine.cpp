#include "system/kelCommandLine.h"

#include "persistence/kelSerializationIoStream.h"
#include "support/kelAsciiCase.h"
#include "system/kelCommandLineLookup.h"
#include "system/kelTextScan.h"

#include <utility>

namespace {

bool endsWithExe(const std::wstring& path)
{
    return kelEndsWithAsciiNoCase(path, L".exe");
}

} // namespace

kelCommandLine::kelCommandLine(std::wstring program, std::wstring arguments)
    : argumentText(std::move(arguments)), programPath(std::move(program))
{
}

void kelCommandLine::parse(const std::wstring& text, const kelCommandLineLookup& lookup)
{
    if (text.empty())
        return;
    const std::wstring line = text.find(L'%') == std::wstring::npos ? text : lookup.expandEnvironment(text);
    programPath.clear();
    argumentText.clear();
    std::size_t position = 0;
    kelSkipBlanks(line, position);
    if (!takeProgram(line, position, lookup))
        return;
    kelSkipBlanks(line, position);
    argumentText = kelWithoutTrailingBlanks(line.substr(position));
}

bool kelCommandLine::takeProgram(const std::wstring& line, std::size_t& position, const kelCommandLineLookup& lookup)
{
    if (position < line.size() && line[position] == L'"') {
        const std::size_t closing = line.find(L'"', position + 1);
        if (closing == std::wstring::npos)
            return false;
        programPath = line.substr(position + 1, closing - position - 1);
        position = closing + 1;
        return true;
    }
    takeUnquotedProgram(line, position, lookup);
    return true;
}

// A path with blanks that nobody quoted: word by word until the words so far
// name a program. Blanks are taken into the path only when another word
// follows them, so the path never ends in a blank.
void kelCommandLine::takeUnquotedProgram(const std::wstring& line, std::size_t& position,
                                         const kelCommandLineLookup& lookup)
{
    while (true) {
        std::size_t wordEnd = position;
        while (wordEnd < line.size() && !kelIsBlank(line[wordEnd]))
            ++wordEnd;
        programPath += line.substr(position, wordEnd - position);
        position = wordEnd;
        std::size_t nextWord = position;
        kelSkipBlanks(line, nextWord);
        if (isWholeProgram(nextWord == line.size(), lookup))
            return;
        programPath += line.substr(position, nextWord - position);
        position = nextWord;
    }
}

bool kelCommandLine::isWholeProgram(bool textEnded, const kelCommandLineLookup& lookup)
{
    if (programPath.size() > 1 && programPath[1] != L':') {
        std::wstring found = lookup.searchPath(programPath);
        if (!found.empty()) {
            programPath = std::move(found);
            return true;
        }
    }
    return textEnded || lookup.isFile(programPath) || lookup.isFile(programPath + L".exe") || endsWithExe(programPath);
}

std::wstring kelCommandLine::toString() const
{
    if (programPath.empty())
        return {};
    std::wstring text = argumentText.empty() ? programPath : L"\"" + programPath + L"\" " + argumentText;
    if (text.size() > maxTextLength)
        return {};
    return text;
}

bool kelCommandLine::serialize(kelSerializationIoStream& io, unsigned)
{
    if (!io.isReading())
        return io.serializeValue(L"cmdlineEXE", programPath, true) &&
               io.serializeValue(L"cmdlineArgs", argumentText, true);
    std::wstring program;
    std::wstring arguments;
    if (!io.serializeValue(L"cmdlineEXE", program, true) || !io.serializeValue(L"cmdlineArgs", arguments, true))
        return false;
    programPath = std::move(program);
    argumentText = std::move(arguments);
    return true;
}
