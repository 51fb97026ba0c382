#pragma once

#include "persistence/kelSerializationStreams.h"

#include <memory>

// The platform's reader of settings files, unbound: the MSXML DOM on Windows
// (the calling thread must have COM initialised to bind it), pugixml on the host.
std::shared_ptr<kelSerializationInputStream> makePlatformXmlInputStream();
