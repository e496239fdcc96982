// SPDX-License-Identifier: MIT
#include "windows/main_window.h"

#include <commdlg.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>

#include "model/windows_file_byte_source.h"
#include "window/elements.h"
#include "window/field_labels.h"
#include "window/program_title.h"
#include "windows/element_extras.h"
#include "windows/element_ids.h"
#include "windows/pictures.h"

namespace qzd::windows {
namespace {

using window::ElementFacts;
using window::ElementId;
using window::ElementKind;

constexpr wchar_t kFrameClass[] = L"QzdFrame";
constexpr wchar_t kPictureClass[] = L"QzdPicture";

std::wstring Wide(std::string_view utf8) {
  return WideFromUtf8(utf8).value_or(std::wstring());
}

// A model's texts are bytes, one per character: Latin-1, which is where UTF-16 begins.
std::wstring FromBytes(std::string_view bytes) {
  std::wstring text(bytes.size(), L'\0');
  std::transform(bytes.begin(), bytes.end(), text.begin(),
                 [](char byte) { return static_cast<wchar_t>(static_cast<unsigned char>(byte)); });
  return text;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HFONT MakeFont(int pixelSize) {
  return ::CreateFontW(-pixelSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS,
                       Wide(window::MainWindowFacts().font.family).c_str());
}

TmainForm* FormOf(HWND element) {
  return reinterpret_cast<TmainForm*>(
      ::GetWindowLongPtrW(::GetAncestor(element, GA_ROOT), GWLP_USERDATA));
}

// The element a child window stands for, from its control id.
std::optional<ElementId> ElementOf(HWND child) {
  const int id = ::GetDlgCtrlID(child);
  const auto index = static_cast<std::size_t>(id) - kElementIdBase;
  if (id < static_cast<int>(kElementIdBase) || index >= window::MainWindowFacts().elements.size())
    return std::nullopt;
  return ElementId(static_cast<std::uint16_t>(index));
}

bool IsDrawn(ElementKind kind) {
  return kind == ElementKind::kCaption || kind == ElementKind::kSeparator;
}

const wchar_t* ClassOf(ElementKind kind) {
  switch (kind) {
    case ElementKind::kDisplayField:
      return L"EDIT";
    case ElementKind::kFrame:
      return kFrameClass;
    case ElementKind::kPictureBox:
      return kPictureClass;
    case ElementKind::kButton:
      return L"BUTTON";
    case ElementKind::kCaption:
    case ElementKind::kSeparator:
      break;
  }
  return L"STATIC";
}

// Pictures and fields take their clicks, so that a click on one of them inside a page never
// reaches the page's frame.
DWORD StyleOf(const ElementFacts& facts) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (facts.visible ? WS_VISIBLE : 0);
  switch (facts.kind) {
    case ElementKind::kDisplayField:
      // Sized to one line by the form; no scroll bars, and text longer than the field scrolls.
      return style | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_LEFT;
    case ElementKind::kFrame:
      return style | WS_CLIPCHILDREN;
    case ElementKind::kPictureBox:
      return style;
    case ElementKind::kButton:
      return style | WS_TABSTOP | BS_PUSHBUTTON;
    case ElementKind::kCaption:
    case ElementKind::kSeparator:
      break;
  }
  return style;
}

void PaintFrame(HWND frame, HDC dc) {
  RECT area;
  ::GetClientRect(frame, &area);
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  auto font = reinterpret_cast<HFONT>(::GetWindowLongPtrW(frame, GWLP_USERDATA));
  HGDIOBJ previous = ::SelectObject(dc, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  RECT box = area;
  box.top = metrics.tmHeight / 2;
  ::DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  const std::wstring title = WindowText(frame);
  if (!title.empty()) {
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    const std::wstring padded = L" " + title + L" ";
    ::TextOutW(dc, 6, 0, padded.c_str(), static_cast<int>(padded.size()));
  }
  ::SelectObject(dc, previous);
}

// A picture is decoded when it is first painted: most lie hidden or under another page at start.
void PaintPicture(HWND picture) {
  auto bitmap = reinterpret_cast<HBITMAP>(::GetWindowLongPtrW(picture, GWLP_USERDATA));
  if (bitmap == nullptr) {
    if (const auto element = ElementOf(picture)) bitmap = LoadPicture(element->facts().picture);
    ::SetWindowLongPtrW(picture, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmap));
  }
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(picture, &paint);
  RECT area;
  ::GetClientRect(picture, &area);
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  if (bitmap != nullptr) {
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(source, bitmap);
    BITMAP facts{};
    ::GetObjectW(bitmap, sizeof(facts), &facts);
    ::BitBlt(dc, 0, 0, facts.bmWidth, facts.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
  }
  ::EndPaint(picture, &paint);
}

// An etched line along the top of the form's box, or along its left side when the box is higher
// than wide.
void PaintSeparator(HDC dc, RECT place) {
  ::DrawEdge(dc, &place, EDGE_ETCHED,
             place.right - place.left >= place.bottom - place.top ? BF_TOP : BF_LEFT);
}

}  // namespace

TmainForm::TmainForm(HINSTANCE instance) : instance_(instance) {}

TmainForm::~TmainForm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
  for (HFONT font : ownFonts_) ::DeleteObject(font);
  if (font_ != nullptr) ::DeleteObject(font_);
}

void TmainForm::RegisterClasses() {
  WNDCLASSEXW main{};
  main.cbSize = sizeof(main);
  main.lpfnWndProc = MainProc;
  main.hInstance = instance_;
  main.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(1));
  main.hIconSm = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), 0));
  main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kWindowClass;
  ::RegisterClassExW(&main);

  WNDCLASSEXW frame = main;
  frame.lpfnWndProc = FrameProc;
  frame.hIcon = frame.hIconSm = nullptr;
  frame.lpszClassName = kFrameClass;
  ::RegisterClassExW(&frame);

  WNDCLASSEXW picture = frame;
  picture.lpfnWndProc = PictureProc;
  picture.lpszClassName = kPictureClass;
  ::RegisterClassExW(&picture);
}

