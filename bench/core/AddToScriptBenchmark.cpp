// The cost of one "Add to Script" through the controller on scripts of 0, 1 and 8 MB, against
// appending the same block's bytes to a string of the same size, and against composing the block
// and appending it without the controller. An add must not copy the script, so its cost must not
// grow with the script's size.
#include <benchmark/benchmark.h>

#include <chrono>

#include "BaselineSummary.h"
#include "BenchmarkScripts.h"
#include "script/ScriptBlock.h"
#include "script/ScriptSettings.h"
#include "script/SettingNumber.h"

namespace zarvex::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Each timed batch starts from a fresh script with room for the whole batch, the same on every
// side, so that no side pays for growing its string while timed and none gets it for free.
constexpr int kAddsPerBatch = 64;
constexpr benchmark::IterationCount kBatches = 200;

std::size_t ScriptBytes(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0)) * kMegabyte;
}

std::string FreshScript(std::size_t bytes) {
  return ScriptOfSize(bytes, kAddsPerBatch * TypicalBlock().size());
}

// Reports the batch's time per add.
void RecordBatch(benchmark::State& state, Clock::duration batch) {
  state.SetIterationTime(std::chrono::duration<double>(batch).count() / kAddsPerBatch);
}

void AddBlockThroughController(benchmark::State& state) {
  const std::size_t bytes = ScriptBytes(state);
  BenchmarkEditor editor;
  for (auto _ : state) {
    editor->ChangeText(Control::Text6, FreshScript(bytes));
    const Clock::time_point start = Clock::now();
    for (int add = 0; add < kAddsPerBatch; ++add) {
      benchmark::DoNotOptimize(editor->PressButton(Control::Command1));
    }
    RecordBatch(state, Clock::now() - start);
  }
  if (editor.MessagesShown() != 0 ||
      editor->State().Text6.size() != bytes + kAddsPerBatch * TypicalBlock().size()) {
    state.SkipWithError("the adds did not append one block each");
  }
}

void AppendBlockBaseline(benchmark::State& state) {
  const std::size_t bytes = ScriptBytes(state);
  const std::string block = TypicalBlock();
  for (auto _ : state) {
    std::string script = FreshScript(bytes);
    const Clock::time_point start = Clock::now();
    for (int add = 0; add < kAddsPerBatch; ++add) {
      script += block;
      benchmark::ClobberMemory();
    }
    RecordBatch(state, Clock::now() - start);
    benchmark::DoNotOptimize(script.data());
  }
}

// The least an add can do: read the four boxes, compose the block, append it.
void ComposeAndAppendBaseline(benchmark::State& state) {
  const std::size_t bytes = ScriptBytes(state);
  ScriptSettings settings;
  settings.modeKeyword = "DEATH_RACE";
  settings.useTimeLimitLine = "  USE_TIME_LIMIT 1";
  for (auto _ : state) {
    std::string script = FreshScript(bytes);
    const Clock::time_point start = Clock::now();
    for (int add = 0; add < kAddsPerBatch; ++add) {
      BlockNumbers numbers;
      numbers.wastedLimit = ParseSettingNumber("0");
      numbers.timeLimit = ParseSettingNumber("300");
      numbers.recoverDelay = ParseSettingNumber("0");
      numbers.laps = ParseSettingNumber("1");
      script += ComposeBlock(settings, numbers, "Arena", "Ka");
      benchmark::ClobberMemory();
    }
    RecordBatch(state, Clock::now() - start);
    benchmark::DoNotOptimize(script.data());
  }
  if (ComposeBlock(settings, {0, 300, 0, 1}, "Arena", "Ka") != TypicalBlock()) {
    state.SkipWithError("the composed block is not the one the editor adds");
  }
}

void PerScriptSize(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("MB")->Arg(0)->Arg(1)->Arg(8);
  benchmark->UseManualTime()->Iterations(kBatches)->Unit(benchmark::kNanosecond);
  AddMinimum(benchmark);
}

BENCHMARK(AddBlockThroughController)->Apply(PerScriptSize);
BENCHMARK(AppendBlockBaseline)->Apply(PerScriptSize);
BENCHMARK(ComposeAndAppendBaseline)->Apply(PerScriptSize);

}  // namespace
}  // namespace zarvex::bench
