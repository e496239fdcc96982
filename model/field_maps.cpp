// SPDX-License-Identifier: MIT
#include "model/field_maps.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace qzd {

namespace {

constexpr std::array<FieldMapRow, kControlSettingsCount> kControlSettingsMap = {{
    {"pos0", 0, TextForm::kPlain, ""},
    {"thr", 97, TextForm::kSigned, ""},
    {"Mode", 96, TextForm::kMode, "stick mode"},
    {"phases", 8, TextForm::kSigned, ""},
    {"drai1l", 146, TextForm::kSigned, "DR AI, Phase 1, DR1"},
    {"drai2l", 148, TextForm::kSigned, "DR AI, Phase 2, DR1"},
    {"drai3l", 150, TextForm::kSigned, "DR AI, Phase 3, DR1"},
    {"drel1l", 165, TextForm::kSigned, "DR EL, Phase 1, DR1"},
    {"drel2l", 167, TextForm::kSigned, "DR EL, Phase 2, DR1"},
    {"drel3l", 169, TextForm::kSigned, "DR EL, Phase 3, DR1"},
    {"drru1l", 184, TextForm::kSigned, "DR RU, Phase 1, DR1"},
    {"drru2l", 186, TextForm::kSigned, "DR RU, Phase 2, DR1"},
    {"drru3l", 188, TextForm::kSigned, "DR RU, Phase 3, DR1"},
    {"drai1h", 147, TextForm::kSigned, "DR AI, Phase 1, DR2"},
    {"drai2h", 149, TextForm::kSigned, "DR AI, Phase 2, DR2"},
    {"drai3h", 151, TextForm::kSigned, "DR AI, Phase 3, DR2"},
    {"drel1h", 166, TextForm::kSigned, "DR EL, Phase 1, DR2"},
    {"drel2h", 168, TextForm::kSigned, "DR EL, Phase 2, DR2"},
    {"drel3h", 170, TextForm::kSigned, "DR EL, Phase 3, DR2"},
    {"drru1h", 185, TextForm::kSigned, "DR RU, Phase 1, DR2"},
    {"drru2h", 187, TextForm::kSigned, "DR RU, Phase 2, DR2"},
    {"drru3h", 189, TextForm::kSigned, "DR RU, Phase 3, DR2"},
    {"expai", 142, TextForm::kExpo, "EXP AI"},
    {"expel", 161, TextForm::kExpo, "EXP EL"},
    {"expru", 180, TextForm::kExpo, "EXP RU"},
    {"fixai1", 154, TextForm::kSigned, "FIX AI, Phase 1"},
    {"fixai2", 155, TextForm::kSigned, "FIX AI, Phase 2"},
    {"fixai3", 156, TextForm::kSigned, "FIX AI, Phase 3"},
    {"fixel1", 173, TextForm::kSigned, "FIX EL, Phase 1"},
    {"fixel2", 174, TextForm::kSigned, "FIX EL, Phase 2"},
    {"fixel3", 175, TextForm::kSigned, "FIX EL, Phase 3"},
    {"fixru1", 192, TextForm::kSigned, "FIX RU, Phase 1"},
    {"fixru2", 193, TextForm::kSigned, "FIX RU, Phase 2"},
    {"fixru3", 194, TextForm::kSigned, "FIX RU, Phase 3"},
    {"trimai1", 157, TextForm::kSigned, "TRIM, Ph1, AI"},
    {"trimai2", 158, TextForm::kSigned, "TRIM, Ph2, AI"},
    {"trimai3", 159, TextForm::kSigned, "TRIM, Ph3, AI"},
    {"trimel1", 176, TextForm::kSigned, "TRIM, Ph1, EL"},
    {"trimel2", 177, TextForm::kSigned, "TRIM, Ph2, EL"},
    {"trimel3", 178, TextForm::kSigned, "TRIM, Ph3, EL"},
    {"trimru1", 195, TextForm::kSigned, "TRIM, Ph1, RU"},
    {"trimru2", 196, TextForm::kSigned, "TRIM, Ph2, RU"},
    {"trimru3", 197, TextForm::kSigned, "TRIM, Ph3, RU"},
    {"trimth1", 199, TextForm::kSigned, "TRIM, Ph1, TH"},
    {"trimth2", 200, TextForm::kSigned, "TRIM, Ph2, TH"},
    {"trimth3", 201, TextForm::kSigned, "TRIM, Ph3, TH"},
    {"sc1", 100, TextForm::kSigned, "SERVO 1, CENTR"},
    {"sc2", 104, TextForm::kSigned, "SERVO 2, CENTR"},
    {"sc3", 108, TextForm::kSigned, "SERVO 3, CENTR"},
    {"sc4", 112, TextForm::kSigned, "SERVO 4, CENTR"},
    {"sc5", 116, TextForm::kSigned, "SERVO 5, CENTR"},
    {"sc6", 120, TextForm::kSigned, "SERVO 6, CENTR"},
    {"sc7", 124, TextForm::kSigned, "SERVO 7, CENTR"},
    {"stl1", 99, TextForm::kSigned, "SERVO 1, TRAVL, lower"},
    {"stl2", 103, TextForm::kSigned, "SERVO 2, TRAVL, lower"},
    {"stl3", 107, TextForm::kSigned, "SERVO 3, TRAVL, lower"},
    {"stl4", 111, TextForm::kSigned, "SERVO 4, TRAVL, lower"},
    {"stl5", 115, TextForm::kSigned, "SERVO 5, TRAVL, lower"},
    {"stl6", 119, TextForm::kSigned, "SERVO 6, TRAVL, lower"},
    {"stl7", 123, TextForm::kSigned, "SERVO 7, TRAVL, lower"},
    {"stu1", 101, TextForm::kSigned, "SERVO 1, TRAVL, upper"},
    {"stu2", 105, TextForm::kSigned, "SERVO 2, TRAVL, upper"},
    {"stu3", 109, TextForm::kSigned, "SERVO 3, TRAVL, upper"},
    {"stu4", 113, TextForm::kSigned, "SERVO 4, TRAVL, upper"},
    {"stu5", 117, TextForm::kSigned, "SERVO 5, TRAVL, upper"},
    {"stu6", 121, TextForm::kSigned, "SERVO 6, TRAVL, upper"},
    {"stu7", 125, TextForm::kSigned, "SERVO 7, TRAVL, upper"},
    {"sr1", 98, TextForm::kSigned, "SERVO 1, REV"},
    {"sr2", 102, TextForm::kSigned, "SERVO 2, REV"},
    {"sr3", 106, TextForm::kSigned, "SERVO 3, REV"},
    {"sr4", 110, TextForm::kSigned, "SERVO 4, REV"},
    {"sr5", 114, TextForm::kSigned, "SERVO 5, REV"},
    {"sr6", 118, TextForm::kSigned, "SERVO 6, REV"},
    {"sr7", 122, TextForm::kSigned, "SERVO 7, REV"},
}};

constexpr std::array<FieldMapRow, kMixerSettingsCount> kMixerSettingsMap = {{
    {"mixths4", 9, TextForm::kChannelToS4, "->S4, channel 4 assignment"},
    {"mixcombi", 10, TextForm::kTimesFive, "COMBI"},
    {"mixaiai1l", 21, TextForm::kSigned, "AI->AI, phase 1, lower"},
    {"mixaiai2l", 23, TextForm::kSigned, "AI->AI, phase 2, lower"},
    {"mixaiai3l", 25, TextForm::kSigned, "AI->AI, phase 3, lower"},
    {"mixaiai1u", 22, TextForm::kSigned, "AI->AI, phase 1, upper"},
    {"mixaiai2u", 24, TextForm::kSigned, "AI->AI, phase 2, upper"},
    {"mixaiai3u", 26, TextForm::kSigned, "AI->AI, phase 3, upper"},
    {"mixfail", 27, TextForm::kSigned, "F->AI, lower"},
    {"mixfaiu", 28, TextForm::kSigned, "F->AI, upper"},
    {"mixelail", 33, TextForm::kSigned, "EL->AI, lower"},
    {"mixelaiu", 34, TextForm::kSigned, "EL->AI, upper"},
    {"mixfixf1", 13, TextForm::kSigned, "FIX F, phase 1"},
    {"mixfixf2", 14, TextForm::kSigned, "FIX F, phase 2"},
    {"mixfixf3", 15, TextForm::kSigned, "FIX F, phase 3"},
    {"mixofsai", 16, TextForm::kSigned, "OFS AI"},
    {"mixofsf", 17, TextForm::kSigned, "OFS F"},
    {"mixspai", 18, TextForm::kDoubled, "SP->AI"},
    {"mixspf", 39, TextForm::kDoubled, "SP->F"},
    {"mixaif1l", 42, TextForm::kSigned, "AI->F, phase 1, lower"},
    {"mixaif2l", 44, TextForm::kSigned, "AI->F, phase 2, lower"},
    {"mixaif3l", 46, TextForm::kSigned, "AI->F, phase 3, lower"},
    {"mixaif1u", 43, TextForm::kSigned, "AI->F, phase 1, upper"},
    {"mixaif2u", 45, TextForm::kSigned, "AI->F, phase 2, upper"},
    {"mixaif3u", 47, TextForm::kSigned, "AI->F, phase 3, upper"},
    {"mixffl", 48, TextForm::kSigned, "F -> F, lower"},
    {"mixffu", 49, TextForm::kSigned, "F -> F, upper"},
    {"mixelfl", 54, TextForm::kSigned, "EL-> F, lower"},
    {"mixelfu", 55, TextForm::kSigned, "EL-> F, upper"},
    {"mixdeltal", 72, TextForm::kSigned, "DELTA, lower"},
    {"mixdeltau", 73, TextForm::kSigned, "DELTA, upper"},
    {"mixthco", 60, TextForm::kSigned, "TH-CO"},
    {"mixspco", 63, TextForm::kSigned, "SP-CO"},
    {"mixfcol", 66, TextForm::kSigned, "F - CO, lower"},
    {"mixfcou", 67, TextForm::kSigned, "F - CO, upper"},
    {"mixylead", 75, TextForm::kSigned, "Y-LEAD"},
    {"mixvtail", 74, TextForm::kSigned, "V-TAIL"},
    {"mixais5", 77, TextForm::kChannelToS5, "->S5, channel 5 assignment"},
    {"fmix1in", 204, TextForm::kChannel, "free mixer 1, input (from)"},
    {"fmix2in", 215, TextForm::kChannel, "free mixer 2, input (from)"},
    {"fmix3in", 226, TextForm::kChannel, "free mixer 3, input (from)"},
    {"fmix1dst", 205, TextForm::kServoNumber, "free mixer 1, destination (to)"},
    {"fmix2dst", 216, TextForm::kServoNumber, "free mixer 2, destination (to)"},
    {"fmix3dst", 227, TextForm::kServoNumber, "free mixer 3, destination (to)"},
    {"fmix1sw", 203, TextForm::kSwitch, "free mixer 1, switch (if)"},
    {"fmix2sw", 214, TextForm::kSwitch, "free mixer 2, switch (if)"},
    {"fmix3sw", 225, TextForm::kSwitch, "free mixer 3, switch (if)"},
    {"fmix11l", 206, TextForm::kSigned, "free mixer 1, phase 1, lower"},
    {"fmix11u", 207, TextForm::kSigned, "free mixer 1, phase 1, upper"},
    {"fmix21l", 217, TextForm::kSigned, "free mixer 2, phase 1, lower"},
    {"fmix21u", 218, TextForm::kSigned, "free mixer 2, phase 1, upper"},
    {"fmix31l", 228, TextForm::kSigned, "free mixer 3, phase 1, lower"},
    {"fmix31u", 229, TextForm::kSigned, "free mixer 3, phase 1, upper"},
    {"fmix12l", 208, TextForm::kSigned, "free mixer 1, phase 2, lower"},
    {"fmix12u", 209, TextForm::kSigned, "free mixer 1, phase 2, upper"},
    {"fmix22l", 219, TextForm::kSigned, "free mixer 2, phase 2, lower"},
    {"fmix22u", 220, TextForm::kSigned, "free mixer 2, phase 2, upper"},
    {"fmix32l", 230, TextForm::kSigned, "free mixer 3, phase 2, lower"},
    {"fmix32u", 231, TextForm::kSigned, "free mixer 3, phase 2, upper"},
    {"fmix13l", 210, TextForm::kSigned, "free mixer 1, phase 3, lower"},
    {"fmix13u", 211, TextForm::kSigned, "free mixer 1, phase 3, upper"},
    {"fmix23l", 221, TextForm::kSigned, "free mixer 2, phase 3, lower"},
    {"fmix23u", 222, TextForm::kSigned, "free mixer 2, phase 3, upper"},
    {"fmix33l", 232, TextForm::kSigned, "free mixer 3, phase 3, lower"},
    {"fmix33u", 233, TextForm::kSigned, "free mixer 3, phase 3, upper"},
}};

// AI is never a channel 4 assignment, so its range starts at EL.
// An inclusive range of channel codes, compared as signed integers.
struct ChannelRange {
  std::int32_t low;
  std::int32_t high;
};

constexpr ChannelRange kChannelToS4Range{2, 7};
constexpr ChannelRange kChannelToS5Range{1, 7};

}  // namespace

