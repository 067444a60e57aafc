#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace Ui {

class MainWindow;

// At start, after a program that did not end properly (killed, crashed):
// the documents its windows kept for recovery, offered to be opened (Open)
// or thrown away (Discard). Either way they are not offered again.
class RecoveryOffer
{
public:
    // The documents that ended programs left under `root`.
    static QStringList leftBehind(const QString &root);
    // Asks when there are any. On Open each one opens in a window of its
    // own, unsaved and without a file name; one that cannot be read whole
    // is reported and kept aside in "<root>/damaged". Returns the windows
    // it opened.
    static std::vector<MainWindow *> offer(QWidget *parent, const QString &root);
    // The folder damaged recovery copies are moved to.
    static QString damagedFolder(const QString &root);
};

} // namespace Ui
