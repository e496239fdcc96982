// SPDX-License-Identifier: MIT
#include "windows/controls/controls.h"

#include <cwchar>
#include <string>
#include <utility>

#include "model/utf16.h"
#include "windows/controls/button.h"
#include "windows/controls/display_field.h"
#include "windows/controls/frame.h"
#include "windows/controls/picture.h"
#include "windows/dpi.h"

namespace qzd::windows {
namespace {

using window::ElementKind;

// The outline face of the form's bitmap face's design, which has every height the bitmap face
// lacks.
constexpr wchar_t kOutlineFace[] = L"Microsoft Sans Serif";

std::unique_ptr<Control> MakeControl(HINSTANCE instance, const ControlFacts& facts,
                                     const ClickHandler& clicks) {
  switch (facts.element.facts().kind) {
    case ElementKind::kCaption:
      return std::make_unique<Caption>(facts);
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

// Whether `face` is a bitmap face without characters `height` pixels high: a face of outlines, or
// one the system does not have, draws every height.
bool BitmapFaceLacks(HDC measure, const std::wstring& face, int height) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  struct Search {
    int height;
    bool bitmap = false;
    bool found = false;
  } search{height};
  ::EnumFontFamiliesExW(
      measure, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW* metrics, DWORD type, LPARAM data) -> int {
        auto& s = *reinterpret_cast<Search*>(data);
        if ((type & RASTER_FONTTYPE) == 0) return 1;
        s.bitmap = true;
        s.found = s.found || metrics->tmHeight - metrics->tmInternalLeading == s.height;
        return 1;
      },
      reinterpret_cast<LPARAM>(&search), 0);
  return search.bitmap && !search.found;
}

// The character height the font was made with.
int HeightOf(HFONT font) {
  LOGFONTW facts{};
  ::GetObjectW(font, sizeof(facts), &facts);
  return facts.lfHeight < 0 ? -facts.lfHeight : facts.lfHeight;
}

// The screen's device context, to measure text in, for one piece of work.
class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

Controls::Controls(HINSTANCE instance, HWND window, const ClickHandler& clicks, UINT dpi)
    : dpi_(dpi) {
  Frame::RegisterClass(instance);
  Picture::RegisterClass(instance);
  const window::WindowFacts& facts = window::MainWindowFacts();
  controls_.reserve(facts.elements.size());
  const ScreenDc screen;
  for (std::size_t i = 0; i < facts.elements.size(); ++i) {
    const window::ElementFacts& element = facts.elements[i];
    // Parents come before their elements in the table.
    Frame* frame = nullptr;
    if (element.parent != facts.name) {
      frame = As<Frame>(window::ElementNamed(element.parent));
      if (frame == nullptr) window::UnknownElement(element.parent);
    }
    const ControlFacts control{
        window::ElementId(static_cast<std::uint16_t>(i)),
        frame != nullptr ? frame->window() : window,
        element.kind == ElementKind::kDisplayField ? std::wstring() : WideText(element.caption),
        element.visible, LookFor(element, screen)};
    controls_.push_back(MakeControl(instance, control, clicks));
    if (const DrawnControl* drawn = Drawn(i))
      (frame != nullptr ? frame->drawn() : windowLayer_).Add(*drawn);
  }
  // Later elements of a parent lie above earlier ones, as in the form.
  for (const auto& control : controls_) {
    if (HWND child = control->window())
      ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// The controls' windows are gone with the main window by now, and their fonts can go.
Controls::~Controls() {
  for (const Font& font : fonts_) ::DeleteObject(font.font);
}

void Controls::Rescale(UINT dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  // The old fonts stay until no control draws with them.
  const auto previous = std::exchange(fonts_, {});
  const ScreenDc screen;
  const auto elements = window::MainWindowFacts().elements;
  for (std::size_t i = 0; i < elements.size(); ++i)
    controls_[i]->Rescale(LookFor(elements[i], screen));
  for (const Font& font : previous) ::DeleteObject(font.font);
}

const DrawnControl* Controls::Drawn(std::size_t index) const {
  if (index >= controls_.size() || controls_[index] == nullptr || controls_[index]->window())
    return nullptr;
  return static_cast<const DrawnControl*>(controls_[index].get());
}

ElementLook Controls::LookOf(std::size_t index) const {
  const auto elements = window::MainWindowFacts().elements;
  if (index >= elements.size()) return {};
  const int size = elements[index].style.fontPixelSize;
  ElementLook look;
  for (const Font& font : fonts_) {
    if (font.size == size && font.dpi == dpi_) look.fontHeight = HeightOf(font.font);
  }
  if (const auto* picture = As<Picture>(window::ElementId(static_cast<std::uint16_t>(index))))
    look.pictureScale = picture->sourceScale();
  return look;
}

// Each edge is the form's edge in the window's client area at the DPI, so that a control inside a
// frame lies where it would lie outside one; a caption takes its text's size itself.
ControlLook Controls::LookFor(const window::ElementFacts& element, HDC measure) {
  const window::ElementRect inWindow{element.windowPlace.x, element.windowPlace.y,
                                     element.geometry.width, element.geometry.height};
  RECT place = ScaledEdges(inWindow, dpi_);
  if (const auto parent = window::FindElement(element.parent)) {
    const window::ElementPoint origin = parent->facts().windowPlace;
    ::OffsetRect(&place, -Scaled(origin.x, dpi_), -Scaled(origin.y, dpi_));
  }
  return {place, FontOf(element, dpi_, measure), FontOf(element, kFormDpi, measure), dpi_};
}

// The window font, or one of an element's own size in the same face, at `dpi`.
HFONT Controls::FontOf(const window::ElementFacts& element, UINT dpi, HDC measure) {
  const int size = element.style.fontPixelSize;
  for (const Font& known : fonts_) {
    if (known.size == size && known.dpi == dpi) return known.font;
  }
  const window::WindowFontFacts& face = window::MainWindowFacts().font;
  const int height = ScaledFontHeight(size != 0 ? size : face.pixelSize, dpi);
  std::wstring family = WideText(face.family);
  if (BitmapFaceLacks(measure, family, height)) family = kOutlineFace;
  HFONT font = ::CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, family.c_str());
  fonts_.push_back({size, dpi, font});
  return font;
}

}  // namespace qzd::windows
