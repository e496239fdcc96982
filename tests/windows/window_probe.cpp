// SPDX-License-Identifier: MIT
// A test helper for the running qzd-viewer.exe: finds its window, prints what the window shows as
// JSON (the window's class, title and client area; each element's class, text, visibility and
// place, a drawn caption's or separator's as the window answers for it), reads an open message box,
// and acts as a user would: clicks at a point of the window, types into the focused control,
// presses keys.
//   window_probe window TIMEOUT_MS      the window and its elements, once the window shows
//   window_probe box TIMEOUT_MS         the message box or dialog the window shows
//   window_probe click X Y              a left click at a point of the window's client area
//   window_probe type TEXT              types TEXT (any letters) into the focused control
//   window_probe key NAME               one key: enter, escape, ctrl+o, ctrl+q
//   window_probe gone TIMEOUT_MS        waits until no window of the program is left
//   window_probe tabs N [back]          presses Tab (Shift+Tab) N times and prints the element that
//                                       has the focus after each
//   window_probe dpichanged DPI L T R B  WM_DPICHANGED to the window, with that rectangle
//   window_probe clipboard              prints the clipboard's text as a JSON string
//   window_probe rclick X Y             a right click at a point of the window's client area
//   window_probe menu TIMEOUT_MS        the open pop-up menu's place in the window, once it shows
//   window_probe hold FILE MS           holds FILE open without sharing for MS ms; prints "held"
// The helper is DPI-aware, so every place it reads and gives is in the screen's own pixels.
// Exit 0 on success, 1 when the window or box did not come in time, 2 on a usage error.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "model/utf16.h"
#include "window/window_elements.h"
#include "windows/element_ids.h"

namespace {

using nlohmann::json;
using qzd::Utf8FromWide;

std::string ClassName(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return Utf8FromWide(name);
}

// An edit control keeps its text itself, so only a message to it reads another program's field;
// every other window's text is its title, which reads without one.
std::wstring Text(HWND window) {
  if (ClassName(window) != "Edit") {
    std::wstring title(4096, L'\0');
    title.resize(static_cast<std::size_t>(
        ::InternalGetWindowText(window, title.data(), static_cast<int>(title.size()))));
    return title;
  }
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

// The window once it shows and its thread answers messages: before that, reading its fields
// would wait on a window still being built.
HWND MainWindow() {
  HWND window = ::FindWindowW(qzd::windows::kWindowClass, nullptr);
  if (window == nullptr || !::IsWindowVisible(window)) return nullptr;
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored))
    return nullptr;
  return window;
}

template <typename Find>
auto WaitFor(DWORD timeoutMs, Find find) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (auto found = find()) return found;
    if (::GetTickCount64() >= end) return decltype(find())();
    ::Sleep(50);
  }
}

json Place(HWND main, HWND element) {
  RECT rect;
  ::GetWindowRect(element, &rect);
  ::MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&rect), 2);
  return {{"x", rect.left},
          {"y", rect.top},
          {"width", rect.right - rect.left},
          {"height", rect.bottom - rect.top}};
}

