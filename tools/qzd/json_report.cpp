#include "tools/qzd/json_report.h"

#include "tools/qzd/text_forms.h"

namespace qzd::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kFile = "file";
constexpr std::string_view kLoadError = "load_error";
constexpr std::string_view kActions = "actions";
constexpr std::string_view kStop = "stop";

std::string_view ActionWord(DisplayAction::Kind kind) {
  switch (kind) {
    case DisplayAction::Kind::SetText:
      return "set";
    case DisplayAction::Kind::Show:
      return "show";
    case DisplayAction::Kind::Hide:
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

// Rewrites `actions` in place with the fill's actions, reusing the entries it already has.
void FillActions(Json& actions, const DisplayUpdate& update) {
  if (!actions.is_array()) actions = Json::array();
  auto& entries = actions.get_ref<Json::array_t&>();
  entries.resize(update.actions.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DisplayAction& action = update.actions[i];
    if (!entries[i].is_array()) entries[i] = Json::array();
    auto& parts = entries[i].get_ref<Json::array_t&>();
    const bool setsText = action.kind == DisplayAction::Kind::SetText;
    parts.resize(setsText ? 3 : 2);
    SetString(parts[0], ActionWord(action.kind));
    SetLatin1(parts[1], action.element);
    if (setsText) SetLatin1(parts[2], action.text);
  }
}

}  // namespace

JsonReportWriter::JsonReportWriter() : line_(Json::object()), actions_(Json::array()) {
  for (const std::string_view key : {kFile, kLoadError, kActions, kStop}) {
    line_[std::string(key)] = nullptr;
  }
}

std::string JsonReportWriter::Line(std::string_view path, const std::optional<LoadFailure>& failure,
                                   const std::optional<DisplayUpdate>& update) {
  SetString(line_[kFile], PathToUtf8(path));
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
  return line_.dump(-1, ' ', /*ensure_ascii=*/true);
}

}  // namespace qzd::cli
