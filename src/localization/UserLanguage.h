#pragma once

// The Windows language id of the user's default locale; 0 when the platform
// does not say.
int userDefaultLanguageId();
