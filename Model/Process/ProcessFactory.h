#pragma once

#include "Model/Persistence/Catalogue.h"
#include "Model/Process/Process.h"

#include <QString>

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
namespace Process {

// The process catalogue: the processes by id with the materials each may be
// used with, kept in "processes.xml". One instance serves the whole program
// and any thread.
class ProcessFactory : public Persistence::Catalogue<Process>
{
public:
    // The program's catalogue, created on first use from "processes.xml" in
    // "$HOME/Tessival" (or the built-in table when that does not load).
    static boost::shared_ptr<ProcessFactory> getInstance();

    // A catalogue kept in `folder`; starts empty.
    explicit ProcessFactory(const QString &folder);

    void loadOrInstallDefaults();
    bool loadProcesses();
    void loadDefaultProcesses();
    bool saveProcesses();

    // The entry, or the empty process.
    Process getProcess(unsigned id) const { return entry(id); }
    // The first entry in id order with exactly this name, or the empty process.
    Process getProcessByName(const QString &name) const;
    std::vector<Process> getProcesses() const { return entries(); }
    // Refuses id 0; otherwise inserts or replaces the entry of that id.
    bool setProcess(const Process &process) { return store(process); }
};

} // namespace Process
} // namespace Model
