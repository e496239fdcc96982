// SPDX-License-Identifier: MIT
// The browser edition's program: the page's one value store, its page cycle and its load command,
// the same code as the desktop window's, run from the page's events. The page (page.js) hands in
// clicks and files and does what the program asks to its elements by name; nothing here or there
// decides a text or a visibility a second time.
#include <emscripten/emscripten.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_file_reader.h"
#include "model/model_value_store.h"
#include "web/stream_byte_source.h"
#include "window/elements.h"
#include "window/field_labels.h"
#include "window/model_outputs.h"
#include "window/model_sequence.h"
#include "window/program_title.h"
#include "window/window_controller.h"

namespace {

// The page's side (page_imports.js). Names and model texts are bytes, one character per byte.
extern "C" {
void qzd_page_set_text(const char* name, int nameLength, const char* text, int textLength);
void qzd_page_set_visible(const char* name, int nameLength, int visible);
void qzd_page_set_label(const char* name, int nameLength, const char* label, int labelLength);
void qzd_page_set_file_path(const char* name, int nameLength, const char* path, int pathLength);
int qzd_page_choose_file();
void qzd_page_chosen_name(char* buffer, int capacity);
int qzd_page_dropped_name(int index, char* buffer, int capacity);
void qzd_page_take_dropped(int index);
void qzd_page_show_error(const char* caption, int captionLength, const char* text, int textLength);
int qzd_page_handed_name(int index, char* buffer, int capacity);
void qzd_page_use_file(const char* name, int nameLength);
void qzd_page_command(int command, const char* name, int nameLength, const char* keys,
                      int keysLength, int enabled);
void qzd_page_print(const char* header, int headerLength);
void qzd_page_copy(const char* text, int textLength);
void qzd_page_download(const char* name, int nameLength, const char* text, int textLength);
void qzd_page_announce(const char* text, int textLength);
}

int Length(std::string_view text) {
  return static_cast<int>(text.size());
}

}  // namespace

namespace qzd::web {
namespace {

// The page's elements, addressed by name like the desktop window's widgets, and its dialogs.
class Page final : public window::FrontEnd {
 public:
  void SetText(window::ElementId element, std::string_view text) override {
    const std::string_view name = element.name();
    qzd_page_set_text(name.data(), Length(name), text.data(), Length(text));
  }
  void SetVisible(window::ElementId element, bool visible) override {
    const std::string_view name = element.name();
    qzd_page_set_visible(name.data(), Length(name), visible ? 1 : 0);
  }
  void SetFilePath(const window::ChosenFile& file) override {
    const std::string_view name = window::elements::FilePath.name();
    qzd_page_set_file_path(name.data(), Length(name), file.path.data(), Length(file.path));
  }
  // The browser's file picker, or the file dropped on the page. A page learns only a file's name.
  std::optional<window::ChosenFile> ChooseFile() override {
    const int length = qzd_page_choose_file();
    if (length < 0) return std::nullopt;
    std::string name(static_cast<std::size_t>(length) + 1, '\0');
    qzd_page_chosen_name(name.data(), Length(name));
    name.resize(static_cast<std::size_t>(length));
    return window::ChosenFile{std::move(name)};
  }
  void ShowError(std::string_view text) override {
    constexpr std::string_view kCaption = window::kProgramTitle;
    qzd_page_show_error(kCaption.data(), Length(kCaption), text.data(), Length(text));
  }

  // A page saves nothing but the sheet (its print to PDF covers the rest), and cannot close.
  [[nodiscard]] bool Offers(window::WindowCommand command) const override {
    using enum window::WindowCommand;
    return command != kSaveAs && command != kContextMenu && command != kQuit;
  }
  // The browser's print, after the print style sheet's header line has taken the job's.
  void Print(const window::PrintJob& job) override {
    qzd_page_print(job.header.data(), Length(job.header));
  }
  void CopyText(std::string_view text) override { qzd_page_copy(text.data(), Length(text)); }
  void DownloadText(std::string_view name, std::string_view text) override {
    qzd_page_download(name.data(), Length(name), text.data(), Length(text));
  }
  void Announce(std::string_view text) override { qzd_page_announce(text.data(), Length(text)); }
};

// Reads the chosen file from the page's stream of it.
class PageFileReader final : public window::ModelFileReader {
 public:
  std::optional<LoadFailure> Read(const window::ChosenFile& file,
                                  ModelValueStore& store) const override {
    // A reload or a step names a file the page was handed; its stream is the one read.
    qzd_page_use_file(file.path.data(), Length(file.path));
    StreamByteSource source;
    return ReadModel(source, store);
  }
};

// Everything lives as long as the page: one store for the whole visit, carry-over included.
struct Program {
  Page page;
  PageFileReader reader;
  // The files handed over at once, which Page Down and Page Up step through.
  window::ListedModels handed;
  window::WindowController controller{page, reader, &handed};
};

Program& TheProgram() {
  static Program program;
  return program;
}

// A browser hands a page only files of this machine, each by its name.
std::vector<window::DroppedItem> DroppedFiles(int count) {
  std::vector<window::DroppedItem> items;
  for (int index = 0; index < count; ++index) {
    const int length = qzd_page_dropped_name(index, nullptr, 0);
    std::string name(static_cast<std::size_t>(length) + 1, '\0');
    qzd_page_dropped_name(index, name.data(), Length(name));
    name.resize(static_cast<std::size_t>(length));
    items.push_back({window::DroppedItem::Kind::kLocalFile, window::ChosenFile{std::move(name)}});
  }
  return items;
}

// A page's name of a key (KeyboardEvent.key) as the command table names it.
window::KeyChord ChordOf(std::string_view key, bool control, bool shift) {
  using enum window::NamedKey;
  constexpr std::pair<std::string_view, window::NamedKey> kNamed[] = {
      {"Enter", kEnter}, {" ", kSpace},       {"Escape", kEscape},     {"F5", kF5},
      {"F10", kF10},     {"PageUp", kPageUp}, {"PageDown", kPageDown}, {"ContextMenu", kMenu},
  };
  window::KeyChord chord{0, control, shift};
  if (key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= 'A' && key[0] <= 'Z'))) {
    chord.key = static_cast<std::uint16_t>(key[0] & ~0x20);
    return chord;
  }
  for (const auto& [name, named] : kNamed) {
    if (name == key) chord.key = static_cast<std::uint16_t>(named);
  }
  return chord;
}

