#include "UI/Operations/DeclaredRange.h"

#include "Core/Operations/ProcessDescriptor.h"

#include <QDebug>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Ui {
namespace Operations {

namespace {

using Core::Operations::ParameterDeclaration;

const ParameterDeclaration::Range *declaredRange(const Core::Operations::ProcessDescriptor &process,
                                                 const char *parameter)
{
    const ParameterDeclaration *declared = process.parameter(QLatin1String(parameter));
    if (!declared) {
        qWarning() << process.title() << "declares no parameter" << parameter << "for its option dialog";
        return nullptr;
    }
    return &declared->range;
}

} // namespace

void DeclaredRange::limit(QDoubleSpinBox *box, const Core::Operations::ProcessDescriptor &process,
                          const char *parameter)
{
    const ParameterDeclaration::Range *range = declaredRange(process, parameter);
    if (!range)
        return;
    const double step = std::pow(10.0, -box->decimals());
    box->setRange(range->lowestIncluded ? range->lowest : range->lowest + step, range->highest);
}

void DeclaredRange::limit(QSpinBox *box, const Core::Operations::ProcessDescriptor &process, const char *parameter)
{
    const ParameterDeclaration::Range *range = declaredRange(process, parameter);
    if (!range)
        return;
    const double lowest = range->lowestIncluded ? std::ceil(range->lowest) : std::floor(range->lowest) + 1.0;
    const double most = std::numeric_limits<int>::max();
    box->setRange(int(std::clamp(lowest, -most, most)), int(std::clamp(std::floor(range->highest), -most, most)));
}

} // namespace Operations
} // namespace Ui
