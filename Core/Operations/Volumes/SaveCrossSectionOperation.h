#pragma once

#include "Core/Operations/ClassObserver.h"
#include "Core/Operations/Volumes/VolumeOutputOperation.h"

#include <functional>

namespace Core {
namespace Operations {

// "Save Cross-Section": a picture of one plane of cells of a volume. The
// picture is drawn by the window's drawing code, which the observer hands
// over with the plane it asked for.
class SaveCrossSectionOperation : public ClassObserver<SaveCrossSectionOperation, VolumeOutputOperation>
{
public:
    // Draws the plane `index` across `axis` (0, 1, 2: x, y, z) into the
    // file; false with the reason.
    using PictureWriter = std::function<bool(Model::Automaton::TotalVolume &volume, int axis, int index,
                                             const QString &fileName, QString *problem)>;

    explicit SaveCrossSectionOperation(OperationContext *context);

    void setSection(int axis, int index, const PictureWriter &writer);

protected:
    bool write(Model::Automaton::TotalVolume &volume, const QString &fileName, QString *done,
               QString *problem) override;

private:
    int m_axis = 0;
    int m_index = 0;
    PictureWriter m_writer;
};

} // namespace Operations
} // namespace Core
