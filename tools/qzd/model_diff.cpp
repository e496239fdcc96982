// SPDX-License-Identifier: MIT
#include "tools/qzd/model_diff.h"

#include <vector>

#include "model/fill.h"
#include "window/field_labels.h"
#include "window/text_forms.h"

namespace qzd::cli {

using window::Quoted;
using window::TerminalText;

namespace {

std::string FieldValue(const window::WindowState& window, window::ElementId field) {
  return Quoted(window.text(field)) + (window.visible(field) ? "" : " (hidden)");
}

// The loaded slots that no display field shows, in slot order.
std::vector<int> UnshownSlots() {
  std::vector<bool> shown(ModelValueStore::kLoadedSlotCount, false);
  for (const DisplayFieldInfo& field : DisplayFields()) {
    if (field.slot >= 0 && field.slot < ModelValueStore::kLoadedSlotCount) {
      shown[static_cast<std::size_t>(field.slot)] = true;
    }
  }
  std::vector<int> slots;
  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot) {
    if (!shown[static_cast<std::size_t>(slot)]) slots.push_back(slot);
  }
  return slots;
}

std::string Plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

DiffResult DiffModels(const DiffSide& a, const DiffSide& b, bool listUnshownSlots) {
  DiffResult result;
  std::string& out = result.report;
  out += "--- " + TerminalText(a.path) + "\n";
  out += "+++ " + TerminalText(b.path) + "\n";

  std::size_t fieldCount = 0;
  for (const window::FieldLabel& field : window::DisplayFieldLabels()) {
    const std::string left = FieldValue(a.window, field.field);
    const std::string right = FieldValue(b.window, field.field);
    if (left == right) continue;
    ++fieldCount;
    out += std::string(field.label) + ": " + left + " -> " + right + "\n";
  }

  std::size_t slotCount = 0;
  for (const int slot : UnshownSlots()) {
    if (a.store.value(slot) == b.store.value(slot)) continue;
    ++slotCount;
    if (listUnshownSlots) {
      out += "slot " + std::to_string(slot) + ": " + std::to_string(a.store.value(slot)) + " -> " +
             std::to_string(b.store.value(slot)) + "\n";
    }
  }
  out += Plural(fieldCount, "field differs", "fields differ") + "; " +
         Plural(slotCount, "slot that no field shows differs", "slots that no field shows differ") +
         (slotCount > 0 && !listUnshownSlots ? " (--all lists them)" : "") + "\n";

  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot) {
    if (a.store.value(slot) != b.store.value(slot)) result.valuesDiffer = true;
  }
  return result;
}

}  // namespace qzd::cli
