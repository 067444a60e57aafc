#include "Core/Operations/Objects/BatchRunOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"

#include <algorithm>
#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
}

BatchRunOperation::BatchRunOperation(OperationContext *context)
    : ObjectOperation(context, "Batch Run", BatchRunId)
    , m_states("BatchRun", instances.fetch_add(1), context)
{
}

bool BatchRunOperation::recordBefore(const boost::shared_ptr<Model::Automaton::TotalVolume> &start)
{
    m_start = start;
    m_before = context()->document().allObjects();
    return !m_start || m_states.saveUndoState(*m_start);
}

bool BatchRunOperation::recordAfter()
{
    m_added.clear();
    for (const auto &object : context()->document().allObjects())
        if (std::find(m_before.begin(), m_before.end(), object) == m_before.end())
            m_added.push_back(object);
    m_before.clear();
    return !m_start || m_states.saveRedoState(*m_start);
}

int BatchRunOperation::undo()
{
    if (m_start && !m_states.loadUndoState(*m_start)) {
        postMessage("The cells could not be restored: the undo file holds no whole record of this run.");
        return NothingUndone;
    }
    for (const auto &object : m_added)
        context()->document().removeObject(object);
    context()->notifyUpdate();
    return Undone;
}

int BatchRunOperation::redo()
{
    if (m_start && !m_states.loadRedoState(*m_start)) {
        postMessage("The cells could not be restored: the redo file holds no whole record of this run.");
        return NothingRedone;
    }
    for (const auto &object : m_added)
        context()->document().addObject(object);
    context()->notifyUpdate();
    return Redone;
}

} // namespace Operations
} // namespace Core
