#include "app/VtApp.h"

bool VtApp::initialize()
{
    return true;
}
