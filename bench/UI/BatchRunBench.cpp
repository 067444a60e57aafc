// A whole process list through the batch engine on a 200 x 200 x 100 cell
// volume: create the substrate, deposit aluminium, etch part of it back and
// electroplate copper on it; one thread and all threads, and with the
// progress followed (and the cells kept for an interrupt) as the batch
// program does.
#include "Core/Operations/Frames/StepProgress.h"
#include "Core/Operations/OperationContext.h"
#include "UI/BatchRun/BatchRunner.h"

#include "BenchSupport.h"

#include <list>

namespace {

using Ui::ProcessData;

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;

std::list<ProcessData> processList()
{
    ProcessData substrate(ProcessData::CreateSubstrate);
    substrate.setParameter(QStringLiteral("MaterialId"), 1u);
    substrate.setParameter(QStringLiteral("Lower Left Front Corner"), QVariant::fromValue(Util::Vector3D()));
    substrate.setParameter(QStringLiteral("Volume Size X"), SizeX);
    substrate.setParameter(QStringLiteral("Volume Size Y"), SizeY);
    substrate.setParameter(QStringLiteral("Volume Size Z"), SizeZ);
    substrate.setParameter(QStringLiteral("SphericalSubstrate"), false);
    substrate.setParameter(QStringLiteral("Substrate Size X"), SizeX);
    substrate.setParameter(QStringLiteral("Substrate Size Y"), SizeY);
    substrate.setParameter(QStringLiteral("Substrate Size Z"), SizeZ / 2);
    for (const char *delta : {"Substrate Delta X", "Substrate Delta Y", "Substrate Delta Z"})
        substrate.setParameter(QLatin1String(delta), 0u);

    ProcessData cvd(ProcessData::Cvd);
    cvd.setParameter(QStringLiteral("MaterialId"), 4u);
    cvd.setParameter(QStringLiteral("Thickness"), 8.0);
    ProcessData etch(ProcessData::IsotropicEtching);
    etch.setParameter(QStringLiteral("MaterialId"), 4u);
    etch.setParameter(QStringLiteral("Depth"), 3.0);
    ProcessData plating(ProcessData::Electroplating);
    plating.setParameter(QStringLiteral("Film Thickness"), 6.0);
    plating.setParameter(QStringLiteral("ConductingMaterialId"), 4u);
    plating.setParameter(QStringLiteral("DepositedMaterialId"), 5u);
    return {substrate, cvd, etch, plating};
}

void runList(benchmark::State &state, Core::Operations::Interrupter *interrupter)
{
    BenchSupport::setThreads(state);
    const std::list<ProcessData> list = processList();
    for (auto _ : state) {
        Core::Operations::OperationContext context;
        Ui::BatchRunner runner(context);
        runner.setInterrupter(interrupter);
        for (const ProcessData &entry : list)
            if (runner.run(entry) != Ui::BatchRunner::Done)
                state.SkipWithError(runner.problem().toStdString().c_str());
    }
    state.counters["cells/s"] = benchmark::Counter(double(SizeX) * SizeY * SizeZ * double(list.size()),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}

void BM_BatchRunList(benchmark::State &state)
{
    runList(state, nullptr);
}
BENCHMARK(BM_BatchRunList)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchRunListWithProgress(benchmark::State &state)
{
    Core::Operations::StepProgress progress;
    runList(state, &progress);
}
BENCHMARK(BM_BatchRunListWithProgress)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
