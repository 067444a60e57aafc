#include "Model/ModelExtraction/NetlistFile.h"

#include "Model/Persistence/SaveFileCommit.h"

#include <QLocale>
#include <QSaveFile>
#include <QTextStream>

namespace Model {
namespace ModelExtraction {

bool NetlistFile::write(const QString &path, const QString &text, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QTextStream stream(&file);
        stream.setCodec("UTF-8");
        stream.setLocale(QLocale::c());
        stream << text;
        stream.flush();
    }
    if (!Persistence::commitCompletely(file)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ModelExtraction
} // namespace Model
