#include "Core/Operations/Volumes/ExtractFilm.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Volumes/FilmExtraction.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"

#include <algorithm>
#include <new>

namespace Core {
namespace Operations {

using Model::Automaton::TotalVolume;
using Model::Automaton::VolumeMemory;

namespace {
// Free cells between the source and the film placed beside it.
constexpr double GapCells = 10.0;
} // namespace

ExtractFilm::ExtractFilm(OperationContext *context)
    : ObjectOperation(context, "Extract Film", ExtractFilmId)
{
}

void ExtractFilm::execute()
{
    if (m_step != SelectingVolume)
        return;
    m_source = takeTargetVolume({"cell volume selected.", "select a cell volume and press Enter/Return."}, false);
    if (!m_source)
        return;
    m_step = WaitingForOptions;
    notifyObserver();
}

void ExtractFilm::cancel()
{
    cancelSilently();
}

void ExtractFilm::end()
{
    OperationContext &ctx = *context();
    if (m_step != WaitingForOptions || !m_source) {
        ctx.notifyUpdate();
        return;
    }
    TotalVolume &source = *m_source;
    // The film is a volume of the source's size: refused, like any volume,
    // when the machine cannot hold it.
    std::string problem;
    if (!VolumeMemory::fits(source.sizeX(), source.sizeY(), source.sizeZ(), &problem)) {
        postMessage(problem);
        cancel();
        return;
    }
    std::size_t filmCells = 0;
    try {
        const FilmExtraction::Film film = FilmExtraction::extract(source, m_material, m_invert);
        filmCells = film.cellCount;
        m_extracted.reset(new TotalVolume(source.sizeX(), source.sizeY(), source.sizeZ(), source.cellsizeX(),
                                          source.cellsizeY(), source.cellsizeZ(), source.position(),
                                          film.materials));
    } catch (const std::bad_alloc &) {
        m_extracted.reset();
        postMessage(VolumeMemory::describeNeed(source.sizeX(), source.sizeY(), source.sizeZ())
                    + ", which could not be allocated.");
        cancel();
        return;
    }
    m_step = Done;
    const double edge = std::max({source.cellsizeX(), source.cellsizeY(), source.cellsizeZ()});
    m_extracted->moveBy(Util::Vector3D((source.sizeX() + GapCells) * edge, 0, 0));
    ctx.document().addObject(m_extracted);
    // An empty new volume alone would leave the user guessing why.
    postMessage(filmCells > 0 ? "film extracted." : "the volume holds no cell of that material.");
    ctx.consoleInput().reset();
    ctx.endOperation();
}

int ExtractFilm::undo()
{
    context()->document().removeObject(m_extracted);
    context()->notifyUpdate();
    return Undone;
}

int ExtractFilm::redo()
{
    context()->document().addObject(m_extracted);
    context()->notifyUpdate();
    return Redone;
}

} // namespace Operations
} // namespace Core
