#pragma once

#include "Model/Persistence/CatalogueFile.h"

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace Model {
namespace Persistence {

// What the material and the process catalogues share: entries by id in
// ascending order, one mutex that every operation holds for its whole
// duration (no operation calls another while holding it, so any thread may
// use a catalogue), and the per-user XML file the entries live in. `Entry`
// has an `id()`; id 0 is never stored.
template<typename Entry>
class Catalogue
{
public:
    QString filePath() const { return m_folder + QLatin1Char('/') + m_fileName; }

protected:
    using ReadEntry = std::function<Entry(QXmlStreamReader &, bool *ok)>;
    using WriteEntry = std::function<bool(QXmlStreamWriter &, const Entry &)>;

    Catalogue(const QString &folder, const QString &fileName, const QString &rootName)
        : m_folder(folder), m_fileName(fileName), m_rootName(rootName)
    {
    }

    // Adds the valid entries of the file, replacing those with the same id.
    bool loadEntries(const ReadEntry &readEntry)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return CatalogueFile::read(filePath(), m_rootName, [&](QXmlStreamReader &reader) {
            bool ok = false;
            const Entry entry = readEntry(reader, &ok);
            if (ok)
                m_entries[entry.id()] = entry;
        });
    }

    bool saveEntries(const WriteEntry &writeEntry) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return CatalogueFile::write(filePath(), m_rootName, [&](QXmlStreamWriter &writer) {
            for (const auto &entry : m_entries)
                if (!writeEntry(writer, entry.second))
                    return false;
            return true;
        });
    }

    void replaceAll(const std::vector<Entry> &entries)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.clear();
        for (const Entry &entry : entries)
            m_entries[entry.id()] = entry;
    }

    // The entry, or a default-constructed one (the empty entry).
    Entry entry(unsigned id) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_entries.find(id);
        return it == m_entries.end() ? Entry() : it->second;
    }

    std::vector<Entry> entries() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<Entry> result;
        result.reserve(m_entries.size());
        for (const auto &entry : m_entries)
            result.push_back(entry.second);
        return result;
    }

    bool store(const Entry &entry)
    {
        if (entry.id() == 0)
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries[entry.id()] = entry;
        return true;
    }

    // Runs `inspect` on the entries under the catalogue lock.
    template<typename Result>
    Result withEntries(const std::function<Result(const std::map<unsigned, Entry> &)> &inspect) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return inspect(m_entries);
    }

private:
    const QString m_folder;
    const QString m_fileName;
    const QString m_rootName;
    mutable std::mutex m_mutex;
    std::map<unsigned, Entry> m_entries;
};

} // namespace Persistence
} // namespace Model
