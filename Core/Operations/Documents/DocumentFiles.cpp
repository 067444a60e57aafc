#include "Core/Operations/Documents/DocumentFiles.h"

#include "Core/Operations/OperationContext.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Persistence/DocumentArchiver.h"
#include "Model/Persistence/DocumentDamage.h"
#include "Model/Persistence/DocumentInput.h"
#include "Model/Persistence/SaveFileCommit.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Core {
namespace Operations {

namespace {

DocumentFiles::Result failure(const QString &title, const QString &text)
{
    DocumentFiles::Result result;
    result.errorTitle = title;
    result.errorText = text;
    return result;
}

} // namespace

const char *const DocumentFiles::Extension = "cvx";

DocumentFiles::Result DocumentFiles::save(const QString &path, OperationContext &context)
{
    const QString title = QStringLiteral("Error writing to file");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return failure(title, QStringLiteral("Unable to save document to the specified file.\n%1: %2")
                                  .arg(path, file.errorString()));
    QXmlStreamWriter writer(&file);
    const bool written = Model::Persistence::DocumentArchiver::writeDocument(
        &writer, context.document(), context.archivers(), *Model::Materials::MaterialFactory::getInstance());
    if (!written || !Model::Persistence::commitCompletely(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(title, QStringLiteral("Unable to save document to the specified file.\n%1: %2\n"
                                             "An earlier file of that name is unchanged.")
                                  .arg(path, reason));
    }
    context.document().setFileName(path);
    context.history().markSaved();
    Result result;
    result.ok = true;
    return result;
}

DocumentFiles::Result DocumentFiles::open(const QString &path, OperationContext &context)
{
    const QString title = QStringLiteral("Error reading from file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return failure(title, QStringLiteral("Unable to open %1: %2").arg(path, file.errorString()));
    Model::Persistence::DocumentInput input(&file);
    QXmlStreamReader reader(&input);
    Model::Persistence::DocumentDamage damage;
    const bool read = Model::Persistence::DocumentArchiver::readDocument(
        &reader, context.document(), context.archivers(), *Model::Materials::MaterialFactory::getInstance(),
        [&context](const std::string &warning) { context.consoleInput().postMessage(warning); }, &damage);
    if (!read)
        return failure(title, QStringLiteral("%1 is not a Tessival document.").arg(path));
    Result result;
    result.ok = true;
    result.damage = damage.describe();
    result.cellsIncomplete = damage.cellsIncomplete();
    result.cellsLost = damage.describeCells();
    if (!damage.isDamaged())
        context.document().setFileName(path);
    context.history().markSaved();
    context.notifyUpdate();
    return result;
}

QString DocumentFiles::withExtension(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + QLatin1String(Extension);
}

} // namespace Operations
} // namespace Core
