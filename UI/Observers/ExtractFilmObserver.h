#pragma once

#include "Core/Operations/Volumes/ExtractFilm.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the film dialog with every material of the catalogue; a rejected
// dialog cancels the extraction.
class ExtractFilmObserver : public OptionObserver<Core::Operations::ExtractFilm>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::ExtractFilm &operation) override;
};

} // namespace Observers
} // namespace Ui
