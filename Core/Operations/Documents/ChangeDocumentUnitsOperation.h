#pragma once

#include "Core/Operations/Operation.h"
#include "Model/LengthUnit.h"

namespace Core {
namespace Operations {

// "Document Units": how long a world unit of the document is. A step of
// the history like any change of the document: undo puts the earlier unit
// back, and the document counts as changed until it is saved.
class ChangeDocumentUnitsOperation : public ObjectOperation
{
public:
    explicit ChangeDocumentUnitsOperation(OperationContext *context);

    // Shows the options (the observer's dialog); without an observer there
    // is nothing to ask, and the operation cancels itself.
    void execute() override;
    // Leaves quietly: nothing changed.
    void cancel() override;
    // Takes the unit given, says so and enters the history; an unchanged
    // unit leaves quietly.
    void end() override;
    int undo() override;
    int redo() override;

    // The unit the document has now, for the dialog to start from.
    Model::LengthUnit currentUnit() const;
    void setLengthUnit(const Model::LengthUnit &unit) { m_after = unit; }

private:
    void apply(const Model::LengthUnit &unit) const;

    Model::LengthUnit m_before;
    Model::LengthUnit m_after;
};

} // namespace Operations
} // namespace Core
