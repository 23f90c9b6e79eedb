// The Windows window as the user meets it: focus and the tab chain, keys, the lists, adding and
// saving, the message box, stacking, scaling and names. Needs a display (Wine with an X server).
#include "window/win32/Form1.h"

#include "TestSupport.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32AnsiEncoder.h"
#include "platform/win32/Win32FileReplacer.h"
#include "script/GameModeTable.h"
#include "window/GameFolder.h"
#include "window/win32/ControlId.h"
#include "window/win32/MessageLoop.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;

class RecordingFiles final : public FileReplacer {
 public:
  using FileReplacer::Replace;
  std::error_code Replace(const fs::path& path, Pieces contents) override {
    writes.emplace_back(path, testing::Joined(contents));
    return {};
  }
  std::vector<std::pair<fs::path, std::string>> writes;
};

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// One editor window, shown and active, with what it saved recorded.
class WindowUnderTest {
 public:
  explicit WindowUnderTest(int dotsPerInch = 96) : WindowUnderTest(dotsPerInch, nullptr, {}) {}
  // Saving through these files, under this game folder.
  WindowUnderTest(FileReplacer& files, fs::path gameFolder)
      : WindowUnderTest(96, &files, std::move(gameFolder)) {}

  HWND operator[](Control control) const { return form_.ControlWindow(control); }
  [[nodiscard]] HWND Window() const { return form_.Window(); }
  [[nodiscard]] const EditorState& State() const { return form_.Controller().State(); }
  [[nodiscard]] const EditorController& Controller() const { return form_.Controller(); }
  [[nodiscard]] const RecordingFiles& Files() const { return files_; }

  // Handles what is waiting, the way the editor's own loop does, including what the X server
  // sends back a moment later.
  void Settle() const {
    for (int round = 0; round < 5; ++round) {
      HandlePendingMessages(form_.Window());
      Sleep(5);
    }
    HandlePendingMessages(form_.Window());
  }

  // A key pressed and released where the focus is, through the message loop.
  void Press(UINT key) const {
    const HWND focus = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(focus, WM_KEYDOWN, key, scan | 1);
    PostMessageW(focus, WM_KEYUP, key, scan | 1 | (LPARAM{3} << 30));
    Settle();
  }

  void Type(std::wstring_view text) const {
    for (const wchar_t c : text) {
      PostMessageW(GetFocus(), WM_CHAR, c, 1);
    }
    Settle();
  }

  void Click(Control button) const {
    SendMessageW((*this)[button], BM_CLICK, 0, 0);
    Settle();
  }

  [[nodiscard]] std::optional<Control> Focused() const {
    const HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != form_.Window()) {
      return std::nullopt;
    }
    return ControlOfId(GetDlgCtrlID(focus));
  }

 private:
  WindowUnderTest(int dotsPerInch, FileReplacer* files, fs::path gameFolder)
      : form_(files != nullptr ? *files : files_, encoder_, ScreenScale(dotsPerInch),
              std::move(gameFolder)) {
    EXPECT_TRUE(form_.Create(GetModuleHandleW(nullptr)));
    form_.Show(SW_SHOWNORMAL);
    SetForegroundWindow(form_.Window());
    Settle();
  }

  RecordingFiles files_;
  // A Western system's.
  Win32AnsiEncoder encoder_{1252};
  Form1 form_;
};

// What a message box looked like while it was open; closes it the way a user would.
struct SeenMessageBox {
  bool seen = false;
  std::wstring title;
  std::wstring text;
  HWND owner = nullptr;
  bool ownerEnabled = true;
  std::vector<std::wstring> buttons;
  bool icon = false;
};

// Watches from another thread for a message box of the given thread, then presses its OK.
class MessageBoxWatcher {
 public:
  // A system thread: the Win32 thread model of the cross-compiler has no std::thread.
  explicit MessageBoxWatcher(DWORD uiThread)
      : uiThread_(uiThread), thread_(CreateThread(nullptr, 0, &Run, this, 0, nullptr)) {}
  ~MessageBoxWatcher() { Result(); }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  SeenMessageBox Result() {
    if (thread_ != nullptr) {
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
      thread_ = nullptr;
    }
    return seen_;
  }

 private:
  static DWORD WINAPI Run(void* watcher) {
    static_cast<MessageBoxWatcher*>(watcher)->Watch(
        static_cast<MessageBoxWatcher*>(watcher)->uiThread_);
    return 0;
  }

  void Watch(DWORD uiThread) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      HWND box = nullptr;
      EnumThreadWindows(uiThread, &FindDialog, reinterpret_cast<LPARAM>(&box));
      if (box != nullptr) {
        Describe(box);
        return;
      }
      Sleep(20);
    }
  }

  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring_view(className) == L"#32770" && IsWindowVisible(window)) {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }

  void Describe(HWND box) {
    seen_.seen = true;
    seen_.title = TextOf(box);
    seen_.text = TextOf(GetDlgItem(box, 0xFFFF));
    seen_.owner = GetWindow(box, GW_OWNER);
    seen_.ownerEnabled = IsWindowEnabled(seen_.owner) != FALSE;
    HWND ok = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t className[16] = {};
      GetClassNameW(child, className, 16);
      if (!IsWindowVisible(child)) {
        continue;
      }
      if (std::wstring_view(className) == L"Button") {
        seen_.buttons.push_back(TextOf(child));
        ok = child;
      } else if (std::wstring_view(className) == L"Static" &&
                 (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                 SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        seen_.icon = true;
      }
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  }

  SeenMessageBox seen_;
  DWORD uiThread_;
  HANDLE thread_;
};

