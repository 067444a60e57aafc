#include "Core/Operations/Undo/TotalVolumeUndoRedoHelper.h"

#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"
#include "Util/DecimalText.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>

#include <vector>

namespace Core {
namespace Operations {

namespace {

// Reads a state file word by word in large chunks: records hold millions of
// numbers, too many for a text stream to read quickly.
class WordReader
{
public:
    explicit WordReader(QFile &file) : m_file(file) {}

    // The next white-space-delimited word, empty at the end of the file.
    QByteArray word()
    {
        QByteArray result;
        skipSpace();
        while (fill() && !isSpace(m_buffer[m_position]))
            result.append(m_buffer[m_position++]);
        return result;
    }

    // An unsigned decimal number; false when the next word is not one.
    bool number(std::uint32_t &value)
    {
        skipSpace();
        std::uint64_t result = 0;
        int digits = 0;
        while (fill() && m_buffer[m_position] >= '0' && m_buffer[m_position] <= '9') {
            result = result * 10 + std::uint64_t(m_buffer[m_position++] - '0');
            if (result > 0xffffffffull)
                return false;
            ++digits;
        }
        if (digits == 0 || (fill() && !isSpace(m_buffer[m_position])))
            return false;
        value = std::uint32_t(result);
        return true;
    }

    void skipLine()
    {
        while (fill())
            if (m_buffer[m_position++] == '\n')
                return;
    }

private:
    static bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }

    void skipSpace()
    {
        while (fill() && isSpace(m_buffer[m_position]))
            ++m_position;
    }

    bool fill()
    {
        if (m_position < m_buffer.size())
            return true;
        m_buffer = m_file.read(1 << 20);
        m_position = 0;
        return !m_buffer.isEmpty();
    }

    QFile &m_file;
    QByteArray m_buffer;
    int m_position = 0;
};

} // namespace

TotalVolumeUndoRedoHelper::TotalVolumeUndoRedoHelper(const std::string &key, int instance, OperationContext *context)
    : m_key(key)
    , m_instance(instance)
    , m_context(context)
{
}

TotalVolumeUndoRedoHelper::~TotalVolumeUndoRedoHelper()
{
    if (m_saved && m_context)
        m_context->stateFiles().release(m_key, m_instance);
}

QByteArray TotalVolumeUndoRedoHelper::record(const std::string &key, int instance,
                                             Model::Automaton::TotalVolume &volume)
{
    QByteArray text = QByteArray::fromStdString(key) + ' ' + QByteArray::number(instance);
    Model::Automaton::LockedCells cells(volume);
    const std::size_t count = volume.cellCount();
    text.reserve(int(std::min<std::size_t>(count * 3 + text.size() + 2, std::size_t(1) << 30)));
    for (std::size_t i = 0; i < count; ++i) {
        text.append(' ');
        Util::appendDecimal(text, cells[i].material);
    }
    text.append('\n');
    return text;
}

bool TotalVolumeUndoRedoHelper::save(int kind, Model::Automaton::TotalVolume &volume)
{
    if (!m_context || !m_context->stateFiles().isAvailable())
        return false;
    const bool written = m_context->stateFiles().append(StateFiles::Kind(kind), m_key, m_instance,
                                                        record(m_key, m_instance, volume));
    m_saved = m_saved || written;
    return written;
}

bool TotalVolumeUndoRedoHelper::saveUndoState(Model::Automaton::TotalVolume &volume)
{
    return save(StateFiles::Undo, volume);
}

bool TotalVolumeUndoRedoHelper::saveRedoState(Model::Automaton::TotalVolume &volume)
{
    return save(StateFiles::Redo, volume);
}

bool TotalVolumeUndoRedoHelper::restore(int kind, Model::Automaton::TotalVolume &volume)
{
    if (!m_context || !loadState(m_context->stateFiles().file(StateFiles::Kind(kind)), volume))
        return false;
    volume.markCellsChanged();
    m_context->processRecords().setSiLatticeStale(volume.id(), true);
    return true;
}

bool TotalVolumeUndoRedoHelper::loadUndoState(Model::Automaton::TotalVolume &volume)
{
    return restore(StateFiles::Undo, volume);
}

bool TotalVolumeUndoRedoHelper::loadRedoState(Model::Automaton::TotalVolume &volume)
{
    return restore(StateFiles::Redo, volume);
}

bool TotalVolumeUndoRedoHelper::loadState(const QString &fileName, Model::Automaton::TotalVolume &volume) const
{
    QElapsedTimer timer;
    timer.start();
    bool restored = false;
    QFile file(fileName);
    if (!fileName.isEmpty() && file.open(QIODevice::ReadOnly)) {
        Model::Automaton::LockedCellArrays arrays(volume);
        WordReader reader(file);
        const QByteArray key = QByteArray::fromStdString(m_key);
        const QByteArray instance = QByteArray::number(m_instance);
        for (QByteArray word = reader.word(); !word.isEmpty(); word = reader.word()) {
            if (word == key && reader.word() == instance) {
                // Read the whole record before touching a cell: a damaged
                // record restores nothing rather than a mixture.
                std::vector<std::uint32_t> materials(volume.cellCount());
                bool whole = true;
                for (std::uint32_t &material : materials)
                    if (!(whole = reader.number(material)))
                        break;
                if (whole) {
                    for (std::size_t i = 0; i < materials.size(); ++i) {
                        arrays.current()[i].material = materials[i];
                        arrays.working()[i].material = materials[i];
                    }
                    restored = true;
                } else {
                    qWarning() << "The undo record" << key << instance << "in" << fileName << "is damaged";
                }
                break;
            }
            reader.skipLine();
        }
    }
    qCDebug(tessivalLog) << "Time to load: " << timer.elapsed() << " ms";
    return restored;
}

} // namespace Operations
} // namespace Core
