#pragma once

#include "Core/Operations/Frames/Interrupter.h"
#include "Core/Operations/StepRunner.h"

#include <functional>
#include <string>
#include <vector>

namespace TestSupport {

// Keeps every report of a step; asks it to stop once it has made
// `stopAfter` reports (never when negative), calling `onStop` the first
// time it does, on the step's thread.
class ScriptedInterrupter : public Core::Operations::Interrupter
{
public:
    struct Report
    {
        std::string phase;
        int step;
        int steps;
    };

    explicit ScriptedInterrupter(int stopAfter = -1) : m_stopAfter(stopAfter) {}

    void progress(const char *phase, int step, int steps) override { reports.push_back({phase, step, steps}); }
    bool wasInterrupted() override
    {
        const bool stop = m_stopAfter >= 0 && int(reports.size()) >= m_stopAfter;
        if (stop && onStop) {
            onStop();
            onStop = nullptr;
        }
        return stop;
    }

    std::vector<Report> reports;
    std::function<void()> onStop;

private:
    int m_stopAfter;
};

// Runs steps on the calling thread, as the window's runner would run them
// on another: with an interrupter that stops step number `stoppedStep`
// (counted from 0 over the steps this runner runs) after `stopAfter`
// reports. `during` runs inside each step, before its work, to try what a
// window could do meanwhile.
class ScriptedStepRunner : public Core::Operations::StepRunner
{
public:
    ScriptedStepRunner(int stoppedStep, int stopAfter) : m_stoppedStep(stoppedStep), m_stopAfter(stopAfter) {}

    Outcome run(const std::string &title, const Work &work) override
    {
        titles.push_back(title);
        ScriptedInterrupter interrupter(int(titles.size()) - 1 == m_stoppedStep ? m_stopAfter : -1);
        if (during)
            during();
        work(&interrupter);
        return interrupter.wasInterrupted() ? Canceled : Finished;
    }

    std::function<void()> during;
    std::vector<std::string> titles;

private:
    int m_stoppedStep;
    int m_stopAfter;
};

} // namespace TestSupport