bool TmainForm::Create(int show) {
  RegisterClasses();
  drawnElementMessage_ = ::RegisterWindowMessageW(kDrawnElementMessage);
  const window::WindowFacts& facts = window::MainWindowFacts();
  font_ = MakeFont(facts.font.pixelSize);
  // Fixed size: no sizing border and no maximize box.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT outer{0, 0, facts.place.width, facts.place.height};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  // The form's place is the window's outer corner, as on the desktop.
  window_ = ::CreateWindowExW(0, kWindowClass, Wide(facts.title).c_str(), style, facts.place.x,
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
  CreateElements();
  NameForScreenReaders();
  ::DragAcceptFiles(window_, TRUE);
  ::ShowWindow(window_, show);
  ::UpdateWindow(window_);
  if (!focusChain_.empty()) ::SetFocus(focusChain_.front());
  return true;
}

void TmainForm::CreateElements() {
  const window::WindowFacts& facts = window::MainWindowFacts();
  elements_.assign(facts.elements.size(), nullptr);
  drawn_.assign(facts.elements.size(), DrawnElement{});
  HDC screen = ::GetDC(nullptr);
  for (std::size_t i = 0; i < facts.elements.size(); ++i) {
    const ElementFacts& element = facts.elements[i];
    const ElementId id(static_cast<std::uint16_t>(i));
    HWND parent =
        element.parent == facts.name ? window_ : Element(window::ElementNamed(element.parent));
    HFONT font = font_;
    if (const int size = ExtrasOf(id).fontPixelSize; size != 0) {
      font = MakeFont(size);
      ownFonts_.push_back(font);
    }
    const std::wstring text =
        element.kind == ElementKind::kDisplayField ? std::wstring() : Wide(element.caption);
    const window::ElementRect& at = element.geometry;
    if (IsDrawn(element.kind)) {
      RECT place{at.x, at.y, at.x + at.width, at.y + at.height};
      // A caption is as wide and as high as its text in its font.
      if (element.kind == ElementKind::kCaption) {
        HGDIOBJ previous = ::SelectObject(screen, font);
        SIZE size{};
        ::GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(screen, previous);
        place.right = at.x + size.cx;
        place.bottom = at.y + size.cy;
      }
      drawn_[i] = DrawnElement{parent, place, element.visible, font, text};
      continue;
    }
    const DWORD exStyle = element.kind == ElementKind::kDisplayField ? WS_EX_CLIENTEDGE : 0;
    HWND child = ::CreateWindowExW(
        exStyle, ClassOf(element.kind), text.c_str(), StyleOf(element), at.x, at.y, at.width,
        at.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kElementIdBase + i)),
        instance_, nullptr);
    if (child == nullptr) window::UnknownElement(element.name);
    elements_[i] = child;
    if (element.kind == ElementKind::kFrame) {
      ::SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
    } else if (element.kind != ElementKind::kPictureBox) {
      ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
  }
  ::ReleaseDC(nullptr, screen);
  // Later elements of a parent lie above earlier ones, as in the form.
  for (HWND child : elements_) {
    if (child != nullptr)
      ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  std::vector<std::pair<int, HWND>> chain;
  for (std::size_t i = 0; i < facts.elements.size(); ++i) {
    if (facts.elements[i].tabOrder >= 0)
      chain.emplace_back(facts.elements[i].tabOrder, elements_[i]);
  }
  std::sort(chain.begin(), chain.end());
  for (const auto& [order, child] : chain) focusChain_.push_back(child);
}

// Windows screen readers read a control's accessible name and description; the Accessibility
// property service sets them per window without an accessibility object of our own.
void TmainForm::NameForScreenReaders() {
  IAccPropServices* service = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&service))))
    return;
  std::vector<std::string_view> names(elements_.size());
  for (const window::FieldLabel& label : window::DisplayFieldLabels())
    names[label.field.index()] = label.label;
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    if (elements_[i] == nullptr) continue;
    const ElementId id(static_cast<std::uint16_t>(i));
    const ElementExtras& extras = ExtrasOf(id);
    std::string_view name = extras.accessibleName.empty() ? names[i] : extras.accessibleName;
    if (name.empty() && id == window::elements::FilePath) name = "model file";
    if (!name.empty()) {
      service->SetHwndPropStr(elements_[i], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_NAME, Wide(name).c_str());
    }
    if (!extras.accessibleDescription.empty()) {
      service->SetHwndPropStr(elements_[i], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_DESCRIPTION, Wide(extras.accessibleDescription).c_str());
    }
    if (window::MainWindowFacts().elements[i].kind == ElementKind::kPictureBox) {
      VARIANT role;
      role.vt = VT_I4;
      role.lVal = ROLE_SYSTEM_GRAPHIC;
      service->SetHwndProp(elements_[i], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                           PROPID_ACC_ROLE, role);
    }
  }
  service->Release();
}

