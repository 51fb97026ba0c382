#include "localization/UnopenableFile.h"

#include "support/kelWinHandle.h"

#include <windows.h>

struct UnopenableFile::State {
    explicit State(HANDLE file) : file(file) {}
    kelWinHandle file;
};

UnopenableFile::UnopenableFile(const std::wstring& path)
    : state(std::make_unique<State>(
          CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)))
{
}

UnopenableFile::~UnopenableFile() = default;

bool UnopenableFile::active() const
{
    return state->file.isValid();
}
