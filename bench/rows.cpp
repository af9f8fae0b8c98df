#include <memory>
#include <utility>

#include "bench/benchmarks.h"

void RegisterRow(const std::string& routine, const std::string& workload, std::vector<Contender> contenders,
                 PairedTrials::Clock clock)
{
    std::string label;
    for (const Contender& c : contenders) label += (label.empty() ? "" : " ") + c.name;
    auto trials = std::make_shared<PairedTrials>(std::move(contenders), clock);
    benchmark::RegisterBenchmark((routine + "/" + workload).c_str(),
                                 [trials, label](benchmark::State& state) {
                                     std::vector<double> perPass;
                                     for (auto _ : state) perPass = trials->Run();
                                     for (size_t i = 0; i < perPass.size(); ++i)
                                         state.counters[trials->Contenders()[i].name] = perPass[i];
                                     state.SetLabel(label);
                                 })
        ->Iterations(1);
}
