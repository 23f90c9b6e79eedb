// Starts one program and times its window from outside: how long from the start until the window
// is mapped, until it first shows anything but the screen beneath it (first paint), and until it
// looks as it will stay (settled); then its peak memory, read just before it is stopped. Neither
// program is changed or told anything, so the editor and its baseline are measured alike.
//
//   startup-probe [options] -- program [arguments...]
//     --caption TEXT        the window to wait for (default "Zarvex Script Editor")
//     --interval-ms N       how often the window is copied once mapped, until its first paint
//                           (default 5)
//     --settle-interval-ms N  how often after that, until it settles (default 20)
//     --quiet-ms N          how long it must stay unchanged to count as settled (default 1000)
//     --timeout-ms N        gives up after this long (default 120000)
//     --log FILE            where the program's output goes (default: nowhere)
//     --memory-of NAME      measures the newest process whose command line names the program file
//                           NAME, instead of the started one (Wine runs the program in a process
//                           of its own, not a child of the launcher)
//     --verbose             one line per distinct frame on standard error
//     --save-frames FOLDER  also writes each distinct frame there as a PPM picture
// Prints one line: mapped_ms=.. painted_ms=.. settled_ms=.. frames=.. hwm_kib=.. rss_kib=..
// process=.. . Needs DISPLAY to name an X server without a window manager (Xvfb).
#include <getopt.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/startup/FrameHistory.h"
#include "bench/startup/ProgramProcess.h"
#include "bench/startup/WindowWatch.h"

