#pragma once

#include "Core/Operations/Operation.h"
#include "Model/ModelExtraction/EnvelopeDecomposition.h"

#include <QString>

#include <boost/shared_ptr.hpp>

namespace Model {
namespace ModelExtraction {
class ExtractedModel;
class IStructure;
}
}

namespace Core {
namespace Operations {

// "Extract Model": reduces the cantilevers of a cell volume to a circuit
// netlist in three steps the user runs from a small window that stays open
// beside the view: cut the volume into blocks, find the cantilevers among
// them, and hand out the netlist. While the window is open the blocks are
// shown in place of the volume, and the cantilevers beside it; closing the
// window ends the operation and takes both away. Nothing is undone: the
// volume's cells never change.
class RunModelExtraction : public Operation
{
public:
    enum State { WaitingForVolume = 0, DialogOpen = 1, Finished = 2 };

    explicit RunModelExtraction(OperationContext *context);

    // Takes the first picked cell volume and opens the window, or asks for one.
    void execute() override;
    // Closes the window, takes the blocks away and shows the volume again.
    void cancel() override;
    // The window was closed: the same, then "Model extracted.".
    void end() override;

    // Step 1: the volume's blocks, shown in its place. Runs once.
    void runPreprocessing();
    // Step 2, after step 1: the cantilevers among the blocks, shown beside
    // the volume. True when there is at least one. Runs once.
    bool runFeatureDetection();
    // Step 3: the netlist of what step 2 found; empty when it found nothing.
    QString getNetlist() const;
    // The same as a subcircuit `name`, to include into a larger circuit.
    QString getSubcircuit(const QString &name) const;

    // Tells the window to close when the operation is canceled.
    void setCloseObserver(const boost::shared_ptr<Util::IObserver> &observer) { m_closeObserver = observer; }

    State state() const { return m_state; }
    boost::shared_ptr<Model::Automaton::TotalVolume> target() const { return m_target; }
    const Model::ModelExtraction::EnvelopeList &envelopes() const { return m_envelopes; }
    boost::shared_ptr<Model::ModelExtraction::ExtractedModel> blocksModel() const { return m_blocksModel; }
    boost::shared_ptr<Model::ModelExtraction::ExtractedModel> cantileversModel() const { return m_cantileversModel; }
    boost::shared_ptr<Model::ModelExtraction::IStructure> structure() const { return m_structure; }

    // Cells left free between the volume and the cantilevers shown beside it.
    static constexpr double GapCells = 10.0;

private:
    void say(const std::string &sentence) const;
    // Takes the shown models away and lets the volume be painted again.
    void restoreView();

    State m_state = WaitingForVolume;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_target;
    boost::shared_ptr<Model::ModelExtraction::ExtractedModel> m_blocksModel;
    boost::shared_ptr<Model::ModelExtraction::ExtractedModel> m_cantileversModel;
    Model::ModelExtraction::EnvelopeList m_envelopes;
    bool m_preprocessed = false;
    bool m_detected = false;
    boost::shared_ptr<Model::ModelExtraction::IStructure> m_structure;
    boost::shared_ptr<Util::IObserver> m_closeObserver;
};

} // namespace Operations
} // namespace Core
