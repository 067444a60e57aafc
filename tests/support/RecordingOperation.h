#pragma once

#include "Core/Operations/Operation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/IOperationFactory.h"
#include "Util/IObserver.h"

#include <boost/make_shared.hpp>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace TestSupport {

// Appends every call to a shared log ("name.execute", ...) and runs the
// behaviour a test scripts for it.
class RecordingOperation : public Core::Operations::ObjectOperation
{
public:
    RecordingOperation(Core::Operations::OperationContext *context, const std::string &name,
                       std::vector<std::string> *log, int id = 0)
        : ObjectOperation(context, name, id), m_log(log)
    {
    }

    void execute() override { record("execute"); if (onExecute) onExecute(*this); }
    void cancel() override { record("cancel"); if (onCancel) onCancel(*this); else cancelCanceled(); }
    void end() override { record("end"); if (onEnd) onEnd(*this); }
    int undo() override { record("undo"); return undoResult; }
    int redo() override { record("redo"); return redoResult; }

    // Protected helpers made reachable for scripted behaviour.
    using Operation::cancelCanceled;
    using Operation::cancelExclaimed;
    using Operation::cancelSilently;
    using Operation::postMessage;

    std::function<void(RecordingOperation &)> onExecute;
    std::function<void(RecordingOperation &)> onCancel;
    std::function<void(RecordingOperation &)> onEnd;
    int undoResult = Undone;
    int redoResult = Redone;

private:
    void record(const char *what)
    {
        if (m_log)
            m_log->push_back(title() + "." + what);
    }

    std::vector<std::string> *m_log;
};

// Hands out prepared operations by id; other ids give nothing.
class ScriptedFactory : public Core::Operations::IOperationFactory
{
public:
    boost::shared_ptr<Core::Operations::Operation> createOperation(unsigned id) override
    {
        requested.push_back(id);
        const auto it = prepared.find(id);
        return it == prepared.end() ? boost::shared_ptr<Core::Operations::Operation>() : it->second;
    }

    std::map<unsigned, boost::shared_ptr<Core::Operations::Operation>> prepared;
    std::vector<unsigned> requested;
};

// Appends its name to a shared log when notified.
class LoggingObserver : public Util::IObserver
{
public:
    LoggingObserver(const std::string &name, std::vector<std::string> *log) : m_name(name), m_log(log) {}
    void notify() override { m_log->push_back(m_name); }

private:
    std::string m_name;
    std::vector<std::string> *m_log;
};

// Collects the console lines of a context.
class ConsoleLog : public Util::IObserver
{
public:
    explicit ConsoleLog(Core::Operations::ConsoleInput &input) : m_input(input) {}
    void notify() override { lines.push_back(m_input.message()); }

    static boost::shared_ptr<ConsoleLog> attach(Core::Operations::OperationContext &context)
    {
        auto log = boost::make_shared<ConsoleLog>(context.consoleInput());
        context.consoleInput().addMessageObserver(log);
        return log;
    }

    std::vector<std::string> lines;

private:
    Core::Operations::ConsoleInput &m_input;
};

} // namespace TestSupport
