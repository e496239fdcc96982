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
#include "windows/dpi.h"
#include "windows/element_ids.h"
#include "windows/window_outputs.h"

namespace qzd::windows {
namespace {

using window::ElementId;

// The keys other than letters that the command table names, by their virtual-key codes.
constexpr std::array<std::pair<WPARAM, window::NamedKey>, 8> kNamedKeys = {{
    {VK_RETURN, window::NamedKey::kEnter},
    {VK_SPACE, window::NamedKey::kSpace},
    {VK_ESCAPE, window::NamedKey::kEscape},
    {VK_F5, window::NamedKey::kF5},
    {VK_PRIOR, window::NamedKey::kPageUp},
    {VK_NEXT, window::NamedKey::kPageDown},
    {VK_F10, window::NamedKey::kF10},
    {VK_APPS, window::NamedKey::kMenu},
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

// Fixed size: no sizing border and no maximize box. Files dropped on it come as WM_DROPFILES.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = WS_EX_ACCEPTFILES;

// The window's outer rectangle at `dpi` with its corner at `corner`.
RECT OuterAt(POINT corner, UINT dpi) {
  const window::ElementRect& form = window::MainWindowFacts().place;
  RECT outer = OuterRect({0, 0, Scaled(form.width, dpi), Scaled(form.height, dpi)}, kStyle, dpi);
  ::OffsetRect(&outer, corner.x - outer.left, corner.y - outer.top);
  return outer;
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
  elementLookMessage_ = ::RegisterWindowMessageW(kElementLookMessage);
  const window::WindowFacts& facts = window::MainWindowFacts();
  // The form's place is the window's outer corner, as on the desktop, at the system's DPI; a
  // window that opens on a monitor of another DPI takes that monitor's size before it shows.
  dpi_ = SystemDpi();
  const POINT corner{Scaled(facts.place.x, dpi_), Scaled(facts.place.y, dpi_)};
  RECT outer = OuterAt(corner, dpi_);
  window_ = ::CreateWindowExW(kExtendedStyle, kWindowClass, WideText(facts.title).c_str(), kStyle,
                              outer.left, outer.top, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance_, nullptr);
  if (window_ == nullptr) return false;
  if (const UINT dpi = DpiOfWindow(window_); dpi != dpi_) {
    dpi_ = dpi;
    outer = OuterAt(corner, dpi_);
    ::SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Set on the window as well as its class: the task switcher asks the window.
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof(registered);
  ::GetClassInfoExW(instance_, kWindowClass, &registered);
  ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(registered.hIcon));
  ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(registered.hIconSm));
  controls_ = std::make_unique<Controls>(
      instance_, window_, [this](ElementId element) { controller_.Click(element); }, dpi_);
  // The names need COM, which the first frame does not: they are given when a screen reader runs
  // or something first asks the window for its accessible objects.
  BOOL screenReader = FALSE;
  if (::SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0) && screenReader)
    NameForScreenReadersOnce();
  focus_.emplace(*controls_);
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
    // A right-click outside the fields, which keep their own menu; the keys that open the menu
    // have reached the controller through TakeKey already.
    case WM_CONTEXTMENU:
      if ((LOWORD(lParam) != 0xFFFF || HIWORD(lParam) != 0xFFFF) && controls_ != nullptr) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        std::optional<ElementId> element = ElementOfWindow(reinterpret_cast<HWND>(wParam));
        ::ScreenToClient(window_, &at);
        if (reinterpret_cast<HWND>(wParam) == window_) element = controls_->windowLayer().At(at);
        if (!controller_.ContextClick(element))
          return ::DefWindowProcW(window_, message, wParam, lParam);
      }
      return 0;
    // The exact size at the new DPI, which Windows then suggests with WM_DPICHANGED.
    case WM_GETDPISCALEDSIZE: {
      const RECT outer = OuterAt({0, 0}, static_cast<UINT>(LOWORD(wParam)));
      *reinterpret_cast<SIZE*>(lParam) = {outer.right - outer.left, outer.bottom - outer.top};
      return TRUE;
    }
    case WM_DPICHANGED:
      MoveToDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_GETOBJECT:
      NameForScreenReadersOnce();
      return ::DefWindowProcW(window_, message, wParam, lParam);
    case WM_DESTROY:
      ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
    default:
      if (message == drawnElementMessage_ && message != 0) return DrawnElementAnswer(wParam);
      if (message == elementLookMessage_ && message != 0) return ElementLookAnswer(wParam);
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

void TmainForm::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  if (controls_ != nullptr) controls_->windowLayer().Paint(dc, paint.rcPaint);
  ::EndPaint(window_, &paint);
}

// The controls first, then the window takes the rectangle Windows suggests.
void TmainForm::MoveToDpi(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  if (controls_ != nullptr) controls_->Rescale(dpi);
  ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TmainForm::NameForScreenReadersOnce() {
  if (named_ || controls_ == nullptr) return;
  named_ = true;
  NameForScreenReaders(*controls_);
}

LRESULT TmainForm::ElementLookAnswer(WPARAM index) const {
  return controls_ != nullptr ? static_cast<LRESULT>(PackElementLook(controls_->LookOf(index))) : 0;
}

LRESULT TmainForm::DrawnElementAnswer(WPARAM index) const {
  const DrawnControl* drawn = controls_ != nullptr ? controls_->Drawn(index) : nullptr;
  return drawn != nullptr ? static_cast<LRESULT>(PackDrawnElement(drawn->StateIn(window_))) : 0;
}

bool TmainForm::TakeKey(const MSG& message) {
  // Shift+F10 comes as a system key.
  const bool key = message.message == WM_KEYDOWN ||
                   (message.message == WM_SYSKEYDOWN && message.wParam == VK_F10);
  if (window_ == nullptr || controls_ == nullptr || !key) return false;
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

namespace qzd::windows {

bool TmainForm::Offers(window::WindowCommand command) const {
  return command != window::WindowCommand::kDownloadSheet;
}

void TmainForm::Print(const window::PrintJob& job) {
  PrintSheets(sheets_, window_, dpi_, job);
}

void TmainForm::SaveWindow(const window::ChosenFile& model, const std::string& suggested) {
  SaveWindowAs(sheets_, window_, controller_.shown(), model, suggested);
}

void TmainForm::CopyText(std::string_view text) {
  CopyTextToClipboard(window_, text);
}

// At the mouse, or below the element that has the focus.
std::optional<window::WindowCommand> TmainForm::ShowMenu(std::span<const window::MenuEntry> entries,
                                                         std::optional<ElementId> atElement) {
  POINT at{};
  ::GetCursorPos(&at);
  if (HWND element = atElement ? (*controls_)[*atElement].window() : nullptr) {
    RECT place;
    ::GetWindowRect(element, &place);
    at = {place.left, place.bottom};
  }
  return menu_.Show(window_, entries, at);
}

}  // namespace qzd::windows
