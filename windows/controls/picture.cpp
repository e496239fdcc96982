// SPDX-License-Identifier: MIT
#include "windows/controls/picture.h"

#include "windows/pictures.h"

namespace qzd::windows {
namespace {

constexpr wchar_t kPictureClass[] = L"QzdPicture";

}  // namespace

void Picture::RegisterClass(HINSTANCE instance) {
  RegisterControlClass(instance, kPictureClass, Procedure);
}

Picture::Picture(HINSTANCE instance, const ControlFacts& facts)
    : ChildControl(instance, facts, kPictureClass, 0) {
  Attach();
}

Picture::~Picture() {
  if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
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

// A picture is decoded when it is first painted: most lie hidden or under another page at start.
void Picture::Paint() {
  if (bitmap_ == nullptr) bitmap_ = LoadPicture(element().facts().picture);
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window(), &paint);
  RECT area;
  ::GetClientRect(window(), &area);
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  if (bitmap_ != nullptr) {
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(source, bitmap_);
    BITMAP facts{};
    ::GetObjectW(bitmap_, sizeof(facts), &facts);
    ::BitBlt(dc, 0, 0, facts.bmWidth, facts.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
  }
  ::EndPaint(window(), &paint);
}

}  // namespace qzd::windows
