#pragma once

#include "Core/Operations/Operation.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// "Extract Film": copies one body of a chosen material out of a cell
// volume into a new volume placed beside it along x, optionally turned
// upside down. The source volume is not changed.
class ExtractFilm : public ObjectOperation
{
public:
    enum Step { SelectingVolume = 0, WaitingForOptions = 1, Done = 2 };

    explicit ExtractFilm(OperationContext *context);

    void execute() override;
    // Forgets the console request and leaves without a word.
    void cancel() override;
    void end() override;
    // Takes the extracted volume out of the document / puts it back.
    int undo() override;
    int redo() override;

    void setMaterialId(std::uint32_t id) { m_material = id; }
    void setInvert(bool invert) { m_invert = invert; }

    Step step() const { return m_step; }
    boost::shared_ptr<Model::Automaton::TotalVolume> source() const { return m_source; }
    boost::shared_ptr<Model::Automaton::TotalVolume> extracted() const { return m_extracted; }

private:
    Step m_step = SelectingVolume;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_source;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_extracted;
    std::uint32_t m_material = 0;
    bool m_invert = false;
};

} // namespace Operations
} // namespace Core
