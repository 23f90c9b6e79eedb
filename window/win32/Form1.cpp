#include "window/win32/Form1.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/WideText.h"
#include "window/WindowLayout.h"
#include "window/win32/ControlId.h"
#include "window/win32/ControlWindows.h"
#include "window/win32/DialogKeys.h"
#include "window/win32/OwnedMessageBox.h"
#include "window/win32/ResourceIds.h"

namespace zarvex {

namespace {

// A fixed frame with a minimise button: nothing in the window follows a change of size. The
// controls cover all but a one-pixel strip: the window erases only that, not everything beneath
// them before they paint over it.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = WS_EX_CONTROLPARENT;

COLORREF ColourOf(Rgb rgb) {
  return RGB(rgb.red, rgb.green, rgb.blue);
}

std::string ReadText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int read = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(read, 0)));
  return ToUtf8(text);
}

class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = old_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
  bool old_;
};

// Creation order: Windows stacks child windows in the order they are made, the first on top, and
// the dialog manager tabs through them in that order. So the controls that take the focus come
// first, in tab order, then the labels, and the picture last, at the bottom.
std::vector<const ControlLayout*> CreationOrder() {
  std::vector<const ControlLayout*> rows;
  for (const ControlLayout& row : kWindowLayout) {
    rows.push_back(&row);
  }
  std::stable_sort(rows.begin(), rows.end(), [](const ControlLayout* a, const ControlLayout* b) {
    if (StackLayer(a->kind) != StackLayer(b->kind)) {
      return StackLayer(a->kind) > StackLayer(b->kind);
    }
    return a->tabRank < b->tabRank;
  });
  return rows;
}

}  // namespace

Form1::Form1(FileReplacer& files, const TextEncoder& encoder, ScreenScale scale,
             std::filesystem::path gameFolder)
    : scale_(scale),
      controller_(EditorPlatform{
          [this](std::string_view message) { ShowOwnedMessageBox(Window(), message); }, files,
          encoder, TextUnits::kCodeUnits, std::move(gameFolder)}),
      fonts_(scale) {}

Form1::~Form1() {
  if (Window() != nullptr) {
    DestroyWindow(Window());
  }
  for (const HBRUSH brush : backBrushes_) {
    if (brush != nullptr) {
      DeleteObject(brush);
    }
  }
}

