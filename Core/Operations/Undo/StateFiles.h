#pragma once

#include <QString>

#include <cstdint>
#include <map>
#include <string>

namespace Core {
namespace Operations {

// The undo and redo state files of one context, "undo<N>.temp" and
// "redo<N>.temp" in the program's folder in the per-user cache (see
// StateFolder), never in the working folder, where a killed session would
// leave them behind for good. Processes append one record per
// run to each ("key instance id id ..."), and restore cells from them on
// undo and redo. Records of operations that left the history are dropped
// when they make up most of the files, so the files stay bounded over a
// long session. Both files are removed with the context.
class StateFiles
{
public:
    enum Kind { Undo, Redo };

    // Creates the pair in the program's state folder; when that keeps
    // failing (an unwritable cache), the files are unavailable and undo of
    // processes with them.
    StateFiles();
    ~StateFiles();
    StateFiles(const StateFiles &) = delete;
    StateFiles &operator=(const StateFiles &) = delete;

    bool isAvailable() const { return !m_undo.isEmpty(); }
    QString undoFile() const { return m_undo; }
    QString redoFile() const { return m_redo; }
    QString file(Kind kind) const { return kind == Undo ? m_undo : m_redo; }

    // Appends a whole record (one line); false when it could not be written.
    bool append(Kind kind, const std::string &key, int instance, const QByteArray &record);
    // The records of `key` and `instance` are no longer needed.
    void release(const std::string &key, int instance);

    // Dropped records are rewritten away once they exceed both this many
    // bytes and the bytes still needed.
    void setCompactionThreshold(std::uint64_t bytes) { m_threshold = bytes; }

private:
    using Tag = std::pair<std::string, int>;
    void compact();

    QString m_undo;
    QString m_redo;
    std::map<Tag, std::uint64_t> m_liveBytes;
    std::uint64_t m_deadBytes = 0;
    std::uint64_t m_threshold = 64ull << 20;
};

} // namespace Operations
} // namespace Core
