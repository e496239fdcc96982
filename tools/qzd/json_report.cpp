#include "tools/qzd/json_report.h"

#include <nlohmann/json.hpp>

#include "tools/qzd/text_forms.h"

namespace qzd::cli {

namespace {

using Json = nlohmann::ordered_json;

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

Json ActionsArray(const DisplayUpdate& update) {
  Json actions = Json::array();
  actions.get_ref<Json::array_t&>().reserve(update.actions.size());
  for (const DisplayAction& action : update.actions) {
    Json entry = Json::array({ActionWord(action.kind), action.element});
    if (action.kind == DisplayAction::Kind::SetText) entry.push_back(Latin1ToUtf8(action.text));
    actions.push_back(std::move(entry));
  }
  return actions;
}

}  // namespace

std::string JsonReportLine(std::string_view path, const std::optional<LoadFailure>& failure,
                           const std::optional<DisplayUpdate>& update) {
  Json line = Json::object();
  line["file"] = PathToUtf8(path);
  line["load_error"] = failure ? Json(Latin1ToUtf8(failure->message)) : Json(nullptr);
  line["actions"] = update ? ActionsArray(*update) : Json(nullptr);
  line["stop"] = update && update->stop ? Json(Latin1ToUtf8(update->stop->message)) : Json(nullptr);
  // Escaping everything outside ASCII keeps the line intact through any terminal or pipe.
  return line.dump(-1, ' ', /*ensure_ascii=*/true);
}

}  // namespace qzd::cli