LRESULT CALLBACK TmainForm::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* form = reinterpret_cast<TmainForm*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
    return form->Handle(message, wParam, lParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TmainForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) Click(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window_, &paint);
      PaintDrawn(window_, dc, paint.rcPaint);
      ::EndPaint(window_, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
      ::SetCapture(window_);
      return 0;
    case WM_LBUTTONUP:
      if (::GetCapture() == window_) {
        ::ReleaseCapture();
        ClickAt(window_, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
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

// A page's frame: an etched box with its title, whose own area advances the page cycle.
LRESULT CALLBACK TmainForm::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(frame, &paint);
      PaintFrame(frame, dc);
      if (const TmainForm* form = FormOf(frame)) form->PaintDrawn(frame, dc, paint.rcPaint);
      ::EndPaint(frame, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT: {
      const LRESULT result = ::DefWindowProcW(frame, message, wParam, lParam);
      ::InvalidateRect(frame, nullptr, TRUE);
      return result;
    }
    case WM_LBUTTONDOWN:
      ::SetCapture(frame);
      return 0;
    case WM_LBUTTONUP: {
      if (::GetCapture() != frame) return 0;
      ::ReleaseCapture();
      RECT area;
      ::GetClientRect(frame, &area);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (::PtInRect(&area, at))
        if (TmainForm* form = FormOf(frame)) form->ClickAt(frame, at);
      return 0;
    }
    // The elements inside a frame report to the main window, as those outside do.
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return ::SendMessageW(::GetAncestor(frame, GA_ROOT), message, wParam, lParam);
    default:
      return ::DefWindowProcW(frame, message, wParam, lParam);
  }
}

// A picture takes its clicks and does nothing with them.
LRESULT CALLBACK TmainForm::PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintPicture(picture);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      if (auto bitmap = reinterpret_cast<HBITMAP>(::GetWindowLongPtrW(picture, GWLP_USERDATA)))
        ::DeleteObject(bitmap);
      return 0;
    default:
      return ::DefWindowProcW(picture, message, wParam, lParam);
  }
}

