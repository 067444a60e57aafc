#pragma once

class QDoubleSpinBox;
class QSpinBox;

namespace Core {
namespace Operations {
class ProcessDescriptor;
}
}

namespace Ui {
namespace Operations {

// A number field of an option dialog offers what its process declares for
// the parameter it sets, so that the window's steps take only values that a
// process list entry of the same step would be read with.
class DeclaredRange
{
public:
    // Limits `box` to the declared range of `parameter`, to the box's
    // precision: a range that excludes its lowest number starts one step
    // above it. A parameter the process does not declare leaves the box as
    // it is, with a warning.
    static void limit(QDoubleSpinBox *box, const Core::Operations::ProcessDescriptor &process, const char *parameter);
    static void limit(QSpinBox *box, const Core::Operations::ProcessDescriptor &process, const char *parameter);
};

} // namespace Operations
} // namespace Ui