std::string HandedName(int index) {
  const int length = qzd_page_handed_name(index, nullptr, 0);
  std::string name(static_cast<std::size_t>(length) + 1, '\0');
  qzd_page_handed_name(index, name.data(), Length(name));
  name.resize(static_cast<std::size_t>(length));
  return name;
}

}  // namespace
}  // namespace qzd::web

extern "C" {

// Once the module is up: every display field takes the label `qzd diff` prints as its name.
EMSCRIPTEN_KEEPALIVE void qzd_start() {
  for (const qzd::window::FieldLabel& field : qzd::window::DisplayFieldLabels()) {
    const std::string_view name = field.field.name();
    qzd_page_set_label(name.data(), Length(name), field.label.data(), Length(field.label));
  }
}

// A click on a button or on a frame where none of its visible elements lies. The page names only
// elements it has from the form.
EMSCRIPTEN_KEEPALIVE void qzd_click(const char* element) {
  qzd::web::TheProgram().controller.Click(qzd::window::ElementNamed(element));
}

// A file given to the page without its dialog (dropped, or handed to the file input directly):
// the load command runs and its dialog returns that file at once.
EMSCRIPTEN_KEEPALIVE void qzd_file_open_click() {
  qzd::web::TheProgram().controller.FileOpenClick();
}

// Files dropped on the page or handed over by a launch: the controller loads exactly one model
// file, or refuses them all.
EMSCRIPTEN_KEEPALIVE void qzd_drop(int count) {
  qzd::web::Program& program = qzd::web::TheProgram();
  const std::vector<qzd::window::DroppedItem> items = qzd::web::DroppedFiles(count);
  const std::optional<std::size_t> target = program.controller.DropTarget(items);
  if (!target) return;
  qzd_page_take_dropped(static_cast<int>(*target));
  program.controller.Drop(items);
}

// Whether a command runs, during which the program drops input: a drag is shown it would not be
// taken.
EMSCRIPTEN_KEEPALIVE int qzd_busy() {
  return qzd::web::TheProgram().controller.busy() ? 1 : 0;
}

// Tells the page's command bar every command it offers, its keys and whether it can run now.
EMSCRIPTEN_KEEPALIVE void qzd_commands() {
  for (const qzd::window::MenuEntry& entry : qzd::web::TheProgram().controller.MenuEntries()) {
    const qzd::window::CommandFacts& facts = *entry.command;
    qzd_page_command(static_cast<int>(facts.command), facts.name.data(), Length(facts.name),
                     facts.keyText.data(), Length(facts.keyText), entry.enabled ? 1 : 0);
  }
}

// A button of the command bar.
EMSCRIPTEN_KEEPALIVE void qzd_run(int command) {
  qzd::web::TheProgram().controller.Run(static_cast<qzd::window::WindowCommand>(command));
}

// Whether a key is one of the window's commands here; the page leaves every other key to the
// browser.
EMSCRIPTEN_KEEPALIVE int qzd_key_taken(const char* key, int control, int shift) {
  const qzd::window::KeyChord chord = qzd::web::ChordOf(key, control != 0, shift != 0);
  const std::optional<qzd::window::WindowCommand> command = qzd::window::KeyCommand(chord);
  return command && qzd::web::TheProgram().controller.Offered(*command) ? 1 : 0;
}

// A key of the window's commands.
EMSCRIPTEN_KEEPALIVE void qzd_key(const char* key, int control, int shift) {
  qzd::web::TheProgram().controller.Key(qzd::web::ChordOf(key, control != 0, shift != 0),
                                        std::nullopt);
}

// Several files handed over at once (chosen together, or by a launch): Page Down and Page Up step
// through them in that order. One file alone is nothing to step through.
EMSCRIPTEN_KEEPALIVE void qzd_hand(int count) {
  std::vector<qzd::window::ChosenFile> files;
  for (int index = 0; index < count; ++index) files.push_back({qzd::web::HandedName(index)});
  qzd::web::TheProgram().handed.Set(std::move(files));
}

}  // extern "C"
