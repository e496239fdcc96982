// SPDX-License-Identifier: MIT
// The browser edition's program: the page's one value store, its page cycle and its load command,
// the same code as the desktop window's, run from the page's events. The page (page.js) hands in
// clicks and files and does what the program asks to its elements by name; nothing here or there
// decides a text or a visibility a second time.
#include <emscripten/emscripten.h>

#include <optional>
#include <string>
#include <string_view>

#include "model/display_update.h"
#include "model/fill.h"
#include "model/model_file_reader.h"
#include "model/model_value_store.h"
#include "viewer/core/window_clicks.h"
#include "viewer/help_panel_cycle.h"
#include "viewer/load_command.h"
#include "viewer/program_title.h"
#include "web/stream_byte_source.h"

namespace {

// The page's side (page_imports.js). Names and model texts are bytes, one character per byte.
extern "C" {
void qzd_page_set_text(const char* name, int nameLength, const char* text, int textLength);
void qzd_page_set_visible(const char* name, int nameLength, int visible);
void qzd_page_set_label(const char* name, int nameLength, const char* label, int labelLength);
void qzd_page_set_file_path(const char* path, int pathLength);
int qzd_page_choose_file();
void qzd_page_chosen_name(char* buffer, int capacity);
void qzd_page_show_error(const char* caption, int captionLength, const char* text, int textLength);
}

int Length(std::string_view text) {
  return static_cast<int>(text.size());
}

}  // namespace

namespace qzd::web {
namespace {

// The page's elements, addressed by name like the desktop window's widgets.
class Page final : public viewer::PageFrames, public viewer::LoadTarget {
 public:
  explicit Page(ModelValueStore& store) : store_(store) {}

  void SetText(std::string_view element, std::string_view text) {
    qzd_page_set_text(element.data(), Length(element), text.data(), Length(text));
  }
  void SetVisible(std::string_view element, bool visible) {
    qzd_page_set_visible(element.data(), Length(element), visible ? 1 : 0);
  }

  void SetPageVisible(std::string_view frame, bool visible) override { SetVisible(frame, visible); }

  void SetFilePath(const viewer::ChosenFile& file) override {
    qzd_page_set_file_path(file.path.data(), Length(file.path));
  }

  void ShowMixerPage() override {
    cycle_.ResetToMixer();
    cycle_.Advance();
  }

  std::optional<FillStop> FillForm() override {
    return ApplyDisplayUpdate(BuildDisplayUpdate(store_), *this);
  }

  viewer::HelpPanelCycle& cycle() noexcept { return cycle_; }

 private:
  ModelValueStore& store_;
  viewer::HelpPanelCycle cycle_{*this};
};

// The browser's file picker, or the file dropped on the page. A page learns only a file's name.
class PagePicker final : public viewer::OpenDialog {
 public:
  std::optional<viewer::ChosenFile> Choose() override {
    const int length = qzd_page_choose_file();
    if (length < 0) return std::nullopt;
    std::string name(static_cast<std::size_t>(length) + 1, '\0');
    qzd_page_chosen_name(name.data(), Length(name));
    name.resize(static_cast<std::size_t>(length));
    return viewer::ChosenFile{std::move(name)};
  }
};

class PageErrorBox final : public viewer::ErrorBox {
 public:
  void Show(std::string_view text) override {
    constexpr std::string_view kCaption = viewer::kProgramTitle;
    qzd_page_show_error(kCaption.data(), Length(kCaption), text.data(), Length(text));
  }
};

// Reads the chosen file from the page's stream of it.
class PageFileReader final : public viewer::ModelFileReader {
 public:
  std::optional<LoadFailure> Read(const viewer::ChosenFile&,
                                  ModelValueStore& store) const override {
    StreamByteSource source;
    return ReadModel(source, store);
  }
};

// Everything lives as long as the page: one store for the whole visit, carry-over included.
struct Program {
  ModelValueStore store;
  Page page{store};
  PagePicker picker;
  PageErrorBox errors;
  PageFileReader reader;
  viewer::LoadCommand load{store, picker, reader, errors, page};
};

Program& TheProgram() {
  static Program program;
  return program;
}

}  // namespace
}  // namespace qzd::web

extern "C" {

// Once the module is up: every display field takes the label `qzd diff` prints as its name.
EMSCRIPTEN_KEEPALIVE void qzd_start() {
  for (const qzd::DisplayFieldInfo& field : qzd::DisplayFields()) {
    qzd_page_set_label(field.name.data(), Length(field.name), field.label.data(),
                       Length(field.label));
  }
}

// A click on a button or on a frame where none of its visible elements lies.
EMSCRIPTEN_KEEPALIVE void qzd_click(const char* element) {
  using namespace qzd::web;
  using qzd::viewer::WindowCommand;
  const std::optional<WindowCommand> command = qzd::viewer::ClickCommand(element);
  if (command == WindowCommand::kLoadModel) {
    TheProgram().load.Run();
  } else if (command == WindowCommand::kAdvancePage) {
    TheProgram().page.cycle().Advance();
  }
}

// A file given to the page without its dialog (dropped, or handed to the file input directly):
// the load command runs and its dialog returns that file at once.
EMSCRIPTEN_KEEPALIVE void qzd_file_open_click() {
  qzd::web::TheProgram().load.Run();
}

}  // extern "C"
