#include "Core/Operations/Documents/OpenDocumentOperation.h"

#include "Core/Operations/Documents/IDocumentDialogs.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"

#include <QDir>

#include <mutex>

namespace Core {
namespace Operations {

namespace {

struct OpenState
{
    std::mutex mutex;
    QString fileToOpen;
    QString lastLocation = QDir::homePath();
    boost::shared_ptr<Util::IObserver> observer;
};

OpenState &openState()
{
    static OpenState state;
    return state;
}

} // namespace

OpenDocumentOperation::OpenDocumentOperation(OperationContext *context)
    : Operation(context, "Open document", OpenDocumentId)
{
}

void OpenDocumentOperation::setObserver(const boost::shared_ptr<Util::IObserver> &observer)
{
    std::lock_guard<std::mutex> lock(openState().mutex);
    openState().observer = observer;
}

boost::shared_ptr<Util::IObserver> OpenDocumentOperation::observer() const
{
    std::lock_guard<std::mutex> lock(openState().mutex);
    return openState().observer;
}

QString OpenDocumentOperation::fileToOpen()
{
    std::lock_guard<std::mutex> lock(openState().mutex);
    return openState().fileToOpen;
}

QString OpenDocumentOperation::lastOpenedLocation()
{
    std::lock_guard<std::mutex> lock(openState().mutex);
    return openState().lastLocation;
}

void OpenDocumentOperation::rememberOpened(const QString &path)
{
    std::lock_guard<std::mutex> lock(openState().mutex);
    openState().fileToOpen = path;
    openState().lastLocation = path;
}

void OpenDocumentOperation::execute()
{
    const auto dialogs = context()->documentDialogs();
    const QString chosen = dialogs ? dialogs->chooseDocumentToOpen(lastOpenedLocation()) : QString();
    {
        std::lock_guard<std::mutex> lock(openState().mutex);
        openState().fileToOpen = chosen;
    }
    if (chosen.isEmpty()) {
        cancel();
        return;
    }
    rememberOpened(chosen);
    end();
}

void OpenDocumentOperation::cancel()
{
    cancelSilently();
}

void OpenDocumentOperation::end()
{
    notifyObserver();
    context()->endOperation();
}

} // namespace Operations
} // namespace Core
