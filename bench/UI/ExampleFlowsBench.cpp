// The sample flows of examples/ at their shipped sizes through the batch
// engine, each alone and the first three one after another, with one
// thread and with all threads. Their pictures need a display and are left
// out: they take a fixed fraction of a second each and say nothing about
// the processes.
#include "Core/Operations/OperationContext.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/BatchRun/ProcessListArchiver.h"

#include "BenchSupport.h"

#include <list>
#include <vector>

namespace {

using Ui::ProcessData;

const char *const Flows[] = {"membrane/membrane.plst", "cantilever/cantilever.plst",
                             "electroplated/electroplated.plst", "mems-switch/mems-switch.plst"};

std::list<ProcessData> loadFlow(const char *name)
{
    std::list<ProcessData> entries;
    const QString path = QStringLiteral(TESSIVAL_EXAMPLES_DIR "/") + QLatin1String(name);
    Ui::ProcessListArchiver(entries).loadProcessList(path, entries);
    entries.remove_if([](const ProcessData &entry) { return entry.type() == ProcessData::SaveImage; });
    return entries;
}

void runFlows(benchmark::State &state, const std::vector<const char *> &names)
{
    BenchSupport::setThreads(state);
    std::vector<std::list<ProcessData>> flows;
    for (const char *name : names) {
        flows.push_back(loadFlow(name));
        if (flows.back().empty())
            state.SkipWithError("a sample flow could not be read");
    }
    for (auto _ : state)
        for (const std::list<ProcessData> &flow : flows) {
            Core::Operations::OperationContext context;
            Ui::BatchRunner runner(context);
            for (const ProcessData &entry : flow)
                if (runner.run(entry) != Ui::BatchRunner::Done)
                    state.SkipWithError(runner.problem().toStdString().c_str());
        }
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}

void BM_MembraneFlow(benchmark::State &state) { runFlows(state, {Flows[0]}); }
void BM_CantileverFlow(benchmark::State &state) { runFlows(state, {Flows[1]}); }
void BM_ElectroplatedFlow(benchmark::State &state) { runFlows(state, {Flows[2]}); }
void BM_MemsSwitchFlow(benchmark::State &state) { runFlows(state, {Flows[3]}); }
void BM_AllThreeFlows(benchmark::State &state) { runFlows(state, {Flows[0], Flows[1], Flows[2]}); }

BENCHMARK(BM_MembraneFlow)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CantileverFlow)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ElectroplatedFlow)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemsSwitchFlow)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AllThreeFlows)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
