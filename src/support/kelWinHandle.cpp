#include "support/kelWinHandle.h"

kelWinHandle::~kelWinHandle()
{
    if (isValid())
        CloseHandle(handle);
}
