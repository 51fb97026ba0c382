#include "support/kelComInitialize.h"

// The host build has no COM: the guard stays uninitialised.
kelComInitialize::kelComInitialize() = default;

kelComInitialize::~kelComInitialize() = default;
