// SPDX-License-Identifier: MIT
#include "model/fill.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace qzd {

namespace {

using Kind = DisplayAction::Kind;

enum class Visibility : unsigned char { kUnchanged, kShow, kHide };
constexpr Visibility S = Visibility::kShow;
constexpr Visibility H = Visibility::kHide;
constexpr Visibility N = Visibility::kUnchanged;

// One element that the model type shows or hides, with its action for EASY, GLIDER, ACRO and
// HELI in that order. An unlisted type touches none of them.
struct ModelTypeRow {
  std::string_view element;
  std::array<Visibility, 4> byType;
};

// In the order the fill produces the actions. helivar is hidden at the start of every fill, so
// only HELI mentions it here.
constexpr std::array<ModelTypeRow, 58> kModelTypeRows = {{
    {"Image4", {S, H, S, H}},    {"Image5", {S, S, H, H}},   {"Image6", {H, H, H, S}},
    {"helivar", {N, N, N, S}},   {"fixai1", {H, S, S, N}},   {"fixai2", {H, S, S, N}},
    {"fixai3", {H, S, S, N}},    {"fixel1", {H, S, S, N}},   {"fixel2", {H, S, S, N}},
    {"fixel3", {H, S, S, N}},    {"fixru1", {H, S, S, N}},   {"fixru2", {H, S, S, N}},
    {"fixru3", {H, S, S, N}},    {"mixths4", {S, S, H, N}},  {"mixaif1l", {H, S, H, N}},
    {"mixaif2l", {H, S, H, N}},  {"mixaif3l", {H, S, H, N}}, {"mixaif1u", {H, S, H, N}},
    {"mixaif2u", {H, S, H, N}},  {"mixaif3u", {H, S, H, N}}, {"mixspf", {H, S, H, N}},
    {"mixfail", {S, S, H, N}},   {"mixfaiu", {S, S, H, N}},  {"mixffl", {H, S, H, N}},
    {"mixffu", {H, S, H, N}},    {"mixelail", {H, S, S, N}}, {"mixelaiu", {H, S, S, N}},
    {"mixelfl", {H, S, H, N}},   {"mixelfu", {H, S, H, N}},  {"mixfixf1", {H, S, H, N}},
    {"mixfixf2", {H, S, H, N}},  {"mixfixf3", {H, S, H, N}}, {"mixfcol", {S, S, H, N}},
    {"mixfcou", {S, S, H, N}},   {"mixylead", {S, H, S, N}}, {"mixdeltal", {S, H, S, N}},
    {"mixdeltau", {S, H, S, N}}, {"mixais5", {S, H, S, N}},  {"fmix21l", {H, S, S, N}},
    {"fmix21u", {H, S, S, N}},   {"fmix22l", {H, S, S, N}},  {"fmix22u", {H, S, S, N}},
    {"fmix23l", {H, S, S, N}},   {"fmix23u", {H, S, S, N}},  {"fmix2in", {H, S, S, N}},
    {"fmix2sw", {H, S, S, N}},   {"fmix2dst", {H, S, S, N}}, {"fmix31l", {H, S, S, N}},
    {"fmix31u", {H, S, S, N}},   {"fmix32l", {H, S, S, N}},  {"fmix32u", {H, S, S, N}},
    {"fmix33l", {H, S, S, N}},   {"fmix33u", {H, S, S, N}},  {"fmix3in", {H, S, S, N}},
    {"fmix3sw", {H, S, S, N}},   {"fmix3dst", {H, S, S, N}}, {"Label66", {H, S, S, N}},
    {"Label67", {H, S, S, N}},
}};

constexpr std::array<std::string_view, 4> kModelTypeCaptions = {"EASY", "GLIDER", "ACRO", "HELI"};
constexpr std::string_view kUnlistedTypeCaption = "-?-";

constexpr std::string_view kModelTypeField = "pos1";
constexpr std::string_view kHeliWarning = "helivar";

// Every field's text, the helivar hide and at most one action per model-type row.
constexpr std::size_t kMaxActions = kDisplayFieldCount + 1 + kModelTypeRows.size();

void AddModelType(DisplayUpdate& update, ModelType type) {
  if (type == ModelType::kUnlisted) {
    update.actions.push_back({Kind::kSetText, kModelTypeField, std::string(kUnlistedTypeCaption)});
    return;
  }
  const auto column = static_cast<std::size_t>(type);
  update.actions.push_back(
      {Kind::kSetText, kModelTypeField, std::string(kModelTypeCaptions[column])});
  for (const ModelTypeRow& row : kModelTypeRows) {
    switch (row.byType[column]) {
      case Visibility::kShow:
        update.actions.push_back({Kind::kShow, row.element, std::string()});
        break;
      case Visibility::kHide:
        update.actions.push_back({Kind::kHide, row.element, std::string()});
        break;
      case Visibility::kUnchanged:
        break;
    }
  }
}

// Adds the field's text, or ends the update with a FillStop. Returns false when the fill stops.
bool AddFieldText(DisplayUpdate& update, const FieldMapRow& row, const ModelValueStore& store) {
  // Written straight into the action: no temporary string per field.
  DisplayAction& action =
      update.actions.emplace_back(DisplayAction{Kind::kSetText, row.name, std::string()});
  const WriteResult result = TextOf(row.form, store.value(row.slot), action.text);
  if (result.failed()) {
    update.actions.pop_back();
    update.stop = FillStop{std::string(result.error)};
    return false;
  }
  // Only a switch code without a name gives no text. Leaving the field alone would go on showing
  // the previous model's switch as if it were this one's; "??" says the code is unknown, as the
  // channel assignment fields do, and a complete fill thus sets every field.
  if (!result.hasText) action.text.assign(kUnnamedChannel);
  return true;
}

bool AddFieldTexts(DisplayUpdate& update, std::span<const FieldMapRow> rows,
                   const ModelValueStore& store) {
  for (const FieldMapRow& row : rows) {
    if (!AddFieldText(update, row, store)) return false;
  }
  return true;
}

}  // namespace