TEST(Form1, StartsReadyForTheUser) {
  const WindowUnderTest window;
  EXPECT_EQ(TextOf(window.Window()), L"Zarvex Script Editor");
  {
    RECT client{};
    GetClientRect(window.Window(), &client);
    EXPECT_EQ(client.right, 392);
    EXPECT_EQ(client.bottom, 505);
  }
  {
    // The first control in tab order that can take the focus.
    EXPECT_EQ(window.Focused(), Control::Text5);
  }
  {
    const std::vector<std::pair<Control, std::wstring>> boxes = {{Control::Text1, L"0"},
                                                                 {Control::Text2, L"0"},
                                                                 {Control::Text3, L"0"},
                                                                 {Control::Text5, L"1"}};
    for (const auto& [box, text] : boxes) {
      SCOPED_TRACE(NameOf(box));
      EXPECT_EQ(TextOf(window[box]), text);
      EXPECT_EQ(IsWindowEnabled(window[box]) != FALSE, box == Control::Text5);
    }
  }
  {
    // The lists hold their entries in order, and none is chosen.
    for (const Control list : {Control::Combo1, Control::Combo2, Control::Combo3}) {
      SCOPED_TRACE(NameOf(list));
      const auto& entries = window.State().List(list).entries;
      ASSERT_EQ(SendMessageW(window[list], CB_GETCOUNT, 0, 0),
                static_cast<LRESULT>(entries.size()));
      for (std::size_t i = 0; i < entries.size(); ++i) {
        wchar_t entry[64] = {};
        SendMessageW(window[list], CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        EXPECT_EQ(std::wstring(entry), ToUtf16(entries[i]));
      }
      EXPECT_EQ(SendMessageW(window[list], CB_GETCURSEL, 0, 0), CB_ERR);
    }
    EXPECT_EQ(SendMessageW(window[Control::Combo1], CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SendMessageW(window[Control::Combo2], CB_GETCOUNT, 0, 0), 36);
    EXPECT_EQ(SendMessageW(window[Control::Combo3], CB_GETCOUNT, 0, 0), 55);
    // Filling the mode list chose no mode.
    EXPECT_EQ(window.Controller().Settings().modeKeyword, "FREE_FOR_ALL");
  }
  {
    EXPECT_EQ(GetWindowTextLengthW(window[Control::Text6]), 0);
    EXPECT_EQ(TextOf(window[Control::Command1]), L"Add to Script");
    EXPECT_EQ(TextOf(window[Control::Command2]), L"Save Script");
  }
}

TEST(Form1, TabMovesThroughTheControlsInOrder) {
  const WindowUnderTest window;
  window.Press(VK_TAB);
  EXPECT_EQ(window.Focused(), Control::Check1);
  {
    // The space bar ticks the box that has the focus, and the value box it governs opens.
    window.Press(VK_SPACE);
    EXPECT_EQ(SendMessageW(window[Control::Check1], BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(window.State().Check1);
    EXPECT_TRUE(IsWindowEnabled(window[Control::Text1]));
    EXPECT_EQ(TextOf(window[Control::Text1]), ToUtf16(window.State().Text1.text));
  }
  {
    // Once round: Text2 and Text3 are still disabled and skipped; the script area hands the
    // focus on (a multi-line edit box asks its parent to) and the chain starts again at Text1.
    const std::vector<Control> expected = {
        Control::Check2, Control::Check3, Control::Check4, Control::Check5,   Control::Check6,
        Control::Combo1, Control::Combo2, Control::Combo3, Control::Command1, Control::Command2,
        Control::Text6,  Control::Text1,  Control::Text5,  Control::Check1};
    std::vector<Control> visited;
    for (std::size_t step = 0; step < expected.size(); ++step) {
      window.Press(VK_TAB);
      visited.push_back(window.Focused().value_or(Control::Image1));
    }
    EXPECT_EQ(visited, expected);
  }
}

TEST(Form1, KeysDoWhatTheUserExpects) {
  const WindowUnderTest window;
  {
    // Enter and Esc press no button and close nothing.
    window.Press(VK_RETURN);
    window.Press(VK_ESCAPE);
    SetFocus(window[Control::Command1]);
    window.Press(VK_RETURN);
    EXPECT_TRUE(IsWindow(window.Window()));
    EXPECT_TRUE(window.State().Text6.empty());
    EXPECT_EQ(GetWindowTextLengthW(window[Control::Text6]), 0);
  }
  {
    // Typing is recorded as it happens.
    SetFocus(window[Control::Text5]);
    SendMessageW(window[Control::Text5], EM_SETSEL, 0, -1);
    window.Type(L"12");
    EXPECT_EQ(window.State().Text5.text, "12");
  }
  {
    // Arrow keys choose in a closed list, and choosing a mode sets the block's keyword.
    SetFocus(window[Control::Combo1]);
    window.Press(VK_DOWN);
    window.Press(VK_DOWN);
    EXPECT_EQ(SendMessageW(window[Control::Combo1], CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(window.State().Combo1.chosen, std::optional<std::size_t>(1));
    EXPECT_EQ(window.Controller().Settings().modeKeyword, GameModeTable[1].keyword);
  }
  {
    // Enter in the script area starts a new line, CR LF, and so does Ctrl+Enter, which types LF.
    SetFocus(window[Control::Text6]);
    window.Type(L"a");
    window.Press(VK_RETURN);
    window.Type(L"b\nc");
    EXPECT_EQ(TextOf(window[Control::Text6]), L"a\r\nb\r\nc");
    EXPECT_EQ(window.Focused(), Control::Text6);
  }
}

TEST(Form1, AddToScriptAppendsAndShowsTheTop) {
  const WindowUnderTest window;
  const HWND area = window[Control::Text6];
  SetFocus(window[Control::Command1]);
  window.Click(Control::Command1);
  {
    EXPECT_EQ(window.State().Text6.rfind("FREE_FOR_ALL\r\n", 0), 0u);
    EXPECT_TRUE(TextOf(area) == ToUtf16(window.State().Text6));
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(area, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    EXPECT_EQ(window.Focused(), Control::Command1);
  }
  {
    // Past the 30000 characters an edit box takes by default, and always back to the top.
    while (window.State().Text6.size() < 31000) {
      window.Click(Control::Command1);
    }
    SendMessageW(area, EM_LINESCROLL, 0, 40);
    ASSERT_GT(SendMessageW(area, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    window.Click(Control::Command1);
    EXPECT_TRUE(TextOf(area) == ToUtf16(window.State().Text6));
    EXPECT_EQ(SendMessageW(area, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    DWORD start = 1;
    SendMessageW(area, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(window.Focused(), Control::Command1);
  }
  {
    // A script the user ended without a line break: the block goes straight after it.
    SetFocus(area);
    SendMessageW(area, EM_SETSEL, 0, -1);
    window.Type(L"abc");
    ASSERT_EQ(TextOf(area), L"abc");
    SetFocus(window[Control::Command1]);
    window.Click(Control::Command1);
    EXPECT_EQ(window.State().Text6.rfind("abcFREE_FOR_ALL\r\n", 0), 0u);
    EXPECT_TRUE(TextOf(area) == ToUtf16(window.State().Text6));
  }
}

TEST(Form1, BadNumberShowsTheMessageBoxOverTheWindow) {
  const WindowUnderTest window;
  SetWindowTextW(window[Control::Text5], L"abc");  // as if typed
  window.Settle();
  ASSERT_EQ(window.State().Text5.text, "abc");
  SetFocus(window[Control::Command1]);

  MessageBoxWatcher watcher(GetCurrentThreadId());
  window.Click(Control::Command1);
  const SeenMessageBox box = watcher.Result();

  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.title, L"Project1");
  EXPECT_EQ(box.text, L"Must be a number!");
  EXPECT_EQ(box.owner, window.Window());
  EXPECT_FALSE(box.ownerEnabled);  // modal: the window takes no action while it is open
  EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_FALSE(box.icon);
  {
    window.Settle();
    EXPECT_TRUE(IsWindowEnabled(window.Window()));
    EXPECT_TRUE(window.State().Text6.empty());
    EXPECT_EQ(GetWindowTextLengthW(window[Control::Text6]), 0);
    EXPECT_EQ(TextOf(window[Control::Text5]), L"abc");
    EXPECT_EQ(window.Focused(), Control::Command1);
  }
}

TEST(Form1, SaveWritesTheScriptAndClosingWritesNothing) {
  auto window = std::make_unique<WindowUnderTest>();
  window->Click(Control::Command1);
  window->Click(Control::Command2);
  ASSERT_EQ(window->Files().writes.size(), 1u);
  EXPECT_EQ(window->Files().writes[0].first, fs::path("ASSETS") / "gamescript.txt");
  EXPECT_EQ(window->Files().writes[0].second, window->State().Text6 + "\r\n");
  {
    // Closing ends the editor at once: no prompt, no save.
    window->Click(Control::Command1);
    PostMessageW(window->Window(), WM_CLOSE, 0, 0);
    window->Settle();
    EXPECT_FALSE(IsWindow(window->Window()));
    EXPECT_TRUE(window->Controller().HasEnded());
    EXPECT_EQ(window->Files().writes.size(), 1u);
  }
}

// Stands in for SetCurrentDirectoryW in every module of the process while it lives, and counts
// the calls. It refuses each, as Windows does a folder past MAX_PATH - 2 characters where long
// paths are not enabled; Wine enters any folder.
class RefusedFolderChanges {
 public:
  RefusedFolderChanges()
      : entry_(reinterpret_cast<unsigned char*>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetCurrentDirectoryW")))) {
    std::memcpy(saved_, entry_, sizeof saved_);
    unsigned char jump[sizeof saved_] = {0xE9};  // jmp rel32
    const auto distance = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(&Refuse) -
                                                    reinterpret_cast<std::intptr_t>(entry_ + 5));
    std::memcpy(jump + 1, &distance, sizeof distance);
    Write(jump);
    calls_ = 0;
  }
  ~RefusedFolderChanges() { Write(saved_); }
  RefusedFolderChanges(const RefusedFolderChanges&) = delete;
  RefusedFolderChanges& operator=(const RefusedFolderChanges&) = delete;

  [[nodiscard]] static int Calls() { return calls_; }

 private:
  static BOOL WINAPI Refuse(const wchar_t*) {
    ++calls_;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  void Write(const unsigned char* bytes) {
    DWORD protection = 0;
    VirtualProtect(entry_, sizeof saved_, PAGE_EXECUTE_READWRITE, &protection);
    std::memcpy(entry_, bytes, sizeof saved_);
    VirtualProtect(entry_, sizeof saved_, protection, &protection);
    FlushInstructionCache(GetCurrentProcess(), entry_, sizeof saved_);
  }

  static inline int calls_ = 0;
  unsigned char* entry_;
  unsigned char saved_[5] = {};
};

// Runs the editor program with one argument; closes the message box it shows, which is given
// back, and its exit code.
std::pair<SeenMessageBox, DWORD> RunProgramWith(const std::wstring& argument) {
  std::wstring commandLine = L"\"" ZARVEX_PROGRAM L"\" \"" + argument + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    ADD_FAILURE() << "cannot start " << ToUtf8(commandLine);
    return {};
  }
  SeenMessageBox box = MessageBoxWatcher(started.dwThreadId).Result();
  DWORD exitCode = STILL_ACTIVE;
  if (WaitForSingleObject(started.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(started.hProcess, &exitCode);
  } else {
    TerminateProcess(started.hProcess, 1);
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return {box, exitCode};
}

TEST(Form1, StartsInAnyGameFolderAndNowhereElse) {
  const testing::ScratchWorkingDirectory scratch;
  {
    SCOPED_TRACE("a game folder of 300 characters, never entered: the window opens and saves");
    fs::path deep = scratch.Path();
    while (deep.native().size() < 240) {
      deep /= std::wstring(std::min<std::size_t>(60, 240 - deep.native().size() - 1), L'd');
    }
    // Only the last name crosses MAX_PATH, so that moving it out brings the rest within reach.
    deep /= std::wstring(300 - deep.native().size() - 1, L'd');
    fs::create_directories(deep / "ASSETS");
    Win32FileReplacer files;
    {
      const RefusedFolderChanges refused;
      const std::vector<fs::path> arguments = {deep};
      GameFolder folder = GameFolderOf(arguments);
      ASSERT_EQ(folder.refusal, "");
      WindowUnderTest window(files, std::move(folder.path));
      window.Click(Control::Command1);
      window.Click(Control::Command2);
      EXPECT_EQ(testing::ReadFile(deep / "ASSETS" / "gamescript.txt"),
                window.State().Text6 + "\r\n");
      EXPECT_EQ(RefusedFolderChanges::Calls(), 0);
    }
    fs::rename(deep, scratch.Path() / "deep");  // within reach of the scratch folder's clean-up
  }
  {
    SCOPED_TRACE("what cannot be a game folder: the message box, then exit code 2");
    testing::WriteFile("a file", "");
    const std::pair<std::wstring, std::wstring> refused[] = {
        {(scratch.Path() / "a file").native(), L"Cannot start in the game folder "},
        {(scratch.Path() / "no such game").native(), L"Cannot start in the game folder "},
        {L"", L"The game folder's name is empty"},
    };
    for (const auto& [argument, opening] : refused) {
      SCOPED_TRACE(ToUtf8(argument));
      const auto [box, exitCode] = RunProgramWith(argument);
      EXPECT_EQ(box.title, L"Zarvex Script Editor");
      EXPECT_EQ(box.text.substr(0, opening.size() + argument.size()), opening + argument);
      EXPECT_TRUE(box.icon);
      EXPECT_EQ(exitCode, 2u);
    }
  }
}

TEST(Form1, EveryEditOfTheScriptIsSavedAsShown) {
  WindowUnderTest window;
  const HWND area = window[Control::Text6];
  const auto select = [&](int from, int to) {
    SendMessageW(area, EM_SETSEL, static_cast<WPARAM>(from), to);
  };
  struct Step {
    const char* what;
    std::function<void()> edit;
    std::string saved;
  };
  // clang-format off
  const std::vector<Step> steps = {
      {"typing",            [&] { window.Type(L"ab"); },                          "ab"},
      {"Enter",             [&] { window.Press(VK_RETURN); },                     "ab\r\n"},
      {"Backspace",         [&] { window.Type(L"c"); window.Press(VK_BACK); },    "ab\r\n"},
      {"Backspace at a line break", [&] { window.Press(VK_BACK); },              "ab"},
      {"Delete",            [&] { select(0, 0); window.Press(VK_DELETE); },       "b"},
      {"a selection typed over", [&] { select(0, -1); window.Type(L"xyz"); },     "xyz"},
      {"cut",               [&] { select(1, 2); SendMessageW(area, WM_CUT, 0, 0); }, "xz"},
      {"paste",             [&] { select(2, 2); SendMessageW(area, WM_PASTE, 0, 0); }, "xzy"},
      {"undo",              [&] { SendMessageW(area, WM_UNDO, 0, 0); },           "xz"},
      {"text set from outside, as a screen reader does", [&] { SetWindowTextW(area, L"set"); }, "set"},
  };
  // clang-format on
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    SetFocus(area);
    step.edit();
    window.Settle();
    window.Click(Control::Command2);
    ASSERT_FALSE(window.Files().writes.empty());
    EXPECT_EQ(window.Files().writes.back().second, step.saved + "\r\n");
    EXPECT_EQ(TextOf(area), ToUtf16(step.saved));
  }
  {
    // A tick or a list choice straight after typing: the controller has the text as shown.
    SetFocus(area);
    window.Type(L"!");
    window.Click(Control::Check5);
    EXPECT_EQ(window.State().Text6, "!set");
    SetFocus(area);
    window.Type(L"?");
    SetFocus(window[Control::Combo2]);
    window.Press(VK_DOWN);
    EXPECT_EQ(window.State().Text6, "!?set");
  }
}

// Runs `keys` with Ctrl (and Shift) held, as far as the window reads the keyboard.
void WithKeysHeld(std::initializer_list<int> held, const std::function<void()>& keys) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  for (const int key : held) {
    state[key] |= 0x80;
  }
  SetKeyboardState(state);
  keys();
  for (const int key : held) {
    state[key] &= 0x7F;
  }
  SetKeyboardState(state);
}

// Wine's edit control is lenient where Windows' classic control acts on a message itself. While
// this lives, edit controls made after it do what Windows' may: type character 127 (which
// Ctrl+Backspace sends) and every control character the classic control is not documented to act
// on; paste, cut and copy on Ctrl+V, Ctrl+X and Ctrl+C without sending themselves WM_PASTE,
// WM_CUT or WM_COPY; and run their own undo on Ctrl+Z and on the WM_SYSCHAR of Alt+Backspace.
// A multi-line one takes Tab on its character, not its key-down: moving the focus on in a dialog,
// or typing a tab for Ctrl+Tab. WM_IME_CHAR is typed as WM_CHAR is, as Microsoft documents it for
// a Unicode window, not turned into WM_CHAR as Wine's does. Their context menu is not shown: it
// says whether its Undo would be enabled, which the control reads from its own undo buffer, never
// through EM_CANUNDO.
class ClassicEdit {
 public:
  ClassicEdit() { own_ = reinterpret_cast<WNDPROC>(SetEditProc(&Proc)); }
  ~ClassicEdit() { SetEditProc(own_); }
  ClassicEdit(const ClassicEdit&) = delete;
  ClassicEdit& operator=(const ClassicEdit&) = delete;

  // Whether the box's context menu would offer Undo if opened now, as by Shift+F10.
  static bool MenuOffersUndo(HWND box) {
    menuOffersUndo_ = false;
    SendMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), -1);
    return menuOffersUndo_;
  }

 private:
  static LONG_PTR SetEditProc(WNDPROC proc) {
    const HWND edit =
        CreateWindowExW(0, L"EDIT", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const auto old = static_cast<LONG_PTR>(
        SetClassLongPtrW(edit, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    DestroyWindow(edit);
    return old;
  }
  static LRESULT Own(HWND edit, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return CallWindowProcW(own_, edit, message, wParam, lParam);
  }
  static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCHAR && wParam == VK_BACK) {
      return Own(edit, EM_UNDO);
    }
    if (message == WM_IME_CHAR) {
      return Own(edit, WM_CHAR, wParam, lParam);
    }
    if (message == WM_CONTEXTMENU) {
      menuOffersUndo_ = Own(edit, EM_CANUNDO) != FALSE;
      return 0;
    }
    const bool multiLine = (GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) != 0;
    if (multiLine && message == WM_KEYDOWN && wParam == VK_TAB) {
      return 0;
    }
    if (multiLine && message == WM_CHAR && wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
      SendMessageW(GetParent(edit), WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, FALSE);
      return 0;
    }
    if (message != WM_CHAR) {
      return Own(edit, message, wParam, lParam);
    }
    switch (wParam) {
      case 0x03:
        return Own(edit, WM_COPY);
      case 0x16:
        return Own(edit, WM_PASTE);
      case 0x18:
        return Own(edit, WM_CUT);
      case 0x1A:
        return Own(edit, EM_UNDO);
      case VK_BACK:
      case '\n':
      case VK_RETURN:
        return Own(edit, message, wParam, lParam);
      default:
        if (wParam < 0x20 || wParam == 0x7F) {
          const wchar_t typed[] = {static_cast<wchar_t>(wParam), L'\0'};
          return Own(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
        }
        return Own(edit, message, wParam, lParam);
    }
  }
  static inline WNDPROC own_ = nullptr;
  static inline bool menuOffersUndo_ = false;
};

TEST(Form1, TextBoxesEditByTheEditorsRules) {
  const ClassicEdit classicEdit;
  WindowUnderTest window;
  const HWND area = window[Control::Text6];
  const auto textOf = [&](Control box) {
    return box == Control::Text6 ? window.State().Text6 : window.State().Box(box).text;
  };
  const auto shows = [&](Control box, const std::string& text) {
    EXPECT_EQ(textOf(box), text);
    EXPECT_EQ(TextOf(window[box]), ToUtf16(text));
  };
  // Ctrl and a letter come as TranslateMessage makes them: Ctrl+Z is character 26, and so on.
  {
    // Typing over the laps box's text, selected at start-up, is one step. The context menu
    // offers Undo exactly when there is a step to undo: not for a change that changed nothing.
    window.Type(L"1");
    EXPECT_FALSE(ClassicEdit::MenuOffersUndo(window[Control::Text5]));
    SendMessageW(window[Control::Text5], EM_SETSEL, 0, -1);
    window.Type(L"25");
    shows(Control::Text5, "25");
    EXPECT_TRUE(ClassicEdit::MenuOffersUndo(window[Control::Text5]));
    window.Type(L"\x1A");
    shows(Control::Text5, "1");
    EXPECT_FALSE(ClassicEdit::MenuOffersUndo(window[Control::Text5]));
  }
  {
    // Undo takes back Add to Script, then the typing before it; Ctrl+Shift+Z and Ctrl+Y put
    // both back, the block with the caret at the top as an add leaves it.
    SetFocus(area);
    window.Type(L"ab");
    window.Click(Control::Command1);
    const std::string added = window.State().Text6;
    SetFocus(area);
    window.Type(L"\x1A");
    EXPECT_EQ(window.State().Text6, "ab");
    SendMessageW(area, WM_UNDO, 0, 0);  // as the context menu's Undo
    EXPECT_EQ(window.State().Text6, "");
    WithKeysHeld({VK_SHIFT}, [&] { window.Type(L"\x1A"); });  // Ctrl+Shift+Z
    EXPECT_EQ(window.State().Text6, "ab");
    window.Type(L"\x19");
    EXPECT_EQ(window.State().Text6, added);
    EXPECT_EQ(TextOf(area), ToUtf16(added));
    DWORD start = 1;
    SendMessageW(area, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 0u);
  }
  for (const Control box : {Control::Text6, Control::Text5}) {
    SCOPED_TRACE(NameOf(box));
    SetFocus(window[box]);
    const std::string before = textOf(box);
    {
      // Ctrl+A selects all, and what is typed then replaces it; Ctrl+Z brings it back, and so
      // does Alt+Backspace after Ctrl+Y.
      SendMessageW(window[box], EM_SETSEL, 1, 1);
      window.Type(
          L"\x01"
          L"7");
      shows(box, "7");
      window.Type(L"\x1A");
      shows(box, before);
      window.Type(L"\x19");
      shows(box, "7");
      // Alt+Backspace: the key-down, and the WM_SYSCHAR that TranslateMessage makes of it.
      PostMessageW(window[box], WM_SYSKEYDOWN, VK_BACK, LPARAM{1} | (LPARAM{1} << 29));
      window.Settle();
      shows(box, before);
    }
    {
      // A paste is a step of its own, even of one character, and what is typed after it another.
      SendMessageW(window[box], EM_SETSEL, 0, 1);
      SendMessageW(window[box], WM_COPY, 0, 0);
      SendMessageW(window[box], EM_SETSEL, 1, 1);
      window.Type(
          L"\x16"
          L"q");
      const std::string first = before.substr(0, 1);
      shows(box, first + first + "q" + before.substr(1));
      window.Type(L"\x1A");
      shows(box, first + before);
      window.Type(L"\x1A");
      shows(box, before);
    }
    {
      // Ctrl+Backspace removes the word before the caret, and the DEL that Windows then types
      // stays out of the text.
      SendMessageW(window[box], EM_SETSEL, 0, -1);
      window.Type(L"abc def");
      WithKeysHeld({VK_CONTROL}, [&] {
        window.Press(VK_BACK);
        window.Type(L"\x7F");
      });
      shows(box, "abc ");
    }
  }
  {
    // Ctrl+Delete removes one word, not all up to the line's end.
    SetFocus(area);
    SendMessageW(area, EM_SETSEL, 0, -1);
    window.Type(L"abc.def ghi\r");
    SendMessageW(area, EM_SETSEL, 4, 4);
    WithKeysHeld({VK_CONTROL}, [&] { window.Press(VK_DELETE); });
    shows(Control::Text6, "abc.ghi\r\n");
  }
  {
    // Ctrl+Left stops where the editor's word stops are, and with Shift widens the selection
    // from where the caret is.
    SendMessageW(area, EM_SETSEL, 7, 7);
    WithKeysHeld({VK_CONTROL, VK_SHIFT}, [&] {
      window.Press(VK_LEFT);
      window.Press(VK_LEFT);
    });
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(area, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 7u);
  }
  {
    // Ctrl+Tab in the script area moves the focus on as Tab does, Ctrl+Shift+Tab back, and
    // neither types; Ctrl+K and Ctrl+U, no keys of the editor's, change no text.
    SendMessageW(area, EM_SETSEL, 0, -1);
    window.Type(L"x");
    const auto ctrlTab = [&](std::initializer_list<int> held) {
      SetFocus(area);
      WithKeysHeld(held, [&] {
        window.Press(VK_TAB);
        PostMessageW(area, WM_CHAR, VK_TAB, 1);
        window.Settle();
      });
    };
    ctrlTab({VK_CONTROL});
    EXPECT_EQ(window.Focused(), Control::Text5);
    ctrlTab({VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(window.Focused(), Control::Command2);
    shows(Control::Text6, "x");
    for (const Control box : {Control::Text6, Control::Text5}) {
      SCOPED_TRACE(NameOf(box));
      SetFocus(window[box]);
      const std::string before = textOf(box);
      WithKeysHeld({VK_CONTROL}, [&] {
        window.Press('K');
        window.Press('U');
        window.Type(
            L"\x0B"
            L"\x15");
      });
      shows(box, before);
    }
  }
  {
    // A character beyond the Basic Multilingual Plane comes as two halves and is one character:
    // one step, two units on screen, "?" in a Windows-1252 file. A half alone is U+FFFD, on
    // screen as in the file.
    const std::string before = window.State().Text6;
    SetFocus(area);
    SendMessageW(area, EM_SETSEL, 0, -1);
    window.Type(
        L"a\xD83D\xDE97"
        L"b");
    shows(Control::Text6,
          "a\xF0\x9F\x9A\x97"
          "b");
    window.Type(L"\x1A");
    shows(Control::Text6, before);
    window.Type(L"\x19");
    window.Click(Control::Command2);
    EXPECT_EQ(window.Files().writes.back().second, "a?b\r\n");
    SetFocus(area);
    SendMessageW(area, EM_SETSEL, 1, 3);
    window.Type(L"c");
    shows(Control::Text6, "acb");
    for (const wchar_t half :
         {wchar_t{0xD83D}, wchar_t{0xDE97}}) {  // as an input method may send it
      PostMessageW(area, WM_IME_CHAR, half, 1);
    }
    window.Settle();
    shows(Control::Text6,
          "ac\xF0\x9F\x9A\x97"
          "b");
    SendMessageW(area, EM_SETSEL, 0, -1);
    window.Type(
        L"\xD83D"
        L"d");
    shows(Control::Text6,
          "\xEF\xBF\xBD"
          "d");
    window.Click(Control::Command2);
    EXPECT_EQ(window.Files().writes.back().second, "?d\r\n");
  }
  {
    // Text set from outside leaves the control nothing to undo, the editor a step: the menu
    // offers Undo, and opening it changes neither the text, the selection nor the steps.
    SetWindowTextW(area, L"set");
    window.Settle();
    SendMessageW(area, EM_SETSEL, 1, 2);
    EXPECT_TRUE(ClassicEdit::MenuOffersUndo(area));
    shows(Control::Text6, "set");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(area, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 2u);
    SetFocus(area);
    window.Type(L"\x1A");
    shows(Control::Text6,
          "\xEF\xBF\xBD"
          "d");
  }
}

TEST(Form1, ControlsStackAsDesigned) {
  const WindowUnderTest window;
  const auto controlAt = [&](int x, int y) {
    const HWND child = ChildWindowFromPointEx(window.Window(), POINT{x, y}, CWP_SKIPINVISIBLE);
    return ControlOfId(GetDlgCtrlID(child));
  };
  // Where "Server Car>>>" reaches into its list, the list lies on top.
  EXPECT_EQ(controlAt(171, 245), Control::Combo3);
  // A label lies above the picture, and the picture shows where nothing else is.
  EXPECT_EQ(controlAt(100, 30), Control::Label9);
  EXPECT_EQ(controlAt(10, 150), Control::Image1);
  // The script area starts one pixel below the picture.
  EXPECT_EQ(controlAt(10, 312), Control::Text6);
}

TEST(Form1, LabelsShowThePictureThrough) {
  const WindowUnderTest window;
  RedrawWindow(window.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  window.Settle();
  // "<<<Race type" in maroon over the dark picture: its letters are maroon, and nothing in its
  // rectangle is the grey of an opaque label.
  RECT label{};
  GetWindowRect(window[Control::Label10], &label);
  MapWindowPoints(nullptr, window.Window(), reinterpret_cast<POINT*>(&label), 2);
  const HDC dc = GetDC(window.Window());
  int maroon = 0;
  int grey = 0;
  for (int y = label.top; y < label.bottom; ++y) {
    for (int x = label.left; x < label.right; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      maroon += pixel == RGB(128, 0, 0) ? 1 : 0;
      grey += pixel == GetSysColor(COLOR_BTNFACE) ? 1 : 0;
    }
  }
  ReleaseDC(window.Window(), dc);
  EXPECT_GT(maroon, 20);
  EXPECT_EQ(grey, 0);
}

TEST(Form1, ScalesWithTheScreensResolution) {
  // 120 dots per inch: 8 twips to a pixel, and the window still fits the test's screen.
  const WindowUnderTest window(120);
  RECT client{};
  GetClientRect(window.Window(), &client);
  EXPECT_EQ(client.right, 490);
  EXPECT_EQ(client.bottom, 631);
  {
    RECT area{};
    GetWindowRect(window[Control::Text6], &area);
    MapWindowPoints(nullptr, window.Window(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 390);     // 4680 twips
    EXPECT_EQ(area.right, 491);   // 5895 twips: one pixel past the client area, cut off there
    EXPECT_EQ(area.bottom, 631);  // 4680 + 2895 twips
  }
  {
    // 8.25 points at 120 dots per inch: 13.75 pixels, rounded.
    const auto fontOf = [&](Control control) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window[control], WM_GETFONT, 0, 0)),
                 sizeof font, &font);
      return font;
    };
    const LOGFONTW label = fontOf(Control::Label1);
    EXPECT_EQ(label.lfHeight, -14);
    EXPECT_EQ(label.lfWeight, FW_BOLD);
    EXPECT_EQ(std::wstring(label.lfFaceName), L"Arial");
    const LOGFONTW script = fontOf(Control::Text6);
    EXPECT_EQ(script.lfHeight, -14);
    EXPECT_EQ(script.lfWeight, FW_NORMAL);
    EXPECT_EQ(std::wstring(script.lfFaceName), L"Verdana");
    EXPECT_EQ(std::wstring(fontOf(Control::Command1).lfFaceName), L"MS Sans Serif");
  }
}

// Gives a list's window a border one pixel thicker on each side than the system's own.
LRESULT CALLBACK WithThickerBorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetPropW(window, L"ZarvexTestOwnProcedure"));
  const LRESULT result = CallWindowProcW(own, window, message, wParam, lParam);
  if (message == WM_NCCALCSIZE) {
    // Either form of the message begins with the client rectangle.
    InflateRect(reinterpret_cast<RECT*>(lParam), -1, -1);
  }
  return result;
}

TEST(Form1, OpenListsShowEightEntries) {
  // Measured open, as the player sees it: CB_GETDROPPEDCONTROLRECT spans the closed field too on
  // Windows but not under Wine. A list of fewer entries opens as high as they need. Windows may
  // draw the open list's border thicker than SM_CYBORDER says.
  for (const bool thickerBorder : {false, true}) {
    for (const int dotsPerInch : {96, 144}) {
      const WindowUnderTest window(dotsPerInch);
      for (const Control list : {Control::Combo1, Control::Combo2, Control::Combo3}) {
        SCOPED_TRACE(std::string(NameOf(list)) + " at " + std::to_string(dotsPerInch) + " dpi" +
                     (thickerBorder ? ", border one pixel thicker" : ""));
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof parts;
        GetComboBoxInfo(window[list], &parts);
        if (thickerBorder) {
          SetPropW(parts.hwndList, L"ZarvexTestOwnProcedure",
                   reinterpret_cast<HANDLE>(GetWindowLongPtrW(parts.hwndList, GWLP_WNDPROC)));
          SetWindowLongPtrW(parts.hwndList, GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(&WithThickerBorder));
          SetWindowPos(parts.hwndList, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        SendMessageW(window[list], CB_SHOWDROPDOWN, TRUE, 0);
        RECT open{};
        GetClientRect(parts.hwndList, &open);
        SendMessageW(window[list], CB_SHOWDROPDOWN, FALSE, 0);
        const auto entry = SendMessageW(window[list], CB_GETITEMHEIGHT, 0, 0);
        const auto count = SendMessageW(window[list], CB_GETCOUNT, 0, 0);
        // A shorter list the control sizes to its entries, by its own idea of the border.
        if (!thickerBorder || count >= 8) {
          EXPECT_EQ(open.bottom, std::min<LRESULT>(8, count) * entry);
        }
      }
    }
  }
}

// The name accessibility tools read for a control, through MSAA.
std::wstring AccessibleNameOf(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&accessible)))) {
    return L"(no accessible object)";
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring result;
  if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
    result = name;
    SysFreeString(name);
  }
  accessible->Release();
  return result;
}

TEST(Form1, BoxesAndListsAreNamedByTheirLabels) {
  const WindowUnderTest window;
  CoInitialize(nullptr);
  const std::vector<std::pair<Control, std::wstring>> named = {
      {Control::Check1, L"Wasted Limit"}, {Control::Check6, L"Server set car"},
      {Control::Text1, L"Wasted Limit"},  {Control::Text5, L"Laps"},
      {Control::Combo1, L"Race type"},    {Control::Combo2, L"Track"},
      {Control::Combo3, L"Server Car"},   {Control::Text6, L"Script"}};
  for (const auto& [control, name] : named) {
    SCOPED_TRACE(NameOf(control));
    if (IsOptionBox(control)) {
      // A tick box is named by its own text, which its width leaves no room to show: the box
      // it draws is 13 pixels wide at 96 dots per inch, and the text would start beyond it.
      EXPECT_EQ(TextOf(window[control]), name);
      RECT box{};
      GetClientRect(window[control], &box);
      EXPECT_LE(box.right, 13);
    } else {
      // Edit boxes and lists are named by the label just above them in z-order, which takes no
      // room on screen.
      const HWND label = GetWindow(window[control], GW_HWNDPREV);
      wchar_t className[16] = {};
      GetClassNameW(label, className, 16);
      EXPECT_EQ(std::wstring(className), L"Static");
      EXPECT_EQ(TextOf(label), name);
      RECT size{};
      GetClientRect(label, &size);
      EXPECT_EQ(size.right, 0);
      EXPECT_EQ(size.bottom, 0);
    }
    // Wine's MSAA reads the names of tick boxes and edit boxes but gives lists none, so lists
    // are checked by their label alone.
    if (!IsList(control)) {
      EXPECT_EQ(AccessibleNameOf(window[control]), name);
    }
  }
  CoUninitialize();
}

}  // namespace
}  // namespace zarvex
