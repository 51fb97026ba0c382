#pragma once

#include <string>

// Whether the platform reader's parser step accepts the bytes on its own,
// with the byte scan for a type declaration left out, so that a test sees
// what the parser and the reader's settings for it refuse by themselves.
// On Windows the calling thread must have COM initialised.
bool platformParserAccepts(const std::string& bytes);
