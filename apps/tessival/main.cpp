// The desktop program: one main window over the catalogues of the user.
#include "Model/Materials/MaterialFactory.h"
#include "Model/Process/ProcessFactory.h"
#include "Core/Operations/Documents/DocumentRecovery.h"
#include "UI/MainWindow.h"
#include "UI/RecoveryOffer.h"
#include "Util/DebugLog.h"

#include <QApplication>
#include <QColor>
#include <QPixmap>

namespace {

// "icon.ico" from the working folder, or a plain red square without it.
QPixmap windowIcon()
{
    QPixmap icon(32, 32);
    if (!icon.load(QStringLiteral("icon.ico")))
        icon.fill(QColor(207, 8, 12, 255));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    qSetMessagePattern(QStringLiteral("%{type} %{function} (%{file}:%{line}): %{message}"));
    Util::DebugLog::enableFromEnvironment();
    // The catalogues exist before any window: every dialog reads them.
    Model::Materials::MaterialFactory::getInstance();
    Model::Process::ProcessFactory::getInstance();

    QApplication application(argc, argv);
    application.setWindowIcon(windowIcon());
    auto *window = new Ui::MainWindow;
    window->showMaximized();
    // What a program that did not end properly kept of its windows.
    Ui::RecoveryOffer::offer(window, Core::Operations::DocumentRecovery::defaultRoot());
    return application.exec();
}
