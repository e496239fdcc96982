// SPDX-License-Identifier: MIT
#include "windows/controls/drawn.h"

namespace qzd::windows {
namespace {

RECT TextPlace(const ControlFacts& facts, HDC measure) {
  HGDIOBJ previous = ::SelectObject(measure, facts.font);
  SIZE size{};
  ::GetTextExtentPoint32W(measure, facts.text.c_str(), static_cast<int>(facts.text.size()), &size);
  ::SelectObject(measure, previous);
  return {facts.place.left, facts.place.top, facts.place.left + size.cx, facts.place.top + size.cy};
}

}  // namespace

void DrawnControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
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

Caption::Caption(const ControlFacts& facts, HDC measure)
    : DrawnControl(facts, TextPlace(facts, measure)),
      font_(facts.font),
      text_(facts.text),
      colour_(facts.element.facts().style.colour == window::ColourRole::kHighlight
                  ? COLOR_HIGHLIGHT
                  : COLOR_BTNTEXT) {}

void Caption::Paint(HDC dc) const {
  ::SelectObject(dc, font_);
  ::SetTextColor(dc, ::GetSysColor(colour_));
  ::ExtTextOutW(dc, place().left, place().top, ETO_CLIPPED, &place(), text_.c_str(),
                static_cast<UINT>(text_.size()), nullptr);
}

void Separator::Paint(HDC dc) const {
  RECT line = place();
  ::DrawEdge(dc, &line, EDGE_ETCHED,
             line.right - line.left >= line.bottom - line.top ? BF_TOP : BF_LEFT);
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
