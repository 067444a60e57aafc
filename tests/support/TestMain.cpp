// Test entry shared by every test program: a fixed C locale and a HOME of
// its own, with the per-user cache (where the undo state files go) inside
// it, so no test reads or writes the real per-user folders, and a working
// folder of its own. Debug log lines are shown only with
// TESSIVAL_TEST_VERBOSE set.
#include "LogCapture.h"
#include "Util/DebugLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#ifdef TESSIVAL_GUI_TESTS
#include <QApplication>
using TestApplication = QApplication;
#else
using TestApplication = QCoreApplication;
#endif

#if defined(__SANITIZE_THREAD__)
// Every race fails the test at once: the test ends without running the
// exit handlers (see main), where the sanitizer would otherwise count them.
extern "C" const char *__tsan_default_options()
{
    return "halt_on_error=1";
}

#endif

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());

    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "cannot create a temporary HOME for the tests\n");
        return 2;
    }
    qputenv("HOME", home.path().toLocal8Bit());
    // The cache location follows XDG_CACHE_HOME before HOME.
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral(".cache")).toLocal8Bit());
    QDir().mkpath(home.filePath(QStringLiteral("work")));
    QDir::setCurrent(home.filePath(QStringLiteral("work")));

    TestSupport::LogCapture::installHandler();
    // Tests read the debug lines; the capture keeps them off the terminal.
    Util::DebugLog::setEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest does so to discover them) needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    TestApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
#if defined(__SANITIZE_THREAD__)
    // The global thread pool's threads outlive main and Qt tears them down
    // at exit with locking the sanitizer cannot see; skip that teardown.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(result);
#endif
    return result;
}
