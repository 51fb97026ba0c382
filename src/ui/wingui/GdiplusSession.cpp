#include "ui/wingui/GdiplusSession.h"

#include <windows.h>
// GDI+ needs the COM property types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR startedToken = 0;
    started = Gdiplus::GdiplusStartup(&startedToken, &input, nullptr) == Gdiplus::Ok;
    token = startedToken;
}

GdiplusSession::~GdiplusSession()
{
    if (started)
        Gdiplus::GdiplusShutdown(token);
}
