// SPDX-License-Identifier: MIT
#include "viewer/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>
#include <QTimer>
#include <array>
#include <filesystem>

#include "ui_main_window.h"
#include "viewer/accessibility.h"
#include "viewer/model_file_drop.h"
#include "viewer/pictures/built_in_pictures.h"
#include "viewer/sheet_outputs.h"
#include "viewer/widgets/caption.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/window_font.h"
#include "window/elements.h"
#include "window/window_clicks.h"

namespace qzd::viewer {

namespace {

// `path` from the current folder, as bytes. Only what names the same file whatever the folders
// are is left out: "." steps and repeated slashes, never "..", which would climb out of a link.
std::string AbsolutePath(const std::string& path) {
  std::string full;
  if (!path.starts_with('/')) {
    std::error_code unknown;
    full = std::filesystem::current_path(unknown).string();
    // A current folder that is gone leaves the path as given, opened from there.
    if (unknown) return path;
  }
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string_view step(path.data() + start, end - start);
    const bool last = end == path.size();
    if (!step.empty() && !(step == "." && !last)) {
      if (!full.ends_with('/')) full += '/';
      full += step;
    }
    start = end + 1;
  }
  return full.empty() ? "/" : full;
}

// A path for the path field: the bytes as UTF-8, an undecodable byte as U+FFFD, and each control
// character as its visible symbol (a line break as U+240A), so that no part of the name hides.
QString ShownPath(const std::string& path) {
  QString shown = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
  for (QChar& c : shown) {
    if (c.unicode() < 0x20) c = QChar(0x2400 + c.unicode());
    if (c.unicode() == 0x7f) c = QChar(0x2421);
  }
  return shown;
}

// The keys other than letters that the command table names, as Qt names them.
constexpr std::array<std::pair<int, window::NamedKey>, 9> kNamedKeys = {{
    {Qt::Key_Return, window::NamedKey::kEnter},
    {Qt::Key_Enter, window::NamedKey::kEnter},
    {Qt::Key_Space, window::NamedKey::kSpace},
    {Qt::Key_Escape, window::NamedKey::kEscape},
    {Qt::Key_F5, window::NamedKey::kF5},
    {Qt::Key_PageUp, window::NamedKey::kPageUp},
    {Qt::Key_PageDown, window::NamedKey::kPageDown},
    {Qt::Key_F10, window::NamedKey::kF10},
    {Qt::Key_Menu, window::NamedKey::kMenu},
}};

std::optional<window::KeyChord> ChordOf(const QKeyEvent& event) {
  window::KeyChord chord;
  if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
    chord.key = static_cast<std::uint16_t>(event.key());  // Qt names letters by their ASCII codes
  } else {
    const auto* named = std::find_if(kNamedKeys.begin(), kNamedKeys.end(),
                                     [&](const auto& row) { return row.first == event.key(); });
    if (named == kNamedKeys.end()) return std::nullopt;
    chord.key = static_cast<std::uint16_t>(named->second);
  }
  chord.control = event.modifiers().testFlag(Qt::ControlModifier);
  chord.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  return chord;
}

}  // namespace

TmainForm::TmainForm(OpenDialog& dialog, ErrorBox& errors, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TmainForm>()),
      dialog_(dialog),
      errors_(errors),
      outputs_(&SystemOutputDialogs()) {
  // Set before the elements exist, so that they take it on at creation instead of each being
  // told of a font change afterwards.
  setFont(WindowFont());
  InstallElementAccessibility();
  ui_->setupUi(this);
  SetUpElementKinds();
  IndexElements();
  SetUpAccessibility(*this);
  ConnectClicks();
  AcceptModelFileDrops(*this, controller_, [this](std::vector<window::DroppedItem> items) {
    for (window::DroppedItem& item : items) {
      if (!item.file.path.empty()) item.file.path = AbsolutePath(item.file.path);
    }
    controller_.Drop(items);
  });
  // The form's place for the window; on a top-level window move() places the frame's outer
  // corner.
  const window::ElementRect& place = window::MainWindowFacts().place;
  move(place.x, place.y);
}

TmainForm::~TmainForm() = default;

