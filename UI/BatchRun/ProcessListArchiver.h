#pragma once

#include "UI/BatchRun/ProcessData.h"

#include <QString>
#include <QStringList>

#include <list>

class QXmlStreamReader;

namespace Ui {

// Process list files ("*.plst"): the entries of a batch run with every
// parameter's name, value type, value and visibility.
class ProcessListArchiver
{
public:
    explicit ProcessListArchiver(std::list<ProcessData> &list) : m_list(list) {}

    // False when the file cannot be written; an older file of that name is
    // then left as it was. Files that entries read from another list's
    // folder by a relative name are named relative to the new file's
    // folder, so that the list still finds them.
    bool saveProcessList(const QString &fileName);
    // Appends the file's entries to `list`; false when the file cannot be
    // read, has no "Process-List" or is damaged (then `list` is unchanged).
    // The entries read relative file names in the file's folder.
    bool loadProcessList(const QString &fileName, std::list<ProcessData> &list);

    // Why the last save or load failed.
    const QString &errorString() const { return m_error; }
    // What the last load skipped because it is not part of a process list
    // ("line 3: unknown element <Process-Step> skipped"), in file order; a
    // misspelt entry would otherwise be a step fewer run without a word.
    const QStringList &warnings() const { return m_warnings; }

    // The text and type name a value is written with.
    static void describe(const QVariant &value, QString &type, QString &data);
    // The value a text of a type name stands for; invalid for unknown types,
    // the text itself for a number that does not parse.
    static QVariant convert(const QString &type, const QString &data);

private:
    ProcessData readProcessData(QXmlStreamReader &reader);
    // Notes an element where none of its name belongs, and passes over it
    // and everything in it.
    void skipUnknown(QXmlStreamReader &reader, const QString &where);

    std::list<ProcessData> &m_list;
    QString m_error;
    QStringList m_warnings;
};

} // namespace Ui
