#include "support/kelComInitialize.h"

#include <objbase.h>

kelComInitialize::kelComInitialize() : initialized(SUCCEEDED(CoInitialize(nullptr)))
{
}

kelComInitialize::~kelComInitialize()
{
    if (initialized)
        CoUninitialize();
}
