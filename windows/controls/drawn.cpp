// SPDX-License-Identifier: MIT
#include "windows/controls/drawn.h"

#include <algorithm>
#include <array>
#include <vector>

#include "windows/dpi.h"

namespace qzd::windows {

void DrawEtchedEdge(HDC dc, RECT box, UINT sides, int thickness) {
  if (thickness <= 1) {
    ::DrawEdge(dc, &box, EDGE_ETCHED, sides);
    return;
  }
  // The outer stroke is sunken and the inner one raised: shadow then highlight at the top and
  // left, the other way round at the bottom and right.
  struct Stroke {
    int topLeft;
    int bottomRight;
  };
  constexpr std::array<Stroke, 2> kStrokes{
      {{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}, {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}}};
  for (const Stroke& stroke : kStrokes) {
    const struct {
      UINT side;
      RECT band;
      int colour;
    } bands[] = {
        {BF_TOP, {box.left, box.top, box.right, box.top + thickness}, stroke.topLeft},
        {BF_LEFT, {box.left, box.top, box.left + thickness, box.bottom}, stroke.topLeft},
        {BF_BOTTOM, {box.left, box.bottom - thickness, box.right, box.bottom}, stroke.bottomRight},
        {BF_RIGHT, {box.right - thickness, box.top, box.right, box.bottom}, stroke.bottomRight},
    };
    for (const auto& band : bands) {
      if ((sides & band.side) != 0) ::FillRect(dc, &band.band, ::GetSysColorBrush(band.colour));
    }
    if ((sides & BF_TOP) != 0) box.top += thickness;
    if ((sides & BF_LEFT) != 0) box.left += thickness;
    if ((sides & BF_BOTTOM) != 0) box.bottom -= thickness;
    if ((sides & BF_RIGHT) != 0) box.right -= thickness;
  }
}

void DrawnControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Invalidate();
}

void DrawnControl::Rescale(const ControlLook& look) {
  Invalidate();
  place_ = look.place;
  Restyle(look);
  Invalidate();
}

void DrawnControl::Invalidate() const {
  ::InvalidateRect(parent_, &place_, TRUE);
}

bool DrawnControl::Covers(POINT at) const {
  return visible_ && ::PtInRect(&place_, at);
}

bool DrawnControl::Overlaps(const RECT& area) const {
  RECT overlap;
  return visible_ && ::IntersectRect(&overlap, &place_, &area);
}

DrawnElementState DrawnControl::StateIn(HWND window) const {
  POINT corner{place_.left, place_.top};
  ::MapWindowPoints(parent_, window, &corner, 1);
  return {visible_, static_cast<int>(corner.x), static_cast<int>(corner.y),
          static_cast<int>(place_.right - place_.left),
          static_cast<int>(place_.bottom - place_.top)};
}

Caption::Caption(const ControlFacts& facts)
    : DrawnControl(facts),
      text_(facts.text),
      colour_(facts.element.facts().style.colour == window::ColourRole::kHighlight
                  ? COLOR_HIGHLIGHT
                  : COLOR_BTNTEXT) {
  Restyle(facts.look);
}

namespace {

// Where each character of `text` ends in `font`, from the text's start.
std::vector<int> Ends(HDC measure, HFONT font, const std::wstring& text) {
  std::vector<int> ends(text.size());
  HGDIOBJ previous = ::SelectObject(measure, font);
  SIZE size{};
  ::GetTextExtentExPointW(measure, text.c_str(), static_cast<int>(text.size()), 0, nullptr,
                          ends.data(), &size);
  ::SelectObject(measure, previous);
  return ends;
}

// The advances that start each word after two or more blanks at its place in the form, scaled,
// but never on or before the text before it, and every other character where the font puts it.
std::vector<INT> AnchoredAdvances(const std::wstring& text, const std::vector<int>& ends,
                                  const std::vector<int>& formEnds, UINT dpi) {
  const auto before = [](const std::vector<int>& at, std::size_t i) {
    return i == 0 ? 0 : at[i - 1];
  };
  std::vector<int> starts(text.size() + 1);
  int shift = 0;   // how far the anchored words have moved the text from the font's places
  int inkEnd = 0;  // where the last character that is not a blank ends
  for (std::size_t i = 0; i < text.size(); ++i) {
    starts[i] = before(ends, i) + shift;
    if (i >= 2 && text[i] != L' ' && text[i - 1] == L' ' && text[i - 2] == L' ') {
      const int blank = ends[i - 1] - ends[i - 2];
      starts[i] = std::max(Scaled(before(formEnds, i), dpi), inkEnd + blank);
      shift = starts[i] - before(ends, i);
    }
    if (text[i] != L' ') inkEnd = ends[i] + shift;
  }
  starts[text.size()] = before(ends, text.size()) + shift;
  std::vector<INT> advances(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) advances[i] = starts[i + 1] - starts[i];
  return advances;
}

}  // namespace

void Caption::Restyle(const ControlLook& look) {
  font_ = look.font;
  HDC measure = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(measure, font_);
  SIZE size{};
  ::GetTextExtentPoint32W(measure, text_.c_str(), static_cast<int>(text_.size()), &size);
  ::SelectObject(measure, previous);
  advances_.clear();
  if (look.formFont != look.font && !text_.empty()) {
    advances_ = AnchoredAdvances(text_, Ends(measure, font_, text_),
                                 Ends(measure, look.formFont, text_), look.dpi);
    size.cx = 0;
    for (const INT advance : advances_) size.cx += advance;
  }
  ::ReleaseDC(nullptr, measure);
  Resize(size.cx, size.cy);
}

void Caption::Paint(HDC dc) const {
  ::SelectObject(dc, font_);
  ::SetTextColor(dc, ::GetSysColor(colour_));
  ::ExtTextOutW(dc, place().left, place().top, ETO_CLIPPED, &place(), text_.c_str(),
                static_cast<UINT>(text_.size()), advances_.empty() ? nullptr : advances_.data());
}

void Separator::Paint(HDC dc) const {
  const RECT& line = place();
  DrawEtchedEdge(dc, line, line.right - line.left >= line.bottom - line.top ? BF_TOP : BF_LEFT,
                 thickness_);
}

void Separator::Restyle(const ControlLook& look) {
  thickness_ = Scaled(1, look.dpi);
}

void DrawnLayer::Paint(HDC dc, const RECT& dirty) const {
  const int saved = ::SaveDC(dc);
  ::SetBkMode(dc, TRANSPARENT);
  for (const DrawnControl* control : controls_) {
    if (control->Overlaps(dirty)) control->Paint(dc);
  }
  ::RestoreDC(dc, saved);
}

std::optional<window::ElementId> DrawnLayer::At(POINT at) const {
  for (auto control = controls_.rbegin(); control != controls_.rend(); ++control) {
    if ((*control)->Covers(at)) return (*control)->element();
  }
  return std::nullopt;
}

}  // namespace qzd::windows
