// Time to load a profile file: the largest file the store holds (24 datasets
// of 85 hours and 67 levels, "eta" layout) and a one-dataset file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/reader.h"
#include "tests/core/profile_text.h"

namespace {

std::string WriteBenchFile(const std::string& name, int datasets) {
  ondrik::testing::ProfileFileSpec spec;
  spec.datasets = datasets;
  spec.hours = 85;
  spec.levels = 67;
  spec.hourStep = 1;
  const std::filesystem::path p = std::filesystem::temp_directory_path() / name;
  std::ofstream(p, std::ios::binary) << ondrik::testing::MakeProfileText(spec);
  return p.string();
}

void Load(benchmark::State& state, int datasets) {
  const std::string path =
      WriteBenchFile("ondrik_bench_" + std::to_string(datasets) + ".ond", datasets);
  ondrik::LoadOptions options;
  options.modelKey = "eta";
  options.sigmaLevelStep = 2;
  options.sigmaLevelPres = 850;
  options.srInflowDepth = 3;
  for (auto _ : state) {
    const ondrik::LoadResult r = ondrik::LoadProfileFile(path, options);
    if (!r.ok) state.SkipWithError(r.message.c_str());
    benchmark::DoNotOptimize(r.ok);
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

void BM_LoadMaximalFile(benchmark::State& state) { Load(state, 24); }
void BM_LoadOneDataset(benchmark::State& state) { Load(state, 1); }

}  // namespace

BENCHMARK(BM_LoadMaximalFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadOneDataset)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