bool Form1::Create(HINSTANCE instance) {
  RECT frame{0, 0, scale_.Pixels(kClientWidthTwips), scale_.Pixels(kClientHeightTwips)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
  const std::wstring caption = ToUtf16(kWindowCaption);
  const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(ZARVEX_ICON));
  return CreateTopLevel(instance, caption.c_str(), kStyle, kExtendedStyle, frame.right - frame.left,
                        frame.bottom - frame.top, icon,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

void Form1::Show(int showCommand) {
  ShowWindow(Window(), showCommand);
  for (const Control control : TabOrder()) {
    if (IsWindowEnabled(ControlWindow(control))) {
      FocusControl(ControlWindow(control));
      break;
    }
  }
  // The window and every control paint now, before anything is shown: left to the message loop,
  // each control would paint on its own turn and the window would appear piece by piece.
  RedrawWindow(Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(reinterpret_cast<const CREATESTRUCTW*>(lParam)->hInstance);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (const LRESULT brush =
              OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return brush;
      }
      break;
    case WM_NEXTDLGCTL:
      // A multi-line edit box asks for this on Tab; without it the focus would stay there.
      OnNextControl(wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && IsChild(Window(), GetFocus())) {
        lastFocus_ = GetFocus();
      }
      break;
    case WM_SETFOCUS:
      // Coming back (after the message box, or from another program) the focus returns to the
      // control that had it.
      if (lastFocus_ != nullptr && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
      }
      return 0;
    case WM_DESTROY:
      controller_.Close();
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

void Form1::CreateControls(HINSTANCE instance) {
  const RECT picture = scale_.PixelRect(LayoutOf(Control::Image1));
  backdrop_ =
      std::make_unique<Backdrop>(instance, ZARVEX_BACKDROP_BITMAP,
                                 SIZE{picture.right - picture.left, picture.bottom - picture.top});

  for (const ControlLayout* row : CreationOrder()) {
    if (!row->label.empty() && row->kind != ControlKind::OptionBox) {
      CreateNameLabel(Window(), instance, row->label);
    }
    const HWND control = CreateControlWindow(Window(), instance, *row, scale_);
    controls_[IndexOf(row->name)] = control;
    if (row->kind == ControlKind::ScriptArea) {
      KeepScriptAreaKeys(control);
      KeepTextBoxEditing(control, *this);
    } else if (row->kind == ControlKind::ValueBox) {
      KeepTextBoxEditing(control, *this);
    } else if (row->kind == ControlKind::Button) {
      KeepButtonKeys(control);
    } else if (row->kind == ControlKind::OptionBox) {
      KeepOptionBoxKeys(control);
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(row->font)), FALSE);
    if (row->kind == ControlKind::DropDownList) {
      SizeOpenList(control);
    }
    if (row->backColour) {
      backBrushes_[IndexOf(row->name)] = CreateSolidBrush(ColourOf(*row->backColour));
    }
    if (row->kind == ControlKind::Picture && backdrop_->Bitmap() != nullptr) {
      SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(backdrop_->Bitmap()));
    }
  }

  // The start-up sequence fills the lists; the value boxes show their start values.
  FieldChanges start = controller_.Start();
  for (const Control box : {Control::Text1, Control::Text2, Control::Text3, Control::Text5}) {
    start.Add(box);
  }
  Refresh(start);
}

void Form1::OnCommand(int id, int notification) {
  const auto control = ControlOfId(id);
  // The window's own changes are not user actions; IDOK and IDCANCEL (Enter and Esc) name no
  // control, since neither button is a default or cancel button.
  if (updating_ || !control) {
    return;
  }
  if (IsOptionBox(*control) && notification == BN_CLICKED) {
    OnTick(*control);
  } else if (IsButton(*control) && notification == BN_CLICKED) {
    OnPress(*control);
  } else if (IsList(*control) && notification == CBN_SELCHANGE) {
    OnChoose(*control);
  } else if ((IsValueBox(*control) || *control == Control::Text6) && notification == EN_CHANGE) {
    OnTextChanged(*control);
  }
}

void Form1::OnTextChanged(Control box) {
  const HWND window = ControlWindow(box);
  // Reading the whole script costs its length, too much for every keystroke: the edit alone goes
  // to the controller, unless it came from outside, as from a screen reader.
  if (const auto edit = EditJustMade(window)) {
    Refresh(controller_.EditText(box, *edit));
  } else {
    Refresh(controller_.ChangeText(box, ReadText(window)));
  }
}

void Form1::OnTick(Control box) {
  const bool ticked = SendMessageW(ControlWindow(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
  Refresh(controller_.ChangeTick(box, ticked));
}

void Form1::OnChoose(Control list) {
  const LRESULT position = SendMessageW(ControlWindow(list), CB_GETCURSEL, 0, 0);
  if (position != CB_ERR) {
    Refresh(controller_.ChooseEntry(list, static_cast<std::size_t>(position)));
  }
}

void Form1::OnPress(Control button) {
  Refresh(controller_.PressButton(button));
}

void Form1::OnNextControl(WPARAM wParam, LPARAM lParam) {
  const HWND next = LOWORD(lParam) != 0
                        ? reinterpret_cast<HWND>(wParam)
                        : GetNextDlgTabItem(Window(), GetFocus(), wParam != 0 ? TRUE : FALSE);
  // Labels and the picture never take the focus, whoever names them.
  const auto control = ControlOfId(GetDlgCtrlID(next));
  if (control && LayoutOf(*control).tabRank > 0 && IsWindowEnabled(next)) {
    FocusControl(next);
  }
}

LRESULT Form1::OnColourStatic(HDC dc, HWND child) {
  const auto control = ControlOfId(GetDlgCtrlID(child));
  if (!control) {
    return 0;
  }
  const ControlLayout& row = LayoutOf(*control);
  if (row.kind == ControlKind::Label) {
    const RECT label = scale_.PixelRect(row);
    const RECT picture = scale_.PixelRect(LayoutOf(Control::Image1));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourOf(row.textColour.value_or(Rgb{})));
    return reinterpret_cast<LRESULT>(
        backdrop_->BrushBeneath(dc, {label.left - picture.left, label.top - picture.top}));
  }
  if (const HBRUSH brush = backBrushes_[IndexOf(*control)]) {
    SetBkColor(dc, ColourOf(*row.backColour));
    return reinterpret_cast<LRESULT>(brush);
  }
  return 0;
}

void Form1::Refresh(const FieldChanges& changes) {
  for (std::size_t index = 0; index < kControlCount; ++index) {
    const auto control = static_cast<Control>(index);
    if (!changes.Has(control)) {
      continue;
    }
    if (IsValueBox(control)) {
      ShowValueBox(control);
    } else if (IsList(control)) {
      ShowList(control);
    } else if (control == Control::Text6) {
      ShowScript(changes);
    }
  }
  if (changes.boxEdit) {
    ShowBoxEdit(*changes.boxEdit);
  }
}

void Form1::ShowValueBox(Control box) {
  const ScopedFlag updating(updating_);
  const ValueBox& value = controller_.State().Box(box);
  SetWindowTextW(ControlWindow(box), ToUtf16(value.text).c_str());
  EnableWindow(ControlWindow(box), value.enabled ? TRUE : FALSE);
}

void Form1::ShowList(Control list) {
  const ScopedFlag updating(updating_);
  const HWND window = ControlWindow(list);
  const ChoiceList& choices = controller_.State().List(list);
  SendMessageW(window, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : choices.entries) {
    SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(entry).c_str()));
  }
  SendMessageW(window, CB_SETCURSEL,
               choices.chosen ? static_cast<WPARAM>(*choices.chosen) : static_cast<WPARAM>(-1), 0);
}

void Form1::ShowScript(const FieldChanges& changes) {
  const ScopedFlag updating(updating_);
  const HWND area = ControlWindow(Control::Text6);
  const std::string& script = controller_.State().Text6;
  if (changes.scriptAppendedAt && *changes.scriptAppendedAt <= script.size()) {
    // Appending costs the length of the block, where setting the whole text would lay out the
    // whole script again.
    const std::wstring tail = ToUtf16(std::string_view(script).substr(*changes.scriptAppendedAt));
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(area));
    SendMessageW(area, EM_SETSEL, end, static_cast<LPARAM>(end));
    // Undoable, so the control's context menu offers Undo, which the editor's history answers.
    SendMessageW(area, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(tail.c_str()));
  } else {
    SetWindowTextW(area, ToUtf16(script).c_str());
  }
  SendMessageW(area, EM_SETSEL, 0, 0);
  SendMessageW(area, EM_SCROLLCARET, 0, 0);
}

