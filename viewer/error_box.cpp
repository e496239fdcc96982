// SPDX-License-Identifier: MIT
#include "viewer/error_box.h"

#include <QAccessible>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QtMath>

#include "window/program_title.h"

namespace qzd::viewer {

namespace {

// The message's width at most, as a standard message box's on a desktop screen, and its height
// at most, beyond which it scrolls. The longest failure message, a quoted line of 255 wide
// letters, takes about seven lines.
constexpr int kMessageWidth = 500;
constexpr int kMessageHeight = 400;

// A standard message box wraps only at blanks and cuts off a longer word, and its text can be
// selected only where its label wraps that way; so the box is built from a read-only text field.
class ErrorDialog final : public QDialog {
 public:
  explicit ErrorDialog(const QString& text) {
    setWindowTitle(QString::fromLatin1(window::kProgramTitle));
    setWindowModality(Qt::ApplicationModal);
    setObjectName(QStringLiteral("ErrorBox"));

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this)
                        .pixmap(QSize(iconSize, iconSize), devicePixelRatio()));

    auto* message = new QTextEdit(this);
    // Plain text: a quoted line of a model file shows as typed, markup and all.
    message->setPlainText(text);
    message->setReadOnly(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    message->setFrameShape(QFrame::NoFrame);
    message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    message->setTabChangesFocus(true);
    QPalette colours = message->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    message->setPalette(colours);
    FitToText(*message);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    ok->setFocus();

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    grid->addWidget(message, 0, 1);
    grid->addWidget(buttons, 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QDialog::showEvent(event);
    // Screen readers announce the box as a standard message box is announced.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }

 private:
  // As wide as the text on one line, at most kMessageWidth, and as high as its wrapped lines. The
  // field's own document takes the field's width, so the text is laid out on a second one.
  static void FitToText(QTextEdit& message) {
    message.document()->setDocumentMargin(0);
    QTextDocument layout;
    layout.setDefaultFont(message.font());
    layout.setDefaultTextOption(message.document()->defaultTextOption());
    layout.setDocumentMargin(0);
    layout.setPlainText(message.toPlainText());
    layout.setTextWidth(kMessageWidth);
    const int width = qCeil(qMin<qreal>(layout.idealWidth(), kMessageWidth));
    layout.setTextWidth(width);
    const int height = qCeil(layout.size().height());
    // Only a message of many line-breaking characters is higher; it scrolls.
    const int scrollBar =
        height > kMessageHeight ? message.style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    message.setFixedSize(width + scrollBar, qMin(height, kMessageHeight));
  }
};

}  // namespace

QString ErrorBoxText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void QtErrorBox::Show(std::string_view text) {
  // A button or frame that still holds the mouse would keep the box from getting its clicks.
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  ErrorDialog box(ErrorBoxText(text));
  box.exec();
}

}  // namespace qzd::viewer