int PrintWindow(DWORD timeoutMs) {
  HWND main = WaitFor(timeoutMs, MainWindow);
  if (main == nullptr) {
    std::cerr << "window_probe: no window of class TmainForm\n";
    return 1;
  }
  RECT client;
  ::GetClientRect(main, &client);
  POINT origin{0, 0};
  ::ClientToScreen(main, &origin);
  const LONG style = ::GetWindowLongW(main, GWL_STYLE);
  RECT outer;
  ::GetWindowRect(main, &outer);
  json out = {
      {"class", ClassName(main)},
      {"title", Utf8FromWide(Text(main))},
      {"client",
       {{"x", origin.x}, {"y", origin.y}, {"width", client.right}, {"height", client.bottom}}},
      {"sizable", (style & WS_THICKFRAME) != 0 || (style & WS_MAXIMIZEBOX) != 0},
      {"outer",
       {{"x", outer.left},
        {"y", outer.top},
        {"width", outer.right - outer.left},
        {"height", outer.bottom - outer.top}}},
      {"elements", json::object()}};
  const auto facts = qzd::window::MainWindowFacts().elements;
  // Every element window by its control id, frames' children included.
  std::vector<HWND> windows(facts.size(), nullptr);
  ::EnumChildWindows(
      main,
      [](HWND child, LPARAM data) -> BOOL {
        auto& found = *reinterpret_cast<std::vector<HWND>*>(data);
        const auto index =
            static_cast<std::size_t>(::GetDlgCtrlID(child)) - qzd::windows::kElementIdBase;
        if (index < found.size()) found[index] = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  // Captions and separators are drawn by the window they lie in, which tells what they show.
  const UINT drawnMessage = ::RegisterWindowMessageW(qzd::windows::kDrawnElementMessage);
  const UINT lookMessage = ::RegisterWindowMessageW(qzd::windows::kElementLookMessage);
  const auto look = [&](std::size_t i) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(main, lookMessage, i, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    const auto unpacked = qzd::windows::UnpackElementLook(static_cast<std::int64_t>(answer));
    const qzd::windows::ElementLook found = unpacked.value_or(qzd::windows::ElementLook{});
    return json{{"font", found.fontHeight}, {"picture_scale", found.pictureScale}};
  };
  for (std::size_t i = 0; i < facts.size(); ++i) {
    HWND element = windows[i];
    DWORD_PTR answer = 0;
    if (element == nullptr &&
        ::SendMessageTimeoutW(main, drawnMessage, i, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
      if (const auto drawn = qzd::windows::UnpackDrawnElement(static_cast<std::int64_t>(answer))) {
        const auto parent = qzd::window::FindElement(facts[i].parent);
        HWND parentWindow = parent ? windows[parent->index()] : main;
        out["elements"][std::string(facts[i].name)] = {
            {"class", "drawn"},
            {"text", std::string(facts[i].caption)},
            {"visible", drawn->visible},
            {"shown", drawn->visible && parentWindow != nullptr && ::IsWindowVisible(parentWindow)},
            {"place",
             {{"x", drawn->x},
              {"y", drawn->y},
              {"width", drawn->width},
              {"height", drawn->height}}},
            {"scroll_bars", false},
            {"sunken", false},
            {"multi_line", false},
            {"look", look(i)}};
      }
      continue;
    }
    if (element == nullptr) continue;
    const LONG elementStyle = ::GetWindowLongW(element, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(element, GWL_EXSTYLE);
    out["elements"][std::string(facts[i].name)] = {
        {"class", ClassName(element)},
        {"text", Utf8FromWide(Text(element))},
        {"visible", (elementStyle & WS_VISIBLE) != 0},
        {"shown", ::IsWindowVisible(element) != 0},
        {"place", Place(main, element)},
        {"scroll_bars", (elementStyle & (WS_HSCROLL | WS_VSCROLL)) != 0},
        {"sunken", (exStyle & WS_EX_CLIENTEDGE) != 0},
        {"multi_line", ClassName(element) == "Edit" && (elementStyle & ES_MULTILINE) != 0},
        {"look", look(i)}};
  }
  std::cout << out.dump() << '\n';
  return 0;
}

// A message box's text is the static control of id 0xFFFF.
int PrintBox(DWORD timeoutMs) {
  HWND main = WaitFor(timeoutMs, MainWindow);
  if (main == nullptr) return 1;
  struct Search {
    DWORD process;
    HWND box;
  } search{0, nullptr};
  ::GetWindowThreadProcessId(main, &search.process);
  HWND box = WaitFor(timeoutMs, [&]() -> HWND {
    search.box = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD process = 0;
          ::GetWindowThreadProcessId(window, &process);
          if (process == s->process && ::IsWindowVisible(window) && ClassName(window) == "#32770") {
            s->box = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.box;
  });
  if (box == nullptr) {
    std::cerr << "window_probe: no box\n";
    return 1;
  }
  HWND message = ::GetDlgItem(box, 0xFFFF);
  // The icon is a static of id 20 on Windows, 0x440 on Wine. Which icon it shows cannot be told
  // from another process under Wine, whose icon handles are the process's own.
  HWND icon = ::GetDlgItem(box, 20) ? ::GetDlgItem(box, 20) : ::GetDlgItem(box, 0x440);
  DWORD_PTR shown = 0;
  if (icon) ::SendMessageTimeoutW(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &shown);
  const bool stopIcon = shown != 0 && ::IsWindowVisible(icon);
  std::cout << json{{"title", Utf8FromWide(Text(box))},
                    {"text", message ? Utf8FromWide(Text(message)) : std::string()},
                    {"icon", stopIcon},
                    {"owned_by_main", ::GetWindow(box, GW_OWNER) == main}}
                   .dump()
            << '\n';
  return 0;
}

void Send(std::vector<INPUT> inputs) {
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Key(WORD key, bool up, WORD scan = 0, DWORD flags = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

int Click(int x, int y, bool right = false) {
  HWND main = MainWindow();
  if (main == nullptr) return 1;
  POINT at{x, y};
  ::ClientToScreen(main, &at);
  ::SetCursorPos(at.x, at.y);
  INPUT down{};
  down.type = INPUT_MOUSE;
  down.mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  INPUT up = down;
  up.mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  Send({down, up});
  return 0;
}

int Type(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    inputs.push_back(Key(0, false, c, KEYEVENTF_UNICODE));
    inputs.push_back(Key(0, true, c, KEYEVENTF_UNICODE));
  }
  Send(inputs);
  return 0;
}

// Any chord of the window's commands, "ctrl+shift+c", "shift+f10", "pgdn": modifiers held down
// around one key, F10 as the system key it is.
int PressChord(const std::wstring& name) {
  static const std::pair<const wchar_t*, WORD> kKeys[] = {
      {L"ctrl", VK_CONTROL}, {L"shift", VK_SHIFT}, {L"f5", VK_F5},     {L"f10", VK_F10},
      {L"pgdn", VK_NEXT},    {L"pgup", VK_PRIOR},  {L"apps", VK_APPS}, {L"down", VK_DOWN},
      {L"up", VK_UP},        {L"enter", VK_RETURN}};
  std::vector<WORD> keys;
  for (std::size_t start = 0; start <= name.size();) {
    std::size_t end = name.find(L'+', start);
    if (end == std::wstring::npos) end = name.size();
    const std::wstring part = name.substr(start, end - start);
    WORD key = part.size() == 1 && ::iswalpha(part[0]) ? static_cast<WORD>(::towupper(part[0])) : 0;
    for (const auto& [keyName, code] : kKeys) key = part == keyName ? code : key;
    if (key == 0) return 2;
    keys.push_back(key);
    start = end + 1;
  }
  std::vector<INPUT> inputs;
  for (const WORD key : keys) inputs.push_back(Key(key, false));
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(Key(*key, true));
  Send(inputs);
  return 0;
}

int PressKey(const std::wstring& name) {
  if (name == L"enter") {
    Send({Key(VK_RETURN, false), Key(VK_RETURN, true)});
  } else if (name == L"escape") {
    Send({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
  } else if (name == L"tab") {
    Send({Key(VK_TAB, false), Key(VK_TAB, true)});
  } else if (name == L"ctrl+o" || name == L"ctrl+q" || name == L"ctrl+a" || name == L"ctrl+c") {
    const WORD letter = static_cast<WORD>(::towupper(name.back()));
    Send({Key(VK_CONTROL, false), Key(letter, false), Key(letter, true), Key(VK_CONTROL, true)});
  } else {
    return PressChord(name);
  }
  return 0;
}

// The element that has the keyboard focus in the window's thread, or "" for none.
std::string FocusedElement(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info) ||
      info.hwndFocus == nullptr)
    return {};
  const auto index =
      static_cast<std::size_t>(::GetDlgCtrlID(info.hwndFocus)) - qzd::windows::kElementIdBase;
  const auto facts = qzd::window::MainWindowFacts().elements;
  return index < facts.size() ? std::string(facts[index].name) : std::string();
}

// Each press waits until the focus has moved, so that the next one lands after it.
int PressTabs(int count, bool backwards) {
  HWND main = MainWindow();
  if (main == nullptr) return 1;
  json visited = json::array();
  for (int i = 0; i < count; ++i) {
    const std::string before = FocusedElement(main);
    std::vector<INPUT> keys;
    if (backwards) keys.push_back(Key(VK_SHIFT, false));
    keys.push_back(Key(VK_TAB, false));
    keys.push_back(Key(VK_TAB, true));
    if (backwards) keys.push_back(Key(VK_SHIFT, true));
    Send(keys);
    const auto after = WaitFor(5000, [&]() -> std::optional<std::string> {
      std::string now = FocusedElement(main);
      if (now == before) return std::nullopt;
      return now;
    });
    visited.push_back(after.value_or(before));
  }
  std::cout << visited.dump() << '\n';
  return 0;
}

// WM_DPICHANGED carries a pointer to its rectangle, which must mean the same in the window's
// process, whether or not the system copies it across: the rectangle lies at one address in both.
int SendDpiChanged(int dpi, const RECT& suggested) {
  HWND main = MainWindow();
  if (main == nullptr) return 1;
  DWORD process = 0;
  ::GetWindowThreadProcessId(main, &process);
  HANDLE other = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
  // Each place taken here that is taken there too stays taken, so that the next try is elsewhere.
  void* here = nullptr;
  for (int tries = 0; other != nullptr && here == nullptr && tries < 64; ++tries) {
    void* mine = ::VirtualAlloc(nullptr, sizeof(RECT), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (::VirtualAllocEx(other, mine, sizeof(RECT), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) ==
        mine)
      here = mine;
  }
  if (here == nullptr || !::WriteProcessMemory(other, here, &suggested, sizeof(RECT), nullptr)) {
    std::cerr << "window_probe: no shared place for the rectangle\n";
    return 1;
  }
  *static_cast<RECT*>(here) = suggested;
  DWORD_PTR ignored = 0;
  const WPARAM dpis = MAKEWPARAM(dpi, dpi);
  const bool sent = ::SendMessageTimeoutW(main, WM_DPICHANGED, dpis, reinterpret_cast<LPARAM>(here),
                                          SMTO_ABORTIFHUNG, 10000, &ignored) != 0;
  ::CloseHandle(other);
  return sent ? 0 : 1;
}

int PrintClipboard() {
  std::wstring text;
  if (::OpenClipboard(nullptr)) {
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) text = chars;
      ::GlobalUnlock(data);
    }
    ::CloseClipboard();
  }
  std::cout << json(Utf8FromWide(text)).dump() << '\n';
  return 0;
}

// The viewer's open pop-up menu, its place in the window's client coordinates.
int PrintMenu(DWORD timeoutMs) {
  HWND main = WaitFor(timeoutMs, MainWindow);
  if (main == nullptr) return 1;
  HWND menu = WaitFor(timeoutMs, [] {
    HWND found = ::FindWindowW(L"#32768", nullptr);
    return found != nullptr && ::IsWindowVisible(found) ? found : nullptr;
  });
  if (menu == nullptr) return 1;
  std::cout << Place(main, menu).dump() << '\n';
  return 0;
}

int Hold(const std::wstring& path, DWORD ms) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::cout << "held" << std::endl;
  ::Sleep(ms);
  ::CloseHandle(file);
  return 0;
}

int WaitGone(DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (::FindWindowW(qzd::windows::kWindowClass, nullptr) != nullptr) {
    if (::GetTickCount64() >= end) return 1;
    ::Sleep(50);
  }
  return 0;
}

}  // namespace

// Ends the helper when a look or an action takes far longer than it may, so that a window that
// stops answering fails the test instead of holding it.
DWORD WINAPI Watchdog(void* limitMs) {
  ::Sleep(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(limitMs)));
  std::cerr << "window_probe: gave up waiting for the window\n";
  std::cerr.flush();
  ::ExitProcess(3);
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  ::SetProcessDPIAware();
  const std::wstring command = argv[1];
  const auto number = [&](int i) { return i < argc ? std::wcstol(argv[i], nullptr, 10) : 0; };
  const auto timeout = [&] { return static_cast<DWORD>(argc > 2 ? number(2) : 10000); };
  // A Tab waits up to 5 s for the focus to move.
  const auto limit = static_cast<std::uintptr_t>(command == L"tabs"   ? number(2) * 5000
                                                 : command == L"hold" ? number(3)
                                                                      : timeout()) +
                     30000;
  ::CloseHandle(::CreateThread(nullptr, 0, Watchdog, reinterpret_cast<void*>(limit), 0, nullptr));
  if (command == L"window") return PrintWindow(timeout());
  if (command == L"box") return PrintBox(timeout());
  if (command == L"click" && argc == 4) return Click(number(2), number(3));
  if (command == L"rclick" && argc == 4) return Click(number(2), number(3), true);
  if (command == L"menu") return PrintMenu(timeout());
  if (command == L"type" && argc == 3) return Type(argv[2]);
  if (command == L"key" && argc == 3) return PressKey(argv[2]);
  if (command == L"gone") return WaitGone(timeout());
  if (command == L"dpichanged" && argc == 7)
    return SendDpiChanged(static_cast<int>(number(2)),
                          RECT{number(3), number(4), number(5), number(6)});
  if (command == L"clipboard") return PrintClipboard();
  if (command == L"hold" && argc == 4) return Hold(argv[2], static_cast<DWORD>(number(3)));
  if (command == L"tabs" && (argc == 3 || (argc == 4 && std::wstring(argv[3]) == L"back")))
    return PressTabs(static_cast<int>(number(2)), argc == 4);
  std::cerr << "window_probe: unknown command\n";
  return 2;
}