// A table with fewer rows than its declared count would end in empty rows.
template <std::size_t N>
constexpr bool EveryRowNamed(const std::array<FieldMapRow, N>& rows) {
  // The iterator algorithms, not std::ranges: the browser edition's standard library (libc++ 14)
  // has no range algorithms.
  return std::none_of(rows.begin(), rows.end(),
                      [](const FieldMapRow& row) { return row.name.empty(); });
}
static_assert(EveryRowNamed(kControlSettingsMap));
static_assert(EveryRowNamed(kMixerSettingsMap));

std::span<const FieldMapRow, kControlSettingsCount> ControlSettingsMap() noexcept {
  return kControlSettingsMap;
}

std::span<const FieldMapRow, kMixerSettingsCount> MixerSettingsMap() noexcept {
  return kMixerSettingsMap;
}

namespace {

WriteResult GuardedChannelText(std::int32_t v, ChannelRange range, std::string& out) {
  if (v < range.low || v > range.high) {
    out.assign(kUnnamedChannel);
    return WriteResult{};
  }
  return ChannelText(v, out);
}

WriteResult ChannelToS4Text(std::int32_t v, std::string& out) {
  return GuardedChannelText(v, kChannelToS4Range, out);
}

WriteResult ChannelToS5Text(std::int32_t v, std::string& out) {
  return GuardedChannelText(v, kChannelToS5Range, out);
}

using TextWriter = WriteResult (*)(std::int32_t, std::string&);

// Indexed by TextForm.
constexpr std::array<TextWriter, 11> kTextWriters = {
    PlainText,       SignedText,  ExpoText,   DoubledText,     TimesFiveText,   ModeText,
    ServoNumberText, ChannelText, SwitchText, ChannelToS4Text, ChannelToS5Text,
};
static_assert(kTextWriters.size() == static_cast<std::size_t>(TextForm::kChannelToS5) + 1);

}  // namespace

WriteResult TextOf(TextForm form, std::int32_t v, std::string& out) {
  return kTextWriters[static_cast<std::size_t>(form)](v, out);
}

}  // namespace qzd