void Form1::ShowBoxEdit(const FieldChanges::BoxEdit& edit) {
  const ScopedFlag updating(updating_);
  const HWND box = ControlWindow(edit.box);
  const auto from = static_cast<WPARAM>(edit.position);
  SendMessageW(box, EM_SETSEL, from, static_cast<LPARAM>(from + edit.removed));
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ToUtf16(edit.inserted).c_str()));
  SendMessageW(box, EM_SETSEL, edit.caret, static_cast<LPARAM>(edit.caret));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void Form1::UndoIn(HWND box, bool redo) {
  if (const auto control = ControlOfId(GetDlgCtrlID(box))) {
    Refresh(redo ? controller_.Redo(*control) : controller_.Undo(*control));
  }
}

bool Form1::CanUndoIn(HWND box) const {
  const auto control = ControlOfId(GetDlgCtrlID(box));
  return control && controller_.CanUndo(*control);
}

void Form1::DeleteWordIn(HWND box, bool forward) {
  if (const auto control = ControlOfId(GetDlgCtrlID(box))) {
    Refresh(controller_.DeleteWord(*control, SelectionOf(box), forward));
  }
}

void Form1::MoveByWordIn(HWND box, bool forward, bool extend) {
  if (const auto control = ControlOfId(GetDlgCtrlID(box))) {
    const TextSelection selection =
        controller_.MoveByWord(*control, SelectionOf(box), forward, extend);
    // The caret goes to the end given last.
    SendMessageW(box, EM_SETSEL, selection.anchor, static_cast<LPARAM>(selection.caret));
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
  }
}

void Form1::FocusControl(HWND control) {
  SetFocus(control);
  // A value box reached from the keyboard has its text selected, so typing replaces it; the script
  // area keeps its caret.
  const auto name = ControlOfId(GetDlgCtrlID(control));
  if (name && IsValueBox(*name)) {
    SendMessageW(control, EM_SETSEL, 0, -1);
  }
}

}  // namespace zarvex
