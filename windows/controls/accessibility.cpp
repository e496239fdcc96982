// SPDX-License-Identifier: MIT
// The Accessibility property service sets a window's accessible name, description and role
// without an accessibility object of our own.
#include <oleacc.h>

#include <string_view>
#include <vector>

#include "model/utf16.h"
#include "window/field_labels.h"
#include "windows/com.h"
#include "windows/controls/controls.h"

namespace qzd::windows {

// A display field is named by the human label of what it shows, unless the form names it; every
// other control by its own text.
void NameForScreenReaders(const Controls& controls) {
  IAccPropServices* service = nullptr;
  if (!StartCom() ||
      FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&service))))
    return;
  const auto elements = window::MainWindowFacts().elements;
  std::vector<std::string_view> labels(elements.size());
  for (const window::FieldLabel& label : window::DisplayFieldLabels())
    labels[label.field.index()] = label.label;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const window::ElementFacts& facts = elements[i];
    HWND control = controls[window::ElementId(static_cast<std::uint16_t>(i))].window();
    if (control == nullptr) continue;
    const std::string_view name = facts.accessibleName.empty() ? labels[i] : facts.accessibleName;
    if (!name.empty()) {
      service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_NAME, WideText(name).c_str());
    }
    if (!facts.accessibleDescription.empty()) {
      service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_DESCRIPTION,
                              WideText(facts.accessibleDescription).c_str());
    }
    if (facts.kind == window::ElementKind::kPictureBox) {
      VARIANT role;
      role.vt = VT_I4;
      role.lVal = ROLE_SYSTEM_GRAPHIC;
      service->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                           role);
    }
  }
  service->Release();
}

}  // namespace qzd::windows
