// A shown and active editor window for one test, with its controls found by name and every save
// recorded instead of written, so no test touches the disk.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <filesystem>
#include <string>
#include <string_view>

#include "TestSupport.h"
#include "platform/FileReplacer.h"
#include "script/Control.h"
#include "window/qt/Form1.h"

namespace zarvex::testing {

class RecordingFileReplacer : public FileReplacer {
 public:
  using FileReplacer::Replace;
  std::error_code Replace(const std::filesystem::path& path, Pieces contents) override {
    ++saves;
    lastPath = path;
    lastBytes = testing::Joined(contents);
    return {};
  }

  int saves = 0;
  std::filesystem::path lastPath;
  std::string lastBytes;
};

class WindowUnderTest {
 public:
  WindowUnderTest();

  Form1& Window() { return window_; }
  const EditorState& State() const { return window_.Controller().State(); }
  const ScriptSettings& Settings() const { return window_.Controller().Settings(); }
  RecordingFileReplacer& Files() { return files_; }

  // The control of that name; fails the test when the window has none.
  template <class Widget>
  Widget& Find(Control control) {
    auto* widget = window_.findChild<Widget*>(QString::fromUtf8(NameOf(control).data()));
    if (widget == nullptr) {
      throw std::runtime_error("the window has no " + std::string(NameOf(control)));
    }
    return *widget;
  }

  // The focus widget's name, or "" when nothing has the focus.
  [[nodiscard]] static std::string FocusName();

  // Presses a key where the focus is, as the keyboard would.
  static void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  // Clicks the middle of a control through the window system, so modality applies.
  void ClickThroughWindow(Control control);

 private:
  RecordingFileReplacer files_;
  Form1 window_;
};

// The script area's document as the file would hold it: raw characters, CR LF between lines.
[[nodiscard]] std::string DocumentText(const QPlainTextEdit& area);

}  // namespace zarvex::testing
