#include "Core/Operations/Documents/DocumentRecovery.h"

#include "Core/Operations/Undo/StateFolder.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Document.h"
#include "Model/Persistence/DocumentArchiver.h"
#include "Model/Persistence/SaveFileCommit.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRunnable>
#include <QThreadPool>
#include <QXmlStreamWriter>

#include <boost/make_shared.hpp>

#include <atomic>
#include <functional>

namespace Core {
namespace Operations {

namespace {

// The writer's turn on the global pool. It is handed over with std::
// synchronisation only: Qt's own locking is not visible to
// ThreadSanitizer, which would then report the hand-over.
class WriteTask : public QRunnable
{
public:
    explicit WriteTask(std::function<void()> work) : m_work(std::move(work)) { setAutoDelete(false); }
    // Called before each start, once what the task reads is in place.
    void publish() { m_published.store(true, std::memory_order_release); }
    void run() override
    {
        m_published.load(std::memory_order_acquire);
        m_work();
    }

private:
    const std::function<void()> m_work;
    std::atomic<bool> m_published{false};
};

} // namespace

// What a volume is made of, copied from the document at one moment.
struct DocumentRecovery::Copy
{
    struct Volume
    {
        unsigned size[3];
        float cellSize[3];
        Util::Vector3D position;
        Model::Automaton::Boundaries boundaries;
        std::vector<std::uint32_t> materials;
    };
    std::vector<Volume> volumes;
    std::vector<Model::Materials::Material> materials;
    Model::LengthUnit lengthUnit;
};

DocumentRecovery::DocumentRecovery(StateFolder *folder, const QString &fileName)
    : m_folder(folder)
    , m_fileName(fileName)
    , m_task(new WriteTask([this] { writeCopies(); }))
{
}

DocumentRecovery::~DocumentRecovery()
{
    discard();
    waitForWrites();
}

QString DocumentRecovery::filePath() const
{
    if (!m_folder || !m_folder->isAvailable())
        return QString();
    const QString folder = m_folder->path();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(m_fileName);
}

bool DocumentRecovery::save(const Model::Document &document, const std::vector<Model::Materials::Material> &materials)
{
    auto copy = std::make_unique<Copy>();
    copy->materials = materials;
    copy->lengthUnit = document.lengthUnit();
    for (const auto &object : document.allObjects()) {
        const auto volume = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(object);
        if (!volume)
            continue;
        Copy::Volume cells{{volume->sizeX(), volume->sizeY(), volume->sizeZ()},
                           {volume->cellsizeX(), volume->cellsizeY(), volume->cellsizeZ()},
                           volume->position(),
                           volume->boundaries(),
                           {}};
        // A process that holds the cells holds them for a whole pass: the
        // window does not wait for it.
        const Model::Automaton::LockedCells held(*volume, std::try_to_lock);
        if (!held.ownsCells())
            return false;
        cells.materials.resize(volume->cellCount());
        for (std::size_t i = 0; i < cells.materials.size(); ++i)
            cells.materials[i] = held[i].material;
        copy->volumes.push_back(std::move(cells));
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_waiting = std::move(copy);
    m_discardAfterWrite = false;
    if (!m_writing) {
        m_writing = true;
        auto *task = static_cast<WriteTask *>(m_task.get());
        task->publish();
        QThreadPool::globalInstance()->start(task);
    }
    return true;
}

void DocumentRecovery::discard()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_waiting.reset();
    if (m_writing)
        m_discardAfterWrite = true;
    else
        QFile::remove(filePath());
}

void DocumentRecovery::waitForWrites()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_writing; });
}

void DocumentRecovery::writeCopies()
{
    const QString path = filePath();
    while (true) {
        std::unique_ptr<Copy> copy;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            copy = std::move(m_waiting);
            if (!copy) {
                if (m_discardAfterWrite)
                    QFile::remove(path);
                m_discardAfterWrite = false;
                m_writing = false;
                m_idle.notify_all();
                return;
            }
        }
        if (!path.isEmpty() && !write(*copy, path))
            qWarning() << "The recovery copy" << path << "could not be written";
    }
}

bool DocumentRecovery::write(const Copy &copy, const QString &path)
{
    Model::Document document;
    document.setLengthUnit(copy.lengthUnit);
    for (const Copy::Volume &volume : copy.volumes) {
        const auto cells = boost::make_shared<Model::Automaton::TotalVolume>(
            volume.size[0], volume.size[1], volume.size[2], volume.cellSize[0], volume.cellSize[1],
            volume.cellSize[2], volume.position, volume.materials);
        cells->setBoundaries(volume.boundaries);
        document.addObject(cells);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QXmlStreamWriter writer(&file);
    const bool written = Model::Persistence::DocumentArchiver::writeDocument(
        &writer, document, Model::Persistence::DocumentArchiver::standardRegistry(), copy.materials);
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return Model::Persistence::commitCompletely(file);
}

QString DocumentRecovery::defaultRoot()
{
    return QDir::homePath() + QStringLiteral("/Tessival/recovery");
}

StateFolder &DocumentRecovery::folderOfThisProgram()
{
    static StateFolder folder(defaultRoot(), StateFolder::KeepEnded);
    // A program that ends removes its copies: there is nothing to recover.
    static const bool registered = (StateFolder::releaseWithApplication(folder), true);
    (void)registered;
    return folder;
}

QString DocumentRecovery::nextFileName()
{
    static std::atomic<int> windows{0};
    return QStringLiteral("document-%1.cvx").arg(windows.fetch_add(1) + 1);
}

} // namespace Operations
} // namespace Core
