// The editor's window on Windows, built with the Win32 API from the shared layout table. It owns
// the controller, forwards each user action to it and shows the fields it says changed; its own
// changes to controls never count as user actions.
#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/FileReplacer.h"
#include "platform/TextEncoder.h"
#include "script/Control.h"
#include "window/EditorController.h"
#include "window/FieldChanges.h"
#include "window/win32/Backdrop.h"
#include "window/win32/BaseWindow.h"
#include "window/win32/ScreenScale.h"
#include "window/win32/TextBoxEditing.h"
#include "window/win32/WindowFonts.h"

namespace zarvex {

class Form1 final : public BaseWindow<Form1>, private TextBoxEditor {
 public:
  static constexpr const wchar_t* kClassName = L"ZarvexScriptEditorForm1";

  // The file writer and encoder must outlive the window. The script is saved under the game's
  // folder, a whole path (empty for the working directory).
  Form1(FileReplacer& files, const TextEncoder& encoder, ScreenScale scale,
        std::filesystem::path gameFolder);
  ~Form1();

  // Creates the window and its controls and runs the start-up sequence, without showing it.
  bool Create(HINSTANCE instance);

  // Shows the window with the focus on the first control in tab order that can take it, as if the
  // user had tabbed there.
  void Show(int showCommand);

  [[nodiscard]] HWND ControlWindow(Control control) const { return controls_[IndexOf(control)]; }
  [[nodiscard]] const EditorController& Controller() const { return controller_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateControls(HINSTANCE instance);
  void OnCommand(int id, int notification);
  void OnTextChanged(Control box);
  void OnTick(Control box);
  void OnChoose(Control list);
  void OnPress(Control button);
  void OnNextControl(WPARAM wParam, LPARAM lParam);
  LRESULT OnColourStatic(HDC dc, HWND control);

  void Refresh(const FieldChanges& changes);
  void ShowValueBox(Control box);
  void ShowList(Control list);
  void ShowScript(const FieldChanges& changes);
  void ShowBoxEdit(const FieldChanges::BoxEdit& edit);
  void FocusControl(HWND control);

  // The editing keys of the text boxes.
  void UndoIn(HWND box, bool redo) override;
  [[nodiscard]] bool CanUndoIn(HWND box) const override;
  void DeleteWordIn(HWND box, bool forward) override;
  void MoveByWordIn(HWND box, bool forward, bool extend) override;

  ScreenScale scale_;
  EditorController controller_;
  WindowFonts fonts_;
  std::unique_ptr<Backdrop> backdrop_;
  std::array<HWND, kControlCount> controls_{};
  std::array<HBRUSH, kControlCount> backBrushes_{};
  HWND lastFocus_ = nullptr;
  // Set while the window itself changes a control, whose notifications are then not the user's.
  bool updating_ = false;
};

}  // namespace zarvex
