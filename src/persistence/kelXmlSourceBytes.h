#pragma once

#include <istream>
#include <string>

// The whole of a source, read in chunks until it reports end or failure, so
// a parser only ever sees bytes that are in memory and never reads past them.
std::string kelReadAllBytes(std::istream& source);
