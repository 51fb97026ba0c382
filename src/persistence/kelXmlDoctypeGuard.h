#pragma once

#include <string_view>

// Whether an XML document's bytes hold a document type declaration, in
// UTF-8 or any single-byte encoding, UTF-16 or UTF-32 of either byte order.
// A settings file never has one, and a declaration is where entity bombs and
// external entities live, so both readers refuse such a document before any
// parser sees it.
bool kelXmlHasDoctype(std::string_view bytes);

// The deepest nesting of elements, the document element counting as 1, that
// either reader accepts. Settings files nest a few levels; refusing deeper
// ones keeps a hostile file away from any code that walks a document
// recursively. The value is the MSXML 6.0 default.
constexpr int kelXmlMaxElementDepth = 256;
