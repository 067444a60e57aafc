#include "apps/tessival-batch/DisplayProbe.h"

#include <QByteArray>
#include <QtGlobal>

#include <dlfcn.h>

namespace BatchTool {

namespace {

// Opens and closes a connection to the X display of DISPLAY through the
// X library Qt's platform uses itself, loaded only for this question.
bool xDisplayReachable()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    void *library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    using OpenDisplay = void *(*)(const char *);
    using CloseDisplay = int (*)(void *);
    const auto open = reinterpret_cast<OpenDisplay>(dlsym(library, "XOpenDisplay"));
    const auto close = reinterpret_cast<CloseDisplay>(dlsym(library, "XCloseDisplay"));
    bool reachable = false;
    if (open && close) {
        if (void *display = open(nullptr)) {
            reachable = true;
            close(display);
        }
    }
    // The library stays loaded: Qt's platform loads it again anyway.
    return reachable;
}

} // namespace

bool guiPlatformAvailable()
{
    // A platform chosen by hand is the user's call; Qt reports on it.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    return xDisplayReachable();
}

} // namespace BatchTool
