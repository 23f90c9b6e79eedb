// The cost of one "Add to Script" press and of one keystroke in the script area, through the real
// window on Qt's offscreen platform, for scripts of 0, 1 and 5 MB. Both must stay flat as the
// script grows: an add appends only the new block, a keystroke passes on only what changed.
// Compare the medians; the machine's other work shows in the spread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstddef>
#include <stdexcept>

#include "platform/FileReplacer.h"
#include "platform/NativePlatform.h"
#include "window/qt/Form1.h"

namespace zarvex {
namespace {

class DiscardingFileReplacer : public FileReplacer {
 public:
  std::error_code Replace(const std::filesystem::path&, Pieces) override { return {}; }
};

constexpr std::size_t kMegabyte = 1024 * 1024;

// A shown window whose script already holds the given number of megabytes, added block by block
// through the button, as a user would build it.
class FilledWindow {
 public:
  explicit FilledWindow(std::int64_t megabytes) : window_(files_, NativeTextEncoder(), {}) {
    window_.show();
    if (!QTest::qWaitForWindowExposed(&window_)) {
      throw std::runtime_error("the window was never shown");
    }
    const std::size_t wanted = static_cast<std::size_t>(megabytes) * kMegabyte;
    while (ScriptSize() < wanted) {
      AddButton().click();
    }
    QCoreApplication::processEvents();
  }

  QPushButton& AddButton() { return *window_.findChild<QPushButton*>(QStringLiteral("Command1")); }
  QPlainTextEdit& ScriptArea() {
    return *window_.findChild<QPlainTextEdit*>(QStringLiteral("Text6"));
  }
  [[nodiscard]] std::size_t ScriptSize() const { return window_.Controller().State().Text6.size(); }

 private:
  DiscardingFileReplacer files_;
  Form1 window_;
};

void BM_AddToScript(benchmark::State& state) {
  FilledWindow filled(state.range(0));
  const std::size_t startSize = filled.ScriptSize();
  for (auto _ : state) {
    filled.AddButton().click();
    // Whatever the view defers (layout, painting) is part of the press.
    QCoreApplication::processEvents();
  }
  state.counters["script_bytes"] = static_cast<double>(startSize);
  state.SetBytesProcessed(static_cast<std::int64_t>(filled.ScriptSize() - startSize));
}
BENCHMARK(BM_AddToScript)
    ->Arg(0)
    ->Arg(1)
    ->Arg(5)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_KeystrokeInScript(benchmark::State& state) {
  FilledWindow filled(state.range(0));
  QPlainTextEdit& area = filled.ScriptArea();
  area.setFocus();
  area.moveCursor(QTextCursor::End);
  const std::size_t startSize = filled.ScriptSize();
  for (auto _ : state) {
    QTest::keyClick(&area, Qt::Key_A);
    QCoreApplication::processEvents();
  }
  state.counters["script_bytes"] = static_cast<double>(startSize);
  if (filled.ScriptSize() != startSize + static_cast<std::size_t>(state.iterations())) {
    state.SkipWithError("the keystrokes did not all reach the editor");
  }
}
BENCHMARK(BM_KeystrokeInScript)
    ->Arg(0)
    ->Arg(1)
    ->Arg(5)
    ->Iterations(2000)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarvex

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