namespace {

using zarvex::startup::CountDifferences;
using zarvex::startup::FindProgram;
using zarvex::startup::FrameHistory;
using zarvex::startup::HasEnded;
using zarvex::startup::Pixels;
using zarvex::startup::ProcessName;
using zarvex::startup::ScreenRect;
using zarvex::startup::StartProgram;
using zarvex::startup::StatusKib;
using zarvex::startup::StopChild;
using zarvex::startup::StopOther;
using zarvex::startup::WindowWatch;
using Clock = std::chrono::steady_clock;

struct Options {
  std::string caption = "Zarvex Script Editor";
  int intervalMs = 5;
  int settleIntervalMs = 20;
  int quietMs = 1000;
  int timeoutMs = 120000;
  std::string log = "/dev/null";
  std::string memoryOf;
  std::string saveFrames;
  bool verbose = false;
  std::vector<std::string> command;
};

Options ParseOptions(int argc, char* argv[]) {
  enum Option {
    kCaption,
    kIntervalMs,
    kSettleIntervalMs,
    kQuietMs,
    kTimeoutMs,
    kLog,
    kMemoryOf,
    kSaveFrames,
    kVerbose
  };
  static const option kOptions[] = {
      {"caption", required_argument, nullptr, kCaption},
      {"interval-ms", required_argument, nullptr, kIntervalMs},
      {"settle-interval-ms", required_argument, nullptr, kSettleIntervalMs},
      {"quiet-ms", required_argument, nullptr, kQuietMs},
      {"timeout-ms", required_argument, nullptr, kTimeoutMs},
      {"log", required_argument, nullptr, kLog},
      {"memory-of", required_argument, nullptr, kMemoryOf},
      {"save-frames", required_argument, nullptr, kSaveFrames},
      {"verbose", no_argument, nullptr, kVerbose},
      {nullptr, 0, nullptr, 0}};
  Options options;
  // "+": the program's own arguments after the first non-option are left alone.
  for (int found; (found = getopt_long(argc, argv, "+", kOptions, nullptr)) != -1;) {
    switch (found) {
      case kCaption:
        options.caption = optarg;
        break;
      case kIntervalMs:
        options.intervalMs = std::stoi(optarg);
        break;
      case kSettleIntervalMs:
        options.settleIntervalMs = std::stoi(optarg);
        break;
      case kQuietMs:
        options.quietMs = std::stoi(optarg);
        break;
      case kTimeoutMs:
        options.timeoutMs = std::stoi(optarg);
        break;
      case kLog:
        options.log = optarg;
        break;
      case kMemoryOf:
        options.memoryOf = optarg;
        break;
      case kSaveFrames:
        options.saveFrames = optarg;
        break;
      case kVerbose:
        options.verbose = true;
        break;
      default:
        throw std::invalid_argument("see the options at the top of StartupProbe.cpp");
    }
  }
  options.command.assign(argv + optind, argv + argc);
  if (options.command.empty()) {
    throw std::invalid_argument("no program to start; usage: startup-probe [options] -- program");
  }
  return options;
}

Pixels Crop(const Pixels& screen, const ScreenRect& screenRect, const ScreenRect& rect) {
  Pixels part;
  for (int y = rect.y; y < rect.y + rect.height; ++y) {
    for (int x = rect.x; x < rect.x + rect.width; ++x) {
      part.push_back(
          screen[static_cast<std::size_t>(y) * static_cast<std::size_t>(screenRect.width) +
                 static_cast<std::size_t>(x)]);
    }
  }
  return part;
}

// A binary PPM, which every image viewer and ImageMagick read.
void SavePicture(const std::filesystem::path& path, const Pixels& pixels, const ScreenRect& rect) {
  std::ofstream file(path, std::ios::binary);
  file << "P6\n" << rect.width << ' ' << rect.height << "\n255\n";
  for (const std::uint32_t pixel : pixels) {
    const char rgb[] = {static_cast<char>((pixel >> 16) & 0xFF),
                        static_cast<char>((pixel >> 8) & 0xFF), static_cast<char>(pixel & 0xFF)};
    file.write(rgb, sizeof rgb);
  }
}

bool Within(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Stops the started program and, under Wine, the process that runs the program file.
void StopAll(const Options& options, pid_t pid) {
  if (!options.memoryOf.empty()) {
    if (const pid_t program = FindProgram(options.memoryOf, pid); program != pid) {
      StopOther(program);
    }
  }
  StopChild(pid);
}

int Probe(const Options& options) {
  WindowWatch watch(options.caption);
  const ScreenRect screen = watch.Screen();
  // What lies beneath the window before it exists: its first paint is its first difference.
  Pixels before;
  if (!watch.Grab(screen, before)) {
    throw std::runtime_error("cannot copy the screen");
  }

  const auto started = Clock::now();
  const auto elapsedMs = [started] {
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
  };
  const pid_t pid = StartProgram(options.command, options.log);
  const auto fail = [&options, pid](const std::string& why) {
    std::fprintf(stderr, "startup-probe: %s\n", why.c_str());
    StopAll(options, pid);
    return 1;
  };
  if (options.verbose) {
    std::fprintf(stderr, "started at %.3f ms of the monotonic clock\n",
                 std::chrono::duration<double, std::milli>(started.time_since_epoch()).count());
  }

  while (!watch.WaitForWindow(options.intervalMs)) {
    if (HasEnded(pid)) {
      return fail("the program ended before its window was shown");
    }
    if (elapsedMs() > options.timeoutMs) {
      return fail("no window named \"" + options.caption + "\" in time");
    }
  }
  const double mappedMs = elapsedMs();
  const auto rect = watch.WindowRect();
  if (!rect || !Within(*rect, screen)) {
    return fail("the window is not wholly on the screen");
  }
  const Pixels beneath = Crop(before, screen, *rect);
  FrameHistory history(beneath, static_cast<std::size_t>(rect->width * rect->height) / 1000);

  // Copies come often until the first paint, which is the figure that needs the finest grain,
  // and less often while waiting for the window to settle, so the probe takes less of the
  // processor from the program it times.
  Pixels frame;
  Pixels previous;
  auto next = Clock::now();
  for (;;) {
    const auto now = watch.WindowRect();
    if (!now || !SameRect(*now, *rect)) {
      return fail("the window moved, changed its size or went away while starting");
    }
    if (!watch.Grab(*rect, frame)) {
      return fail("the window could not be copied");
    }
    const double ms = elapsedMs();
    // Only for looking into a start: the copies cost time the program would otherwise have.
    if ((options.verbose || !options.saveFrames.empty()) && frame != previous) {
      if (options.verbose) {
        std::fprintf(
            stderr,
            "frame %8.1f ms: %zu pixels differ from the screen beneath, %zu from the frame "
            "before\n",
            ms, CountDifferences(frame, beneath),
            previous.empty() ? frame.size() : CountDifferences(frame, previous));
      }
      if (!options.saveFrames.empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%07.1f-ms.ppm", ms);
        SavePicture(std::filesystem::path(options.saveFrames) / name, frame, *rect);
      }
      previous = frame;
    }
    history.Add(ms, frame);
    if (history.SettledSince() && ms - *history.SettledSince() >= options.quietMs) {
      break;
    }
    if (ms > options.timeoutMs) {
      return fail("the window did not settle in time");
    }
    if (HasEnded(pid)) {
      return fail("the program ended while starting");
    }
    next += std::chrono::milliseconds(history.FirstPaint() ? options.settleIntervalMs
                                                           : options.intervalMs);
    if (next < Clock::now()) {
      next = Clock::now();
    }
    std::this_thread::sleep_until(next);
  }

  const pid_t measured = options.memoryOf.empty() ? pid : FindProgram(options.memoryOf, pid);
  if (!options.memoryOf.empty() && measured == pid) {
    return fail("no process runs " + options.memoryOf);
  }
  const long peakKib = StatusKib(measured, "VmHWM");
  const long residentKib = StatusKib(measured, "VmRSS");
  const std::string process = ProcessName(measured);
  StopAll(options, pid);
  std::printf(
      "mapped_ms=%.1f painted_ms=%.1f settled_ms=%.1f frames=%zu hwm_kib=%ld rss_kib=%ld "
      "process=%s\n",
      mappedMs, *history.FirstPaint(), *history.SettledSince(), history.DistinctFrames(), peakKib,
      residentKib, process.c_str());
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    return Probe(ParseOptions(argc, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "startup-probe: %s\n", error.what());
    return 2;
  }
}
