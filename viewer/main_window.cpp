// SPDX-License-Identifier: MIT
#include "viewer/main_window.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>

#include "ui_main_window.h"
#include "viewer/accessibility.h"
#include "viewer/core/window_clicks.h"
#include "viewer/model_file_drop.h"
#include "viewer/pictures/built_in_pictures.h"
#include "viewer/widgets/caption.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/window_font.h"

namespace qzd::viewer {

namespace {

// Where the window's outer top-left corner goes when it first shows.
constexpr QPoint kWindowPosition(37, 86);

}  // namespace

TmainForm::TmainForm(OpenDialog& dialog, ErrorBox& errors, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TmainForm>()), dialog_(dialog), errors_(errors) {
  // Set before the elements exist, so that they take it on at creation instead of each being
  // told of a font change afterwards.
  setFont(WindowFont(kWindowFontPixels));
  InstallElementAccessibility();
  ui_->setupUi(this);
  SetUpElementKinds();
  IndexElements();
  SetUpAccessibility(*this);
  ConnectClicks();
  AcceptModelFileDrops(*this, [this](const QString& path) { OpenModelFile(path); });
  setWindowIcon(ProgramIcon());
  // On a top-level window move() places the frame's outer corner.
  move(kWindowPosition);
}

TmainForm::~TmainForm() = default;

void TmainForm::SetUpElementKinds() {
  // Captions are as wide as their text in the font actually in use, which for a caption with a
  // style sheet of its own in the form (the HELI warning) is known once it is polished.
  for (Caption* caption : findChildren<Caption*>()) {
    caption->ensurePolished();
    caption->resize(caption->sizeHint());
  }
}

void TmainForm::IndexElements() {
  for (QWidget* widget : findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    if (!name.isEmpty()) elements_.emplace(name.toStdString(), widget);
  }
}

void TmainForm::ConnectClicks() {
  for (const ElementClick& click : kElementClicks) {
    const auto slot = click.command == WindowCommand::kLoadModel ? &TmainForm::FileOpenClick
                                                                 : &TmainForm::ChangeHelpScr;
    QWidget* element = Element(click.element);
    if (auto* button = qobject_cast<QPushButton*>(element)) {
      connect(button, &QPushButton::clicked, this, slot);
    } else if (auto* frame = qobject_cast<Frame*>(element)) {
      connect(frame, &Frame::clicked, this, slot);
    } else {
      Q_ASSERT_X(false, "TmainForm::ConnectClicks", "no button or frame of that name");
    }
  }
  // A focused button answers Enter as well as Space, as the desktop's own buttons do.
  ui_->open->setAutoDefault(true);
  ui_->Button1->setAutoDefault(true);
  // The desktop's keys for opening a file and quitting; the button's caption stays as it is.
  // Ctrl+Q is named outright: not every desktop's key scheme has a quit key.
  ui_->open->setShortcut(QKeySequence::Open);
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, this, &QWidget::close);
}

QWidget* TmainForm::Element(std::string_view name) const {
  const auto found = elements_.find(name);
  return found == elements_.end() ? nullptr : found->second;
}

void TmainForm::SetText(std::string_view element, const QString& text) {
  auto* field = qobject_cast<DisplayField*>(Element(element));
  Q_ASSERT_X(field, "TmainForm::SetText", "no display field of that name");
  if (field) field->setText(text);
}

void TmainForm::ShowElement(std::string_view element) {
  QWidget* widget = Element(element);
  Q_ASSERT_X(widget, "TmainForm::ShowElement", "no element of that name");
  if (widget) widget->show();
}

void TmainForm::HideElement(std::string_view element) {
  QWidget* widget = Element(element);
  Q_ASSERT_X(widget, "TmainForm::HideElement", "no element of that name");
  if (widget) widget->hide();
}

std::optional<FillStop> TmainForm::Apply(const DisplayUpdate& update) {
  struct Elements {
    TmainForm& form;
    void SetText(std::string_view element, std::string_view text) {
      // A model's texts are bytes, one per character.
      form.SetText(element, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    void SetVisible(std::string_view element, bool visible) {
      visible ? form.ShowElement(element) : form.HideElement(element);
    }
  } elements{*this};
  return ApplyDisplayUpdate(update, elements);
}

std::optional<FillStop> TmainForm::FillForm() {
  return Apply(BuildDisplayUpdate(store_));
}

void TmainForm::FileOpenClick() {
  LoadCommand(store_, dialog_, errors_, *this).Run();
}

void TmainForm::OpenModelFile(const QString& path) {
  const QString fullPath = QFileInfo(path).absoluteFilePath();
  LoadCommand(store_, dialog_, errors_, *this)
      .Open(ChosenFile{QFile::encodeName(fullPath).toStdString()});
}

void TmainForm::ChangeHelpScr() {
  helpPanel_.Advance();
}

void TmainForm::SetPageVisible(std::string_view frame, bool visible) {
  if (visible)
    ShowElement(frame);
  else
    HideElement(frame);
}

void TmainForm::SetFilePath(const ChosenFile& file) {
  SetText("FilePath", QFile::decodeName(QByteArray::fromStdString(file.path)));
}

void TmainForm::ShowMixerPage() {
  helpPanel_.ResetToMixer();
  ChangeHelpScr();
}

void TmainForm::Busy(bool busy) {
  // A read of a file with a very long first line can take seconds; the window takes no input
  // meanwhile, and the pointer says so.
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace qzd::viewer
