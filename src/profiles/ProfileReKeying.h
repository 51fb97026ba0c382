#pragma once

#include "monitor/MonitorManager.h"

#include <functional>
#include <string>

class MonitorsProfileList;

// The current id text of a monitor that profiles once knew under another
// name; empty when the name is unknown.
using MonitorIdLookup = std::function<std::wstring(const std::wstring& oldName)>;

// Profiles written by older versions name monitors by the platform's display
// name, and a laptop panel as "Built-in Display". Moves such entries to the
// monitors' current ids, marking the profiles changed so the next save pass
// writes them back; an entry already under the new id is kept.
void reKeyProfiles(MonitorsProfileList& profiles, const MonitorManagerList& monitors,
                   const MonitorIdLookup& idForLegacyName);
