// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

#include "windows/controls/control.h"

namespace qzd::windows {

// A display field: a sunken edit control that shows a model's text or the model file's path.
class DisplayField final : public ChildControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kDisplayField;

  DisplayField(HINSTANCE instance, const ControlFacts& facts);
  void SetText(const std::wstring& text);
  // As SetText, but a field that shows this text already, and that the user has not typed into,
  // keeps it: Windows lays out and repaints a field again for every text it is given, the same
  // text too, and a load gives every field its text.
  void ShowText(const std::wstring& text);
  void SelectAll();

 private:
  void Restyle(const ControlLook& look) override;
};

}  // namespace qzd::windows
