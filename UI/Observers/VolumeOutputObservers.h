#pragma once

#include "Core/Operations/Volumes/ExportVolumeOperation.h"
#include "Core/Operations/Volumes/SaveCrossSectionOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// File > Export: asks where to write, the format chosen by the file
// dialog's filter when the name has no extension of its own; a failure is
// shown in a "File Error" box.
class ExportVolumeObserver : public OptionObserver<Core::Operations::ExportVolumeOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::ExportVolumeOperation &operation) override;
};

// File > Save Cross-Section: asks for the plane, then where to write the
// picture.
class SaveCrossSectionObserver : public OptionObserver<Core::Operations::SaveCrossSectionOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::SaveCrossSectionOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
