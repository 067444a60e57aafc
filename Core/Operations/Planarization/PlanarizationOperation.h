#pragma once

#include "Core/Operations/ProcessOperation.h"

namespace Core {
namespace Operations {

// Planarization: removes every cell below a minimum height and at or above
// a maximum height of the picked volume.
class PlanarizationOperation : public ProcessOperation
{
public:
    explicit PlanarizationOperation(OperationContext *context);

    void setMaximumHeight(int height)
    {
        m_maximum = height;
        m_maximumSet = true;
    }
    void setMinimumHeight(int height)
    {
        m_minimum = height;
        m_minimumSet = true;
    }

    // "<title>: Operation canceled!"
    void cancel() override;
    // Runs once the volume and both heights are known; cancels otherwise.
    void end() override;

private:
    int m_maximum = 0;
    int m_minimum = 0;
    bool m_maximumSet = false;
    bool m_minimumSet = false;
};

} // namespace Operations
} // namespace Core
