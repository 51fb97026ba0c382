// A program file whose icon resources are damaged on purpose (see
// vantrel_badicons.rc); the icon extraction tests load it as a data file and
// never run it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return 0;
}