void TmainForm::Click(HWND element) {
  if (const auto id = ElementOf(element)) controller_.Click(*id);
}

void TmainForm::ClickAt(HWND parent, POINT at) {
  for (std::size_t i = drawn_.size(); i-- > 0;) {
    const DrawnElement& drawn = drawn_[i];
    if (drawn.parent == parent && drawn.visible && ::PtInRect(&drawn.place, at)) {
      controller_.Click(ElementId(static_cast<std::uint16_t>(i)));
      return;
    }
  }
  Click(parent);
}

// Captions and separators in the form's order, each above those before it; the parent's child
// windows are clipped out, as they lie above all of them.
void TmainForm::PaintDrawn(HWND parent, HDC dc, const RECT& dirty) const {
  const int saved = ::SaveDC(dc);
  ::SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < drawn_.size(); ++i) {
    const DrawnElement& drawn = drawn_[i];
    RECT overlap;
    if (drawn.parent != parent || !drawn.visible ||
        !::IntersectRect(&overlap, &drawn.place, &dirty))
      continue;
    const ElementId id(static_cast<std::uint16_t>(i));
    if (id.facts().kind == ElementKind::kSeparator) {
      PaintSeparator(dc, drawn.place);
      continue;
    }
    ::SelectObject(dc, drawn.font);
    ::SetTextColor(dc, ::GetSysColor(ExtrasOf(id).highlight ? COLOR_HIGHLIGHT : COLOR_BTNTEXT));
    ::ExtTextOutW(dc, drawn.place.left, drawn.place.top, ETO_CLIPPED, &drawn.place,
                  drawn.text.c_str(), static_cast<UINT>(drawn.text.size()), nullptr);
  }
  ::RestoreDC(dc, saved);
}

LRESULT TmainForm::DrawnElementAnswer(WPARAM index) const {
  if (index >= drawn_.size() || drawn_[index].parent == nullptr) return 0;
  const DrawnElement& drawn = drawn_[index];
  POINT corner{drawn.place.left, drawn.place.top};
  ::MapWindowPoints(drawn.parent, window_, &corner, 1);
  return static_cast<LRESULT>(
      PackDrawnElement({drawn.visible, static_cast<int>(corner.x), static_cast<int>(corner.y),
                        static_cast<int>(drawn.place.right - drawn.place.left),
                        static_cast<int>(drawn.place.bottom - drawn.place.top)}));
}