ModelType ModelTypeOf(std::int32_t code) noexcept {
  if (code < 0 || code >= static_cast<std::int32_t>(kModelTypeCaptions.size())) {
    return ModelType::kUnlisted;
  }
  return static_cast<ModelType>(code);
}

DisplayUpdate BuildDisplayUpdate(const ModelValueStore& store) {
  DisplayUpdate update;
  update.actions.reserve(kMaxActions);
  const std::span<const FieldMapRow> control = ControlSettingsMap();
  // The list number comes before the model-type branch; the other control fields after it.
  if (!AddFieldTexts(update, control.first(1), store)) return update;
  update.actions.push_back({Kind::kHide, kHeliWarning, {}});
  AddModelType(update, ModelTypeOf(store.value(kModelTypeSlot)));
  if (!AddFieldTexts(update, control.subspan(1), store)) return update;
  AddFieldTexts(update, MixerSettingsMap(), store);
  return update;
}

std::span<const DisplayFieldInfo> DisplayFields() {
  static const std::array<DisplayFieldInfo, kDisplayFieldCount> fields = [] {
    const auto info = [](const FieldMapRow& row) {
      return DisplayFieldInfo{row.name, row.slot, row.label};
    };
    // The fill's order: pos0, the model type, the other control fields, the mixer fields. The
    // maps' sizes are part of their types, so the parts fill the array exactly.
    std::array<DisplayFieldInfo, kDisplayFieldCount> all{};
    const auto control = ControlSettingsMap();
    const auto mixer = MixerSettingsMap();
    // Iterator algorithms: the browser edition's libc++ 14 has no std::ranges ones.
    const auto tail = control.subspan<1>();
    const auto rest = std::transform(tail.begin(), tail.end(), all.begin() + 2, info);
    std::transform(mixer.begin(), mixer.end(), rest, info);
    all[0] = info(control.front());
    all[1] = {kModelTypeField, kModelTypeSlot, "model type"};
    static_assert(2 + (decltype(control)::extent - 1) + decltype(mixer)::extent ==
                  kDisplayFieldCount);
    return all;
  }();
  return fields;
}

}  // namespace qzd
