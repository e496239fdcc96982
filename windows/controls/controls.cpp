// SPDX-License-Identifier: MIT
#include "windows/controls/controls.h"

#include "model/utf16.h"
#include "windows/controls/button.h"
#include "windows/controls/display_field.h"
#include "windows/controls/frame.h"
#include "windows/controls/picture.h"

namespace qzd::windows {
namespace {

using window::ElementKind;

std::unique_ptr<Control> MakeControl(HINSTANCE instance, const ControlFacts& facts,
                                     const ClickHandler& clicks, HDC screen) {
  switch (facts.element.facts().kind) {
    case ElementKind::kCaption:
      return std::make_unique<Caption>(facts, screen);
    case ElementKind::kSeparator:
      return std::make_unique<Separator>(facts);
    case ElementKind::kDisplayField:
      return std::make_unique<DisplayField>(instance, facts);
    case ElementKind::kFrame:
      return std::make_unique<Frame>(instance, facts, clicks);
    case ElementKind::kPictureBox:
      return std::make_unique<Picture>(instance, facts);
    case ElementKind::kButton:
      return std::make_unique<Button>(instance, facts);
  }
  window::UnknownElement(facts.element.name());
}

}  // namespace

Controls::Controls(HINSTANCE instance, HWND window, const ClickHandler& clicks) {
  Frame::RegisterClass(instance);
  Picture::RegisterClass(instance);
  const window::WindowFacts& facts = window::MainWindowFacts();
  controls_.reserve(facts.elements.size());
  HDC screen = ::GetDC(nullptr);
  for (std::size_t i = 0; i < facts.elements.size(); ++i) {
    const window::ElementFacts& element = facts.elements[i];
    // Parents come before their elements in the table.
    Frame* frame = nullptr;
    if (element.parent != facts.name) {
      frame = As<Frame>(window::ElementNamed(element.parent));
      if (frame == nullptr) window::UnknownElement(element.parent);
    }
    const window::ElementRect& at = element.geometry;
    const ControlFacts control{
        window::ElementId(static_cast<std::uint16_t>(i)),
        frame != nullptr ? frame->window() : window,
        RECT{at.x, at.y, at.x + at.width, at.y + at.height},
        element.kind == ElementKind::kDisplayField ? std::wstring() : WideText(element.caption),
        FontOf(element),
        element.visible};
    controls_.push_back(MakeControl(instance, control, clicks, screen));
    if (const DrawnControl* drawn = Drawn(i))
      (frame != nullptr ? frame->drawn() : windowLayer_).Add(*drawn);
  }
  ::ReleaseDC(nullptr, screen);
  // Later elements of a parent lie above earlier ones, as in the form.
  for (const auto& control : controls_) {
    if (HWND child = control->window())
      ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// The controls' windows are gone with the main window by now, and their fonts can go.
Controls::~Controls() {
  for (const auto& [size, font] : fonts_) ::DeleteObject(font);
}

const DrawnControl* Controls::Drawn(std::size_t index) const {
  if (index >= controls_.size() || controls_[index] == nullptr || controls_[index]->window())
    return nullptr;
  return static_cast<const DrawnControl*>(controls_[index].get());
}

// The window font, or one of an element's own size in the same face.
HFONT Controls::FontOf(const window::ElementFacts& element) {
  const int size = element.style.fontPixelSize;
  for (const auto& [known, font] : fonts_) {
    if (known == size) return font;
  }
  const window::WindowFontFacts& face = window::MainWindowFacts().font;
  HFONT font =
      ::CreateFontW(-(size != 0 ? size : face.pixelSize), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_SWISS, WideText(face.family).c_str());
  fonts_.emplace_back(size, font);
  return font;
}

}  // namespace qzd::windows
