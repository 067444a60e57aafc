#pragma once

#include "Model/Persistence/CatalogueFile.h"

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace Model {
namespace Persistence {

// What the material and the process catalogues share: entries by id in
// ascending order, one mutex that every operation holds for its whole
// duration (no operation calls another while holding it, so any thread may
// use a catalogue), and the per-user XML file the entries live in. `Entry`
// has an `id()`; id 0 is never stored.
//
// Entries added for the session only (materials merged from a document) are
// left out of the file: they would come back as duplicates every time that
// document is opened again.
template<typename Entry>
class Catalogue
{
public:
    QString filePath() const { return m_folder + QLatin1Char('/') + m_fileName; }

    // Changes with every change of the entries, so that whoever shows them
    // (the views' surface colours) can tell cheaply whether to look again.
    unsigned generation() const { return m_generation.load(std::memory_order_acquire); }

    // True while a file that could not be loaded at start-up, nor moved
    // aside, is left untouched and the defaults live in memory only: writing
    // the file then destroys whatever it held.
    bool damagedFileKept() const { return m_damagedFileKept.load(); }

protected:
    using ReadEntry = std::function<Entry(QXmlStreamReader &, bool *ok)>;
    using WriteEntry = std::function<bool(QXmlStreamWriter &, const Entry &)>;

    Catalogue(const QString &folder, const QString &fileName, const QString &rootName)
        : m_folder(folder), m_fileName(fileName), m_rootName(rootName)
    {
    }

    // Start-up through CatalogueFile::loadOrInstallDefaults, remembering
    // whether a damaged file was left in place.
    CatalogueFile::StartUp loadOrInstall(const std::function<bool()> &load,
                                         const std::function<void()> &installDefaults,
                                         const std::function<bool()> &save)
    {
        const CatalogueFile::StartUp outcome =
            CatalogueFile::loadOrInstallDefaults(filePath(), load, installDefaults, save);
        m_damagedFileKept = outcome == CatalogueFile::DefaultsInMemoryOnly;
        return outcome;
    }

    // Adds the valid entries of the file, replacing those with the same id.
    bool loadEntries(const ReadEntry &readEntry)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const bool read = CatalogueFile::read(filePath(), m_rootName, [&](QXmlStreamReader &reader) {
            bool ok = false;
            const Entry entry = readEntry(reader, &ok);
            if (ok) {
                m_entries[entry.id()] = entry;
                m_sessionOnly.erase(entry.id());
            }
        });
        changed();
        return read;
    }

    // Writes every entry but those added for the session only.
    bool saveEntries(const WriteEntry &writeEntry)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const bool written = CatalogueFile::write(filePath(), m_rootName, [&](QXmlStreamWriter &writer) {
            for (const auto &entry : m_entries)
                if (!m_sessionOnly.count(entry.first) && !writeEntry(writer, entry.second))
                    return false;
            return true;
        });
        if (written)
            m_damagedFileKept = false;
        return written;
    }

    void replaceAll(const std::vector<Entry> &entries)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.clear();
        m_sessionOnly.clear();
        for (const Entry &entry : entries)
            m_entries[entry.id()] = entry;
        changed();
    }

    // Adds those of `entries` whose ids are missing; returns what it added.
    std::vector<Entry> addMissing(const std::vector<Entry> &entries)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<Entry> added;
        for (const Entry &entry : entries) {
            if (entry.id() == 0 || m_entries.count(entry.id()))
                continue;
            m_entries[entry.id()] = entry;
            m_sessionOnly.erase(entry.id());
            added.push_back(entry);
        }
        if (!added.empty())
            changed();
        return added;
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

    // Inserts or replaces; the entry belongs in the file from now on.
    bool store(const Entry &entry)
    {
        if (entry.id() == 0)
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries[entry.id()] = entry;
        m_sessionOnly.erase(entry.id());
        changed();
        return true;
    }

    // Adds an entry under an id not yet used, for this session only. False,
    // and nothing changes, for id 0 or an id that is taken.
    bool storeForSession(const Entry &entry)
    {
        if (entry.id() == 0)
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_entries.count(entry.id()))
            return false;
        m_entries[entry.id()] = entry;
        m_sessionOnly.insert(entry.id());
        changed();
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
    void changed() { m_generation.fetch_add(1, std::memory_order_acq_rel); }

    const QString m_folder;
    const QString m_fileName;
    const QString m_rootName;
    mutable std::mutex m_mutex;
    std::map<unsigned, Entry> m_entries;
    std::set<unsigned> m_sessionOnly;
    std::atomic<unsigned> m_generation{0};
    std::atomic<bool> m_damagedFileKept{false};
};

} // namespace Persistence
} // namespace Model
