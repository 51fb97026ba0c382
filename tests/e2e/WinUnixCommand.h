#pragma once

#include <chrono>
#include <optional>
#include <string>

// Runs a shell command of the Unix system Wine runs on (xdotool, for one)
// and waits for it. Wine starts a Unix program from CreateProcessW but hands
// back no process handle, so the shell leaves its exit status in a file that
// is polled until it appears. The command must not contain double quotes.
// Returns the exit status, or nothing when the command could not be started
// or did not finish in time, or outside Wine.
std::optional<int> runUnixCommand(const std::string& command, std::chrono::milliseconds timeout);
