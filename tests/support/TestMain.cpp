// Test entry shared by every test program: a fixed C locale and a HOME of
// its own, so no test reads or writes the real per-user folder.
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

    ::testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
