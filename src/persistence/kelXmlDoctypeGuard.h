#pragma once

#include <string_view>

// Whether an XML document's bytes hold a document type declaration, in
// UTF-8 or any single-byte encoding, UTF-16 or UTF-32 of either byte order.
// A settings file never has one, and a declaration is where entity bombs and
// external entities live, so both readers refuse such a document before any
// parser sees it.
bool kelXmlHasDoctype(std::string_view bytes);
