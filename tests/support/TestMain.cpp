// Test entry shared by every test program: a fixed C locale and a HOME of
// its own, so no test reads or writes the real per-user folder. Debug log
// lines are shown only with TESSIVAL_TEST_VERBOSE set.
#include "LogCapture.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#ifdef TESSIVAL_GUI_TESTS
#include <QApplication>
using TestApplication = QApplication;
#else
using TestApplication = QCoreApplication;
#endif

#if defined(__SANITIZE_ADDRESS__)
// Allocations Qt's platform plugins make once per process and never free.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n"
           "leak:libqxcb.so\n"
           "leak:QPlatformScreen::QPlatformScreen\n"
           "leak:QScreen::QScreen\n"
           "leak:QWindowSystemInterface::handleScreenAdded\n";
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

    TestSupport::LogCapture::installHandler();
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest does so to discover them) needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
