// SPDX-License-Identifier: MIT
#include "tools/qzd/json_report.h"

#include "window/text_forms.h"

namespace qzd::cli {

using window::AppendLatin1AsUtf8;
using window::Utf8PrefixLength;

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kLoadError = "load_error";
constexpr std::string_view kActions = "actions";
constexpr std::string_view kStop = "stop";

std::string_view ActionWord(DisplayAction::Kind kind) {
  switch (kind) {
    case DisplayAction::Kind::kSetText:
      return "set";
    case DisplayAction::Kind::kShow:
      return "show";
    case DisplayAction::Kind::kHide:
      return "hide";
  }
  return "?";
}

// Makes `j` a string holding `utf8`, reusing the string it may already hold.
void SetString(Json& j, std::string_view utf8) {
  if (!j.is_string()) j = Json::string_t();
  j.get_ref<Json::string_t&>().assign(utf8);
}

void SetLatin1(Json& j, std::string_view bytes) {
  if (!j.is_string()) j = Json::string_t();
  auto& text = j.get_ref<Json::string_t&>();
  text.clear();
  AppendLatin1AsUtf8(text, bytes);
}

// The file name as a JSON string, one name to one string. A name's bytes need not be UTF-8 and
// the JSON library accepts nothing else, so each stretch of well-formed UTF-8 is written by the
// library as its characters, and each byte that starts no well-formed sequence (always 0x80 to
// 0xff) as the escape \udcXX: a lone low surrogate, which no UTF-8 text can hold, so no valid name
// writes it. This is the surrogateescape scheme of Python's os.fsdecode, whose json.dumps of the
// decoded name gives the same text.
std::string FileNameJson(std::string_view name) {
  static constexpr std::string_view kHex = "0123456789abcdef";
  std::string out = "\"";
  while (!name.empty()) {
    const std::size_t valid = Utf8PrefixLength(name);
    if (valid > 0) {
      const std::string quoted =
          Json(std::string(name.substr(0, valid))).dump(-1, ' ', /*ensure_ascii=*/true);
      out.append(quoted, 1, quoted.size() - 2);
    }
    if (valid == name.size()) break;
    const auto byte = static_cast<unsigned char>(name[valid]);
    out += "\\udc";
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0x0F]);
    name.remove_prefix(valid + 1);
  }
  out.push_back('"');
  return out;
}

// Rewrites `actions` in place with the fill's actions, reusing the entries it already has.
void FillActions(Json& actions, const DisplayUpdate& update) {
  if (!actions.is_array()) actions = Json::array();
  auto& entries = actions.get_ref<Json::array_t&>();
  entries.resize(update.actions.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DisplayAction& action = update.actions[i];
    if (!entries[i].is_array()) entries[i] = Json::array();
    auto& parts = entries[i].get_ref<Json::array_t&>();
    const bool setsText = action.kind == DisplayAction::Kind::kSetText;
    parts.resize(setsText ? 3 : 2);
    SetString(parts[0], ActionWord(action.kind));
    SetLatin1(parts[1], action.element);
    if (setsText) SetLatin1(parts[2], action.text);
  }
}

}  // namespace

JsonReportWriter::JsonReportWriter() : line_(Json::object()), actions_(Json::array()) {
  // "file" comes first in every line but is written apart from the document (FileNameJson).
  for (const std::string_view key : {kLoadError, kActions, kStop}) {
    line_[std::string(key)] = nullptr;
  }
}

std::string JsonReportWriter::Line(std::string_view path, const std::optional<LoadFailure>& failure,
                                   const std::optional<DisplayUpdate>& update) {
  if (failure) {
    SetLatin1(line_[kLoadError], failure->message);
  } else {
    line_[kLoadError] = nullptr;
  }
  Json& actions = line_[kActions];
  if (update) {
    if (actions.is_null()) actions = std::move(actions_);
    FillActions(actions, *update);
  } else if (!actions.is_null()) {
    actions_ = std::move(actions);
    actions = nullptr;
  }
  if (update && update->stop) {
    SetLatin1(line_[kStop], update->stop->message);
  } else {
    line_[kStop] = nullptr;
  }
  // Escaping everything outside ASCII keeps the line intact through any terminal or pipe.
  const std::string rest = line_.dump(-1, ' ', /*ensure_ascii=*/true);
  std::string line = "{\"file\":";
  line += FileNameJson(path);
  line += ',';
  line.append(rest, 1);
  return line;
}

}  // namespace qzd::cli
