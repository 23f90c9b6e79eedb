// One keystroke in the script area through the controller, on scripts of 0, 1 and 8 MB: typing at
// the end, typing in the middle, and a keystroke at each end in turn, which makes the controller
// map a far position every time. Each has the same change to a plain string as its baseline. Also
// the heap a 5 MB script and its history take after 1,000 edits.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "BaselineSummary.h"
#include "BenchmarkScripts.h"
#include "text/TextPositions.h"

namespace zarvex::bench {
namespace {

std::size_t ScriptBytes(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0)) * kMegabyte;
}

// How many widget positions the script spans: where mapping past its end stops.
std::size_t PositionsIn(std::string_view script) {
  TextPositions mapping;
  (void)mapping.ByteOffsetOf(script, script.size() * 2);
  return mapping.ReachedPosition();
}

// Types one character per iteration, starting at the given share of the script and moving on
// with the caret. The first keystroke, which finds the place, is made before the timing.
void TypeThroughController(benchmark::State& state, double share) {
  BenchmarkEditor editor;
  const std::string script = ScriptOfSize(ScriptBytes(state));
  const std::size_t positions = PositionsIn(script);
  editor->ChangeText(Control::Text6, script);
  auto position = static_cast<std::size_t>(static_cast<double>(positions) * share);
  const auto type = [&] {
    editor->EditText(Control::Text6, {position, 0, "x", position + 1});
    ++position;
  };
  type();
  for (auto _ : state) {
    type();
  }
}

void TypeIntoString(benchmark::State& state, double share) {
  std::string script = ScriptOfSize(ScriptBytes(state));
  auto offset = static_cast<std::size_t>(static_cast<double>(script.size()) * share);
  for (auto _ : state) {
    script.insert(offset++, 1, 'x');
    benchmark::DoNotOptimize(script.data());
  }
}

void TypeAtEndThroughController(benchmark::State& state) {
  TypeThroughController(state, 1.0);
}
void TypeAtEndBaseline(benchmark::State& state) {
  TypeIntoString(state, 1.0);
}
void TypeInMiddleThroughController(benchmark::State& state) {
  TypeThroughController(state, 0.5);
}
void TypeInMiddleBaseline(benchmark::State& state) {
  TypeIntoString(state, 0.5);
}

// Two keystrokes per iteration: a character typed at the start, then the last one deleted, so the
// script keeps its size however many iterations run.
void TypeAtBothEndsThroughController(benchmark::State& state) {
  BenchmarkEditor editor;
  const std::string script = ScriptOfSize(ScriptBytes(state)) + "x";
  const std::size_t positions = PositionsIn(script);
  editor->ChangeText(Control::Text6, script);
  for (auto _ : state) {
    editor->EditText(Control::Text6, {0, 0, "x", 1});
    editor->EditText(Control::Text6, {positions, 1, "", positions});
  }
}

void TypeAtBothEndsBaseline(benchmark::State& state) {
  std::string script = ScriptOfSize(ScriptBytes(state)) + "x";
  for (auto _ : state) {
    script.insert(0, 1, 'x');
    script.pop_back();
    benchmark::DoNotOptimize(script.data());
  }
}

// The heap an editor holding a 5 MB script takes after 1,000 edits at scattered places, its undo
// history included; printed as counters, not timed.
std::size_t HeapInUse() {
  // Large blocks are mapped on their own, outside the arena.
  const struct mallinfo2 heap = mallinfo2();
  return heap.uordblks + heap.hblkhd;
}

void HeapAfterThousandEdits(benchmark::State& state) {
  const std::string script = ScriptOfSize(5u << 20);
  const std::size_t positions = PositionsIn(script);
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    auto editor = std::make_unique<BenchmarkEditor>();
    (*editor)->ChangeText(Control::Text6, script);
    for (std::size_t edit = 0; edit < 1000; ++edit) {
      (*editor)->EditText(Control::Text6, {(edit * 7919) % positions, 1, "xy"});
    }
    state.counters["heap_MiB"] = static_cast<double>(HeapInUse() - before) / (1u << 20);
    benchmark::DoNotOptimize(editor.get());
  }
}
BENCHMARK(HeapAfterThousandEdits)->Iterations(1)->Unit(benchmark::kMillisecond);

void PerScriptSize(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("MB")->Arg(0)->Arg(1)->Arg(8)->Unit(benchmark::kNanosecond);
  AddMinimum(benchmark);
}

BENCHMARK(TypeAtEndThroughController)->Apply(PerScriptSize);
BENCHMARK(TypeAtEndBaseline)->Apply(PerScriptSize);
BENCHMARK(TypeInMiddleThroughController)->Apply(PerScriptSize);
BENCHMARK(TypeInMiddleBaseline)->Apply(PerScriptSize);
BENCHMARK(TypeAtBothEndsThroughController)->Apply(PerScriptSize);
BENCHMARK(TypeAtBothEndsBaseline)->Apply(PerScriptSize);

}  // namespace
}  // namespace zarvex::bench
