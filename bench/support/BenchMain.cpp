// Entry of every benchmark program: a temporary HOME (the catalogues live
// there, and the user's own must stay untouched), a Qt application, and no
// debug lines among the figures.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QtMessageHandler passOn = nullptr;

// Figures only: debug lines (the readers log every element they read when
// TESSIVAL_DEBUG or Qt's logging rules ask for them) would break up the
// table; warnings still pass.
void figuresOnly(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    if (passOn)
        passOn(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char **argv)
{
    passOn = qInstallMessageHandler(figuresOnly);
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