bool TmainForm::event(QEvent* event) {
  // Once the first frame is painted, the pictures of the pages not yet shown are decoded beside
  // the event loop, so that neither start-up nor the first click to a page waits for them. The
  // icon, which only the task bar and the window's frame show, is made then too (its picture
  // costs the first frame about a millisecond), and the captions still hidden are sized.
  if (event->type() == QEvent::Paint && !picturesDecodeAsked_) {
    picturesDecodeAsked_ = true;
    QTimer::singleShot(0, this, [this] {
      picturesDecode_ = DecodePicturesInBackground();
      setWindowIcon(ProgramIcon());
      for (Caption* caption : findChildren<Caption*>()) caption->finishFitToText();
      startUpDone_ = true;
    });
  }
  return QWidget::event(event);
}

void TmainForm::SetUpElementKinds() {
  // Captions are as wide as their text in the font actually in use, which for a caption with a
  // style sheet of its own in the form (the HELI warning) is known once it is polished.
  for (Caption* caption : findChildren<Caption*>()) caption->fitToText();
}

void TmainForm::IndexElements() {
  elements_.assign(window::MainWindowFacts().elements.size(), nullptr);
  for (QWidget* widget : findChildren<QWidget*>()) {
    const QByteArray name = widget->objectName().toUtf8();
    if (const auto element = window::FindElement(std::string_view(name.data(), name.size())))
      elements_[element->index()] = widget;
  }
  // uic builds every element of the form that the table was generated from.
  const auto facts = window::MainWindowFacts().elements;
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    if (elements_[i] == nullptr) window::UnknownElement(facts[i].name);
  }
}

void TmainForm::ConnectClicks() {
  for (const window::ElementClick& click : window::ElementClicks()) {
    const auto slot = click.command == window::WindowCommand::kLoadModel
                          ? &TmainForm::FileOpenClick
                          : &TmainForm::ChangeHelpScr;
    QWidget* element = Element(click.element);
    if (auto* button = qobject_cast<QPushButton*>(element)) {
      connect(button, &QPushButton::clicked, this, slot);
    } else {
      connect(qobject_cast<Frame*>(element), &Frame::clicked, this, slot);
    }
  }
  // Drawn as the buttons that Enter presses; which key presses them is the controller's to say.
  ui_->open->setAutoDefault(true);
  ui_->Button1->setAutoDefault(true);
  // Every key pressed in the window comes to the controller's command table before the element
  // that has the focus, as a shortcut would, whichever element that is.
  qApp->installEventFilter(this);
}

bool TmainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* receiver = static_cast<QWidget*>(watched);
  if (receiver != this && !isAncestorOf(receiver)) return false;
  const std::optional<window::KeyChord> chord = ChordOf(*static_cast<QKeyEvent*>(event));
  if (!chord) return false;
  const std::optional<window::ElementId> focused = FocusedElement();
  const window::KeyOutcome outcome = controller_.Key(*chord, focused);
  if (outcome == window::KeyOutcome::kPressFocused)
    qobject_cast<QAbstractButton*>(Element(*focused))->click();
  return outcome != window::KeyOutcome::kNotTaken;
}

std::optional<window::ElementId> TmainForm::FocusedElement() const {
  for (QWidget* widget = QApplication::focusWidget(); widget != nullptr && widget != this;
       widget = widget->parentWidget()) {
    const auto at = std::find(elements_.begin(), elements_.end(), widget);
    if (at != elements_.end())
      return window::ElementId(static_cast<std::uint16_t>(at - elements_.begin()));
  }
  return std::nullopt;
}

QWidget* TmainForm::Element(window::ElementId element) const {
  return elements_[element.index()];
}

QWidget* TmainForm::Element(std::string_view name) const {
  return Element(window::ElementNamed(name));
}

void TmainForm::FileOpenClick() {
  controller_.FileOpenClick();
}

void TmainForm::OpenModelFile(const std::string& path) {
  controller_.OpenFile(ChosenFile{AbsolutePath(path)});
}

void TmainForm::ChangeHelpScr() {
  controller_.ChangeHelpScr();
}

