#pragma once

#include <cstddef>
#include <string>

// Creates a folder and every missing parent, one level at a time, through
// the single platform call it is given.
class kelDirectoryMaker {
public:
    enum class Outcome { created, alreadyExists, failed };

    // The platform's path buffers hold this many characters with the terminator.
    static constexpr std::size_t maxPath = 260;

    virtual ~kelDirectoryMaker() = default;

    // True when folder exists afterwards. A network path must name its server
    // and share; a path that would not fit the platform's buffers fails
    // before anything is created.
    bool createPath(const std::wstring& folder);

protected:
    virtual Outcome createDirectory(const std::wstring& path) = 0;

private:
    bool createLevel(const std::wstring& path);
};
