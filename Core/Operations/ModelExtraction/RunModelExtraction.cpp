#include "Core/Operations/ModelExtraction/RunModelExtraction.h"

#include "Core/Operations/ConsoleInput.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/ModelExtraction/CantileverModelRule.h"
#include "Model/ModelExtraction/ExtractedModel.h"
#include "Util/IObserver.h"

namespace Core {
namespace Operations {

using Model::ModelExtraction::CantileverModelRule;
using Model::ModelExtraction::CellEdges;
using Model::ModelExtraction::EnvelopeDecomposition;
using Model::ModelExtraction::ExtractedModel;

RunModelExtraction::RunModelExtraction(OperationContext *context)
    : Operation(context, "Extract Model", ModelExtractionId)
{
}

void RunModelExtraction::say(const std::string &sentence) const
{
    context()->consoleInput().postMessage("Model Extraction: " + sentence);
}

void RunModelExtraction::execute()
{
    if (m_state != WaitingForVolume)
        return;
    OperationContext &ctx = *context();
    m_target = Model::Automaton::firstCellVolume(ctx.pickInput().selectedObjects());
    if (!m_target) {
        say("Select a cell volume and press Enter/Return.");
        ctx.consoleInput().requestEnter(this);
        ctx.selectionManager().setMode(true);
        return;
    }
    say("Cell volume selected.");
    m_state = DialogOpen;
    notifyObserver();
    ctx.selectionManager().clear();
    ctx.selectionManager().setMode(false);
    ctx.notifyUpdate();
}

void RunModelExtraction::restoreView()
{
    OperationContext &ctx = *context();
    if (m_blocksModel)
        ctx.document().removeObject(m_blocksModel);
    if (m_cantileversModel)
        ctx.document().removeObject(m_cantileversModel);
    if (m_target)
        m_target->painter().setPaintingSuspended(false);
    ctx.notifyUpdate();
}

void RunModelExtraction::cancel()
{
    // Hold on: closing the window or abandoning may release the operation.
    const auto self = shared_from_this();
    if (m_state == DialogOpen) {
        m_state = Finished;
        if (m_closeObserver)
            m_closeObserver->notify();
        restoreView();
    }
    context()->consoleInput().reset();
    context()->abandonOperation();
}

void RunModelExtraction::end()
{
    if (m_state != DialogOpen)
        return;
    const auto self = shared_from_this();
    m_state = Finished;
    restoreView();
    say("Model extracted.");
    context()->endOperation();
}

void RunModelExtraction::runPreprocessing()
{
    if (m_state != DialogOpen || m_preprocessed)
        return;
    m_preprocessed = true;
    // The blocks are shown where the volume was.
    m_target->painter().setPaintingSuspended(true);
    m_envelopes = EnvelopeDecomposition::decompose(*m_target);
    EnvelopeDecomposition::link(m_envelopes);
    m_blocksModel.reset(new ExtractedModel(m_envelopes));
    context()->document().addObject(m_blocksModel);
    context()->notifyUpdate();
}

bool RunModelExtraction::runFeatureDetection()
{
    if (m_state != DialogOpen || !m_preprocessed || m_detected)
        return bool(m_structure);
    m_detected = true;
    CantileverModelRule rule(CellEdges::of(*m_target, context()->document().lengthUnit()));
    m_structure = rule.apply(m_envelopes);
    if (rule.cantilevers().empty())
        return false;
    m_cantileversModel.reset(new ExtractedModel(rule.cantilevers()));
    m_cantileversModel->moveBy(Util::Vector3D(m_target->cellsizeX() * (m_target->sizeX() + GapCells), 0, 0));
    context()->document().addObject(m_cantileversModel);
    context()->notifyUpdate();
    return true;
}

QString RunModelExtraction::getNetlist() const
{
    return m_structure ? m_structure->netlist() : QString();
}

QString RunModelExtraction::getSubcircuit(const QString &name) const
{
    const auto cantilevers = boost::dynamic_pointer_cast<Model::ModelExtraction::CantileverStructure>(m_structure);
    return cantilevers ? cantilevers->subcircuit(name) : QString();
}

} // namespace Operations
} // namespace Core
