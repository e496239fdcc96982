// SPDX-License-Identifier: MIT
#include "viewer/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QChildEvent>
#include <QEvent>
#include <QString>
#include <QWidget>
#include <array>

#include "model/display_update.h"
#include "viewer/main_window.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/picture_box.h"
#include "viewer/widgets/separator.h"

namespace qzd::viewer {

namespace {

constexpr std::array kAccessibleTexts = {
    AccessibleText{"open", "load model", "Opens a model file and shows its settings"},
    AccessibleText{"FilePath", "model file path", "Full path of the model file last chosen"},
    AccessibleText{"Button1", "next page",
                   "Shows the next page on the right: MIXER, Servo Connection, Mode, Heli"},
    AccessibleText{"Image4", "aeroplane",
                   "Model type picture: a propeller aeroplane seen from the side"},
    AccessibleText{"Image5", "glider", "Model type picture: a glider seen from the side"},
    AccessibleText{"Image6", "helicopter", "Model type picture: a helicopter seen from the side"},
    AccessibleText{"GroupBox1", "",
                   "Servo channels 1 to 7: centre, travel lower and upper, reverse"},
    AccessibleText{"GroupBox2", "",
                   "Dual rates DR1 and DR2, expo and fixed values of aileron, elevator and rudder, "
                   "for flight phases 1 to 3"},
    AccessibleText{"GroupBox4", "",
                   "Trims of throttle, elevator, rudder and aileron for flight phases 1 to 3"},
    AccessibleText{"GroupBox3", "", "Page: the built-in mixers and the three free mixers"},
    AccessibleText{"GroupBox5", "", "Page: where the servos of each model type plug in"},
    AccessibleText{"GroupBox6", "", "Page: the stick modes"},
    AccessibleText{"GroupBox7", "", "Page: the helicopter servo layout"},
    AccessibleText{"Image1", "servo connection",
                   "Four models with their servo plugs, each plug marked with its channel number. "
                   "EASY trainer: 1 aileron left, 2 elevator, 3 rudder, 4 throttle, 5 aileron "
                   "right, 6 spoiler or throttle limit, 7 phase or aux 2. Delta jet: 1 delta left, "
                   "2 delta right, 3 rudder, 4 throttle, 5 elevator, 6 spoiler or throttle limit, "
                   "7 phase or aux 2. GLIDER: 1 aileron left, 2 elevator, 3 rudder, 4 throttle "
                   "assigned to servo 4, 5 aileron right, 6 flap left, 7 flap right. ACRO: 1 left "
                   "aileron, 2 elevator, 3 rudder, 4 throttle, 5 right aileron, 6 spoiler or "
                   "throttle limit, 7 phase or aux 2."},
    AccessibleText{"Image2", "stick modes",
                   "Which stick moves what in the eight stick modes. Throttle, plug 4: left stick "
                   "up and down in MODE 2+4, right stick in MODE 1+3, a lever on the right side "
                   "in MODE 5+6+7+8. MODE 1+5: left stick elevator and rudder, right stick "
                   "ailerons. MODE 4+8: left stick ailerons, right stick elevator and rudder. "
                   "MODE 3+7: left stick elevator and ailerons, right stick rudder. MODE 2+6: left "
                   "stick rudder, right stick elevator and ailerons."},
    AccessibleText{"Image3", "helicopter servo layout",
                   "A helicopter with plugs 1 and 2 on the rotor disc, 4 above the rotor head, 3 "
                   "at the tail rotor, 5 motor, 6 gyro, 7 flap or aux 1. Beside it a CCPM "
                   "swashplate with three-point 120 degree linkage: plug 1 at 180 degrees, plug 2 "
                   "at 300 degrees, plug 4 at 60 degrees, 0 degrees pointing forward; legend: 5 "
                   "throttle or ESC, 6 gyro, 7 flap or aux 1, 3 tail rotor."},
    AccessibleText{"GroupBox8", "credits", "Author, firmware support, forum and contact"},
};

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

std::span<const AccessibleText> AccessibleTexts() {
  return kAccessibleTexts;
}

void SetUpAccessibility(TmainForm& window) {
  // Installing the same factory again is a no-op.
  QAccessible::installFactory(ElementAccessibleFactory);

  auto* namer = new EditorNamer(&window);
  for (const DisplayFieldInfo& field : DisplayFields()) {
    QWidget* widget = window.Element(field.name);
    if (!widget) continue;
    widget->setAccessibleName(FromView(field.label));
    widget->installEventFilter(namer);
  }
  for (const AccessibleText& text : kAccessibleTexts) {
    QWidget* widget = window.Element(text.element);
    if (!widget) continue;
    if (!text.name.empty()) widget->setAccessibleName(FromView(text.name));
    widget->setAccessibleDescription(FromView(text.description));
    if (qobject_cast<DisplayField*>(widget)) widget->installEventFilter(namer);
  }
}

}  // namespace qzd::viewer