bool TmainForm::TakeKey(const MSG& message) {
  if (window_ == nullptr || message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
  const bool control = ::GetKeyState(VK_CONTROL) < 0;
  switch (message.wParam) {
    case VK_TAB:
      if (control) return false;
      MoveFocus(::GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN: {
      HWND focus = ::GetFocus();
      const auto element = focus ? ElementOf(focus) : std::nullopt;
      if (!element || element->facts().kind != ElementKind::kButton) return false;
      ::SendMessageW(focus, BM_CLICK, 0, 0);
      return true;
    }
    case 'O':
      if (!control) return false;
      controller_.FileOpenClick();
      return true;
    case 'Q':
      if (!control) return false;
      ::PostMessageW(window_, WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

// Tab walks the form's focus order, skipping elements that are hidden themselves or inside a
// hidden frame; a field it enters has its whole text selected, as in a dialog.
void TmainForm::MoveFocus(bool backwards) {
  if (focusChain_.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(focusChain_.size());
  const auto current = std::find(focusChain_.begin(), focusChain_.end(), ::GetFocus());
  std::ptrdiff_t at =
      current == focusChain_.end() ? (backwards ? 0 : -1) : current - focusChain_.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    at = (at + (backwards ? count - 1 : 1)) % count;
    HWND next = focusChain_[static_cast<std::size_t>(at)];
    if (::IsWindowVisible(next) && ::IsWindowEnabled(next)) {
      ::SetFocus(next);
      if (ElementOf(next)->facts().kind == ElementKind::kDisplayField)
        ::SendMessageW(next, EM_SETSEL, 0, -1);
      return;
    }
  }
}

// One dropped file loads as if chosen in the dialog; several at once change nothing.
void TmainForm::DropFiles(HDROP drop) {
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::wstring path;
  if (count == 1) {
    path.resize(::DragQueryFileW(drop, 0, nullptr, 0) + 1);
    path.resize(::DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
  }
  ::DragFinish(drop);
  if (!path.empty()) OpenModelFile(path);
}

void TmainForm::OpenModelFile(const std::wstring& path) {
  std::wstring full(::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr) + 1, L'\0');
  const DWORD length =
      ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  full.resize(length > 0 && length < full.size() ? length : 0);
  controller_.OpenFile(window::ChosenFile{Utf8FromWide(full.empty() ? path : full)});
}

void TmainForm::SetText(ElementId field, std::string_view text) {
  HWND edit = Element(field);
  std::wstring wide = FromBytes(text);
  // Windows lays out and repaints a field again for every text it is given, the same text too; a
  // field that shows this text already, and that the user has not typed into, keeps it.
  if (::SendMessageW(edit, EM_GETMODIFY, 0, 0) == 0 && WindowText(edit) == wide) return;
  ::SetWindowTextW(edit, wide.c_str());
}

void TmainForm::SetVisible(ElementId element, bool visible) {
  DrawnElement& drawn = drawn_[element.index()];
  if (drawn.parent == nullptr) {
    ::ShowWindow(Element(element), visible ? SW_SHOWNA : SW_HIDE);
  } else if (drawn.visible != visible) {
    drawn.visible = visible;
    ::InvalidateRect(drawn.parent, &drawn.place, TRUE);
  }
}

void TmainForm::SetFilePath(const window::ChosenFile& file) {
  ::SetWindowTextW(Element(window::elements::FilePath), Wide(file.path).c_str());
}

// The classic open dialog: its first filter entry on every use, the last chosen file offered.
// A path longer than the classic limit fails the dialog, as the desktop's does.
std::optional<window::ChosenFile> TmainForm::ChooseFile() {
  std::wstring buffer(MAX_PATH, L'\0');
  std::copy_n(offeredFile_.begin(), std::min<std::size_t>(offeredFile_.size(), MAX_PATH - 1),
              buffer.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  // The classic dialog takes the filter's parts each ended by a NUL, the list by one more.
  std::wstring filter = Wide(window::kModelFileFilter);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter.push_back(L'\0');
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  offeredFile_ = buffer.c_str();
  return window::ChosenFile{Utf8FromWide(offeredFile_)};
}

void TmainForm::OfferFile(const window::ChosenFile& file) {
  offeredFile_ = Wide(file.path);
}

void TmainForm::ShowError(std::string_view text) {
  ::MessageBoxW(window_, FromBytes(text).c_str(), Wide(window::kProgramTitle).c_str(),
                MB_OK | MB_ICONSTOP);
}

void TmainForm::Busy(bool busy) {
  if (busy) {
    savedCursor_ = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  } else {
    ::SetCursor(savedCursor_);
  }
}

}  // namespace qzd::windows
