#include "viewer/error_box.h"

#include <QMessageBox>
#include <QWidget>

namespace qzd::viewer {

QString ErrorBoxText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void QtErrorBox::Show(std::string_view text) {
  // A button or frame that still holds the mouse would keep the box from getting its clicks.
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();

  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kProgramTitle), ErrorBoxText(text),
                  QMessageBox::Ok, owner_);
  // The text may quote a line of the model file; markup in it must show as typed.
  box.setTextFormat(Qt::PlainText);
  box.setTextInteractionFlags(Qt::NoTextInteraction);
  box.setWindowModality(Qt::ApplicationModal);
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

}  // namespace qzd::viewer
