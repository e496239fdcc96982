// SPDX-License-Identifier: MIT
#include "viewer/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QChildEvent>
#include <QEvent>
#include <QString>
#include <QWidget>

#include "viewer/main_window.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/picture_box.h"
#include "viewer/widgets/separator.h"
#include "window/field_labels.h"

namespace qzd::viewer {

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A display field as the accessibility tree sees it: an editable text field whose value is its
// text, readable through the text interface like any line edit.
class DisplayFieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit DisplayFieldAccessible(DisplayField* field)
      : QAccessibleWidget(field, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  [[nodiscard]] QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return Field()->text();
    return QAccessibleWidget::text(kind);
  }

  [[nodiscard]] QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    return state;
  }

  // The text interface. The painted field has no cursor and no selection of its own: those
  // belong to the editor it makes when the user enters it.
  void selection(int /*index*/, int* start, int* end) const override { *start = *end = 0; }
  [[nodiscard]] int selectionCount() const override { return 0; }
  void addSelection(int /*start*/, int /*end*/) override {}
  void removeSelection(int /*index*/) override {}
  void setSelection(int /*index*/, int /*start*/, int /*end*/) override {}
  [[nodiscard]] int cursorPosition() const override { return 0; }
  void setCursorPosition(int /*position*/) override {}
  [[nodiscard]] QString text(int start, int end) const override {
    return Field()->text().mid(start, end - start);
  }
  [[nodiscard]] int characterCount() const override {
    return static_cast<int>(Field()->text().size());
  }
  [[nodiscard]] QRect characterRect(int /*offset*/) const override { return {}; }
  [[nodiscard]] int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
  void scrollToSubstring(int /*start*/, int /*end*/) override {}
  [[nodiscard]] QString attributes(int /*offset*/, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  [[nodiscard]] DisplayField* Field() const { return static_cast<DisplayField*>(widget()); }
};

QAccessibleInterface* ElementAccessibleFactory(const QString& /*class_name*/, QObject* object) {
  if (auto* field = qobject_cast<DisplayField*>(object)) return new DisplayFieldAccessible(field);
  if (auto* picture = qobject_cast<PictureBox*>(object)) {
    return new QAccessibleWidget(picture, QAccessible::Graphic);
  }
  if (auto* line = qobject_cast<Separator*>(object)) {
    return new QAccessibleWidget(line, QAccessible::Separator);
  }
  return nullptr;
}

// A field makes its editor only when the user enters it; the editor is what takes the focus
// then, so it is what a screen reader announces, and it must carry the field's name.
class EditorNamer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ChildPolished) {
      auto* editor = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
      const auto* field = qobject_cast<QWidget*>(watched);
      if (editor && field && editor->accessibleName().isEmpty()) {
        editor->setAccessibleName(field->accessibleName());
        editor->setAccessibleDescription(field->accessibleDescription());
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void InstallElementAccessibility() {
  // Installing the same factory again is a no-op.
  QAccessible::installFactory(ElementAccessibleFactory);
}

void SetUpAccessibility(TmainForm& window) {
  for (const window::FieldLabel& field : window::DisplayFieldLabels()) {
    window.Element(field.field)->setAccessibleName(FromView(field.label));
  }
  auto* namer = new EditorNamer(&window);
  for (DisplayField* field : window.findChildren<DisplayField*>()) field->installEventFilter(namer);
}

}  // namespace qzd::viewer
