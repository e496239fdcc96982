// SPDX-License-Identifier: MIT
#include "windows/controls/picture.h"

namespace qzd::windows {
namespace {

constexpr wchar_t kPictureClass[] = L"QzdPicture";

}  // namespace

void Picture::RegisterClass(HINSTANCE instance) {
  RegisterControlClass(instance, kPictureClass, Procedure);
}

Picture::Picture(HINSTANCE instance, const ControlFacts& facts)
    : ChildControl(instance, facts, kPictureClass, 0), dpi_(facts.look.dpi) {
  Attach();
}

Picture::~Picture() {
  Forget();
}

void Picture::Forget() {
  if (shown_.bitmap != nullptr) ::DeleteObject(shown_.bitmap);
  shown_ = {};
}

void Picture::Restyle(const ControlLook& look) {
  if (look.dpi == dpi_) return;
  dpi_ = look.dpi;
  Forget();
  ::InvalidateRect(window(), nullptr, FALSE);
}

LRESULT CALLBACK Picture::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      if (Picture* picture = ControlOfWindow<Picture>(window)) {
        picture->Paint();
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A picture is decoded when it is first painted where it shows: most lie hidden or under another
// page at start, where Wine still asks them to paint.
void Picture::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window(), &paint);
  RECT shows{};
  if (::GetClipBox(dc, &shows) == NULLREGION) {
    ::EndPaint(window(), &paint);
    return;
  }
  if (shown_.bitmap == nullptr) shown_ = LoadPicture(element().facts().picture, dpi_);
  RECT area;
  ::GetClientRect(window(), &area);
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  if (shown_.bitmap != nullptr) {
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(source, shown_.bitmap);
    BITMAP facts{};
    ::GetObjectW(shown_.bitmap, sizeof(facts), &facts);
    ::BitBlt(dc, 0, 0, facts.bmWidth, facts.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
  }
  ::EndPaint(window(), &paint);
}

}  // namespace qzd::windows