void TmainForm::SetText(window::ElementId field, std::string_view text) {
  // A model's texts are bytes, one per character.
  static_cast<DisplayField*>(Element(field))
      ->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void TmainForm::SetVisible(window::ElementId element, bool visible) {
  Element(element)->setVisible(visible);
}

void TmainForm::SetFilePath(const ChosenFile& file) {
  static_cast<DisplayField*>(Element(window::elements::FilePath))->setText(ShownPath(file.path));
}

std::optional<ChosenFile> TmainForm::ChooseFile() {
  return dialog_.Choose();
}

void TmainForm::OfferFile(const ChosenFile& file) {
  dialog_.Offer(file);
}

void TmainForm::ShowError(std::string_view text) {
  errors_.Show(text);
}

void TmainForm::Close() {
  close();
}

void TmainForm::Busy(bool busy) {
  // A read of a file with a very long first line can take seconds; the window takes no input
  // meanwhile, and the pointer says so.
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

bool TmainForm::Offers(window::WindowCommand command) const {
  return command != window::WindowCommand::kDownloadSheet;
}

void TmainForm::Print(const window::PrintJob& job) {
  // Pages are drawn in window pixels: lines and texts go to the printer as vectors and text, and
  // a high resolution only made Qt draw the recorded texts as shapes.
  QPrinter printer(QPrinter::ScreenResolution);
  PreparePrinter(printer);
  printer.setDocName(windowTitle());
  const std::optional<PrintRange> range = outputs_->ChoosePrint(printer, this);
  if (!range) return;
  if (const std::optional<QString> failure = PrintSheets(printer, job, *range))
    errors_.Show(failure->toStdString());
}

void TmainForm::SaveWindow(const ChosenFile& model, const std::string& suggested) {
  const std::optional<SaveChoice> choice = outputs_->ChooseSave(suggested, this);
  if (!choice) return;
  if (const std::optional<QString> failure =
          SaveWindowState(controller_.shown(), *choice, model.path))
    errors_.Show(failure->toStdString());
}

void TmainForm::CopyText(std::string_view text) {
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::optional<window::WindowCommand> TmainForm::ShowMenu(
    std::span<const window::MenuEntry> entries, std::optional<window::ElementId> atElement) {
  if (!menu_) {
    menu_ = std::make_unique<QMenu>(this);
    menu_->setAccessibleName(QStringLiteral("Commands"));
    for (const window::MenuEntry& entry : entries) {
      const window::CommandFacts& facts = *entry.command;
      QAction* action = menu_->addAction(
          QString::fromUtf8(facts.name.data(), static_cast<qsizetype>(facts.name.size())));
      // The key is shown, not bound: keys reach the controller's command table.
      action->setShortcut(QKeySequence(
          QString::fromUtf8(facts.keyText.data(), static_cast<qsizetype>(facts.keyText.size()))));
      action->setShortcutContext(Qt::WidgetShortcut);
      action->setData(static_cast<int>(facts.command));
    }
  }
  const QList<QAction*> actions = menu_->actions();
  for (std::size_t i = 0; i < entries.size() && i < static_cast<std::size_t>(actions.size()); ++i)
    actions[static_cast<qsizetype>(i)]->setEnabled(entries[i].enabled);
  QPoint at = QCursor::pos();
  if (atElement) {
    const QWidget* element = Element(*atElement);
    at = element->mapToGlobal(QPoint(0, element->height()));
  }
  const QAction* chosen = menu_->exec(at);
  if (chosen == nullptr) return std::nullopt;
  return static_cast<window::WindowCommand>(chosen->data().toInt());
}

void TmainForm::contextMenuEvent(QContextMenuEvent* event) {
  // A field's own text menu has taken its right-clicks already; this is the rest of the window.
  QWidget* under = childAt(event->pos());
  std::optional<window::ElementId> element;
  for (QWidget* widget = under; widget != nullptr && widget != this && !element;
       widget = widget->parentWidget()) {
    const auto at = std::find(elements_.begin(), elements_.end(), widget);
    if (at != elements_.end())
      element = window::ElementId(static_cast<std::uint16_t>(at - elements_.begin()));
  }
  if (controller_.ContextClick(element)) event->accept();
}

}  // namespace qzd::viewer
