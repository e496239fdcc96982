// SPDX-License-Identifier: MIT
#include "windows/main_window.h"

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "model/utf16.h"
#include "window/elements.h"
#include "windows/controls/button.h"
#include "windows/controls/display_field.h"
#include "windows/element_ids.h"

namespace qzd::windows {
namespace {

using window::ElementId;

// The keys other than letters that the command table names, by their virtual-key codes.
constexpr std::array<std::pair<WPARAM, window::NamedKey>, 6> kNamedKeys = {{
    {VK_RETURN, window::NamedKey::kEnter},
    {VK_SPACE, window::NamedKey::kSpace},
    {VK_ESCAPE, window::NamedKey::kEscape},
    {VK_F5, window::NamedKey::kF5},
    {VK_PRIOR, window::NamedKey::kPageUp},
    {VK_NEXT, window::NamedKey::kPageDown},
}};

std::optional<window::KeyChord> ChordOf(WPARAM virtualKey) {
  window::KeyChord chord;
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    chord.key = static_cast<std::uint16_t>(virtualKey);  // a letter's key code is its ASCII code
  } else {
    const auto* named = std::find_if(kNamedKeys.begin(), kNamedKeys.end(),
                                     [&](const auto& row) { return row.first == virtualKey; });
    if (named == kNamedKeys.end()) return std::nullopt;
    chord.key = static_cast<std::uint16_t>(named->second);
  }
  chord.control = ::GetKeyState(VK_CONTROL) < 0;
  chord.shift = ::GetKeyState(VK_SHIFT) < 0;
  return chord;
}

// A path as Windows writes it in full, from the current folder; as given when it has none.
std::wstring FullPath(const std::wstring& path) {
  std::wstring full(::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr) + 1, L'\0');
  const DWORD length =
      ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return full;
}

}  // namespace

TmainForm::TmainForm(HINSTANCE instance) : instance_(instance) {}

// The window goes first, with every control's window; the controls and their fonts after it.
TmainForm::~TmainForm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

void TmainForm::RegisterClass() {
  WNDCLASSEXW main{};
  main.cbSize = sizeof(main);
  main.lpfnWndProc = Procedure;
  main.hInstance = instance_;
  main.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(1));
  main.hIconSm = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), 0));
  main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kWindowClass;
  ::RegisterClassExW(&main);
}

bool TmainForm::Create(int show) {
  RegisterClass();
  drawnElementMessage_ = ::RegisterWindowMessageW(kDrawnElementMessage);
  const window::WindowFacts& facts = window::MainWindowFacts();
  // Fixed size: no sizing border and no maximize box.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT outer{0, 0, facts.place.width, facts.place.height};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  // The form's place is the window's outer corner, as on the desktop.
  window_ = ::CreateWindowExW(0, kWindowClass, WideText(facts.title).c_str(), style, facts.place.x,
                              facts.place.y, outer.right - outer.left, outer.bottom - outer.top,
                              nullptr, nullptr, instance_, nullptr);
  if (window_ == nullptr) return false;
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Set on the window as well as its class: the task switcher asks the window.
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof(registered);
  ::GetClassInfoExW(instance_, kWindowClass, &registered);
  ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(registered.hIcon));
  ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(registered.hIconSm));
  controls_ = std::make_unique<Controls>(instance_, window_,
                                         [this](ElementId element) { controller_.Click(element); });
  NameForScreenReaders(*controls_);
  focus_.emplace(*controls_);
  ::DragAcceptFiles(window_, TRUE);
  ::ShowWindow(window_, show);
  ::UpdateWindow(window_);
  focus_->Start();
  return true;
}

LRESULT CALLBACK TmainForm::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* form = reinterpret_cast<TmainForm*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
    return form->Handle(message, wParam, lParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TmainForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        if (const auto element = ElementOfWindow(reinterpret_cast<HWND>(lParam)))
          controller_.Click(*element);
      }
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    // A click on the window itself goes to the topmost caption at its point, if any.
    case WM_LBUTTONDOWN:
      ::SetCapture(window_);
      return 0;
    case WM_LBUTTONUP:
      if (::GetCapture() == window_) {
        ::ReleaseCapture();
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (controls_ != nullptr)
          if (const auto element = controls_->windowLayer().At(at)) controller_.Click(*element);
      }
      return 0;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DESTROY:
      ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
    default:
      if (message == drawnElementMessage_ && message != 0) return DrawnElementAnswer(wParam);
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

void TmainForm::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  if (controls_ != nullptr) controls_->windowLayer().Paint(dc, paint.rcPaint);
  ::EndPaint(window_, &paint);
}

LRESULT TmainForm::DrawnElementAnswer(WPARAM index) const {
  const DrawnControl* drawn = controls_ != nullptr ? controls_->Drawn(index) : nullptr;
  return drawn != nullptr ? static_cast<LRESULT>(PackDrawnElement(drawn->StateIn(window_))) : 0;
}

bool TmainForm::TakeKey(const MSG& message) {
  if (window_ == nullptr || controls_ == nullptr || message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
  if (message.wParam == VK_TAB) {
    if (::GetKeyState(VK_CONTROL) < 0) return false;
    focus_->Move(::GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  const std::optional<window::KeyChord> chord = ChordOf(message.wParam);
  if (!chord) return false;
  HWND focus = ::GetFocus();
  const std::optional<ElementId> focused =
      focus != nullptr && ::IsChild(window_, focus) ? ElementOfWindow(focus) : std::nullopt;
  switch (controller_.Key(*chord, focused)) {
    case window::KeyOutcome::kNotTaken:
      return false;
    case window::KeyOutcome::kTaken:
      return true;
    case window::KeyOutcome::kPressFocused:
      if (Button* button = focused ? controls_->As<Button>(*focused) : nullptr) button->Press();
      return true;
  }
  return false;
}

// Every dropped file goes to the controller, which decides whether the drop loads.
void TmainForm::DropFiles(HDROP drop) {
  std::vector<window::DroppedItem> items(::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
  for (UINT i = 0; i < items.size(); ++i) {
    std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    items[i] = {window::DroppedItem::Kind::kLocalFile,
                window::ChosenFile{Utf8FromWide(FullPath(path))}};
  }
  ::DragFinish(drop);
  controller_.Drop(items);
}

void TmainForm::OpenModelFile(const std::wstring& path) {
  controller_.OpenFile(window::ChosenFile{Utf8FromWide(FullPath(path))});
}

void TmainForm::SetText(ElementId field, std::string_view text) {
  if (DisplayField* shown = controls_->As<DisplayField>(field))
    shown->ShowText(WideFromLatin1(text));
}

void TmainForm::SetVisible(ElementId element, bool visible) {
  (*controls_)[element].SetVisible(visible);
}

void TmainForm::SetFilePath(const window::ChosenFile& file) {
  controls_->As<DisplayField>(window::elements::FilePath)->SetText(WideText(file.path));
}

std::optional<window::ChosenFile> TmainForm::ChooseFile() {
  return openDialog_.Choose(window_);
}

void TmainForm::OfferFile(const window::ChosenFile& file) {
  openDialog_.Offer(file);
}

void TmainForm::ShowError(std::string_view text) {
  ShowErrorBox(window_, text);
}

void TmainForm::Busy(bool busy) {
  if (busy) {
    savedCursor_ = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  } else {
    ::SetCursor(savedCursor_);
  }
}

void TmainForm::Close() {
  if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace qzd::windows
