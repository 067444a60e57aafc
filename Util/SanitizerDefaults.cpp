// What the sanitizer builds of our programs and tests leave out of their
// reports: Qt's own bookkeeping, which they cannot see correctly. Linked as
// an object into every executable, since nothing calls these by name.

#if defined(__SANITIZE_ADDRESS__)
// Allocations Qt's platform plugins make once per process and never free,
// and those of what they load on a display: the OpenGL driver (Mesa's
// *_dri.so) and the D-Bus library. A pattern drops a leak when any frame of
// its allocation matches; neither library calls our code, so what we
// allocate never has them on its stack and stays reported.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n"
           "leak:libqxcb.so\n"
           "leak:QPlatformScreen::QPlatformScreen\n"
           "leak:QScreen::QScreen\n"
           "leak:QWindowSystemInterface::handleScreenAdded\n"
           "leak:_dri.so\n"
           "leak:libdbus-1.so\n";
}

// The leak check runs at exit, after the OpenGL driver was closed with the
// display: the driver's memory that only its own globals held then looks
// leaked, and its stacks end in code the sanitizer can no longer name, so no
// suppression can single it out. Libraries stay loaded instead; what they
// hold stays reachable, and what they really leak is named. None of our
// code is loaded this way: only the driver, X and Qt's plugins are.
extern "C" int dlclose(void *)
{
    return 0;
}
#endif

#if defined(__SANITIZE_THREAD__)
// The global thread pool keeps its queues and threads under locking the
// sanitizer cannot see, so its own bookkeeping looks racy. Qt's compiled
// code is not instrumented: the only accesses the sanitizer sees from it are
// the memory functions it calls (malloc, realloc, memcpy, ...), and those
// are what is left out here. Our code, and Qt's inline code compiled into
// it, stay checked.
//
// Qt Widgets the same: Qt's own file dialog fills its file list on a thread
// of its own and frees it on the GUI thread when the dialog goes, both under
// those unseen locks. Our code stays checked also where Qt Widgets calls it
// (event handlers, dialog callbacks, item models); that is why this is not
// "race:libQt5Widgets.so.5", which would drop every report with a stack
// that passes through a widget.
extern "C" const char *__tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n"
           "called_from_lib:libQt5Widgets.so.5\n"
           "race:QThreadPoolPrivate::enqueueTask\n";
}
#endif
