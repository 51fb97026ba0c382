#pragma once

#include <memory>
#include <string>

// Makes an existing file impossible to open while it lives, as a virus
// scanner or sync tool holding it can: on Windows by holding it open without
// sharing, on the host (where the tests may run as root and ignore
// permissions) by putting a link to nowhere in its place.
class UnopenableFile {
public:
    explicit UnopenableFile(const std::wstring& path);
    ~UnopenableFile();
    UnopenableFile(const UnopenableFile&) = delete;
    UnopenableFile& operator=(const UnopenableFile&) = delete;

    bool active() const;

private:
    struct State;
    std::unique_ptr<State> state;
};
