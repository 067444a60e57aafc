#pragma once

class QWidget;

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Ui {

class ProcessData;

// Composes process list entries through the options dialogs of the window's
// operations: the dialog of an entry's type opens, and its accepted choices
// become the entry's parameters, shown or hidden as the process declares.
class BatchEntryDialogs
{
public:
    // Opens the dialog of `type` over `parent`; true, with `entry` (a new
    // entry of that type) filled in, when the user accepted it. `volume`,
    // which may be null, limits the heights and mask sizes offered.
    static bool compose(int type, QWidget *parent, const Model::Automaton::TotalVolume *volume, ProcessData &entry);
};

} // namespace Ui
