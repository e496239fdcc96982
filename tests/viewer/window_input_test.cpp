// SPDX-License-Identifier: MIT
// Real mouse clicks and typing through the window, and the fit of texts in their fields.
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <vector>

#include "viewer/widgets/caption.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/picture_box.h"
#include "viewer/widgets/separator.h"
#include "window_test_support.h"

namespace qzd::viewer::testing {
namespace {

// Counts the mouse events that reach a frame, whether aimed at it or handed on by a child.
class MouseCounter : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        ++count;
        break;
      default:
        break;
    }
    return false;
  }
};

class WindowClicks : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (Frame* frame : window_.findChildren<Frame*>()) {
      frame->installEventFilter(&counter_);
      spies_.push_back(std::make_unique<QSignalSpy>(frame, &Frame::clicked));
    }
  }

  // Brings `widget`'s page to the front by hiding the pages above it.
  void BringPageForward(QWidget* widget) {
    const std::vector<std::string_view> pagesTopDown = {"GroupBox3", "GroupBox5", "GroupBox6",
                                                        "GroupBox7"};
    for (std::string_view page : pagesTopDown) {
      QWidget* frame = window_.Element(page);
      if (frame == widget || frame->isAncestorOf(widget)) break;
      frame->hide();
    }
  }

  // A point of `widget`, in window coordinates, where it is the topmost element.
  std::optional<QPoint> PointOnTop(QWidget* widget) {
    for (int y = 0; y < widget->height(); y += 2) {
      for (int x = 0; x < widget->width(); x += 2) {
        const QPoint point = widget->mapTo(&window_, QPoint(x, y));
        if (window_.childAt(point) == widget) return point;
      }
    }
    return std::nullopt;
  }

  int FrameClicks() const {
    int clicks = 0;
    for (const auto& spy : spies_) clicks += int(spy->count());
    return clicks;
  }

  MouseCounter counter_;
  std::vector<std::unique_ptr<QSignalSpy>> spies_;
};

TEST_F(WindowClicks, CaptionsPicturesAndLinesTakeTheirClicksAndNoFrameSeesThem) {
  std::vector<QWidget*> targets;
  for (QWidget* widget : window_.findChildren<QWidget*>()) {
    if (qobject_cast<Caption*>(widget) || qobject_cast<PictureBox*>(widget) ||
        qobject_cast<Separator*>(widget)) {
      targets.push_back(widget);
    }
  }
  ASSERT_EQ(targets.size(), 70u + 6u + 17u);
  for (QWidget* target : targets) {
    SCOPED_TRACE(Name(target));
    counter_.count = 0;
    for (Frame* page : window_.findChildren<Frame*>()) page->show();
    target->show();
    BringPageForward(target);
    const std::optional<QPoint> point = PointOnTop(target);
    ASSERT_TRUE(point.has_value());
    ClickAt(*point);
    DoubleClickAt(*point);
    EXPECT_EQ(counter_.count, 0);
    EXPECT_EQ(FrameClicks(), 0);
  }
}

TEST_F(WindowClicks, AClickOnAFramesFreeAreaOrOnAHiddenElementReachesTheFrame) {
  QSignalSpy mixer(Get<Frame>("GroupBox3"), &Frame::clicked);
  ClickAt(QPoint(296 + 300, 96 + 430));
  EXPECT_EQ(mixer.count(), 1);
  // Each frame click turns the page; MIXER comes back to the front for the next one.
  Get("GroupBox3")->show();
  Get("Label18")->hide();
  ClickAt(QPoint(296 + 230, 96 + 64 + 6));
  EXPECT_EQ(mixer.count(), 2);
  Get("GroupBox3")->show();
  Get("mixths4")->hide();
  ClickAt(QPoint(296 + 20, 96 + 32 + 8));
  EXPECT_EQ(mixer.count(), 3);
}

TEST_F(WindowClicks, TheNextPageButtonTakesClicksWhicheverPageIsInFront) {
  auto* next = Get<QPushButton>("Button1");
  QSignalSpy clicks(next, &QPushButton::clicked);
  const QPoint centre = next->geometry().center();
  for (const char* page : {"GroupBox3", "GroupBox5", "GroupBox6", "GroupBox7"}) {
    for (Frame* frame : window_.findChildren<Frame*>()) frame->show();
    BringPageForward(Get(page));
    ClickAt(centre);
  }
  EXPECT_EQ(clicks.count(), 4);
  EXPECT_EQ(counter_.count, 0);
}

TEST_F(WindowClicks, AClickIntoAFieldPlacesTheCursorThereAndNeverReachesTheFrame) {
  auto* field = Get<DisplayField>("fmix1sw");
  Get<DisplayField>("fmix1sw")->setText(QStringLiteral("4 PH/AUX2  |_|"));
  EXPECT_FALSE(field->hasEditor());
  ClickInto(field, QPoint(3, 8));
  EXPECT_EQ(counter_.count, 0);
  EXPECT_EQ(FrameClicks(), 0);
  ASSERT_TRUE(field->hasEditor());
  auto* editor = field->findChild<QPlainTextEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->hasFocus());
  EXPECT_EQ(editor->textCursor().position(), 0);
  QTest::keyClicks(editor, "x");
  EXPECT_EQ(field->text(), "x4 PH/AUX2  |_|");
}

TEST_F(WindowClicks, TabMovesOnFromAFieldInsteadOfTypingATab) {
  auto* first = Get<DisplayField>("sc1");
  ClickInto(first, QPoint(8, 8));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(first->text(), "");
  const auto* next = Get<DisplayField>("stl1");
  EXPECT_TRUE(next->isAncestorOf(QApplication::focusWidget())) << Name(QApplication::focusWidget());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_TRUE(first->isAncestorOf(QApplication::focusWidget()));
}

// ---- text fit ------------------------------------------------------------------------------

struct FitCase {
  std::string_view field;
  const char* text;
};

using TextFit = WindowTest;

// Each text shows whole on the field's one visible line: no wrap, and no pixel of its glyphs under
// the border or outside the field.
TEST_F(TextFit, TypicalTextsShowWholeInTheirFields) {
  const FitCase cases[] = {
      {"pos0", "17"},      {"drai1l", "-110"}, {"Mode", "MODE8"},
      {"fmix1dst", "S-1"}, {"fmix1in", "F "},  {"fmix1sw", "4 PH/AUX2  |_|"},
      {"pos1", "GLIDER"},  {"sr1", "R"},       {"trimai1", "-30"},
      {"mixths4", "??"},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.text);
    auto* field = Get<DisplayField>(c.field);
    field->setText(QString::fromLatin1(c.text));
    EXPECT_EQ(field->visibleLine(), QString::fromLatin1(c.text));

    const QFontMetrics metrics(field->font());
    const QRect inside = field->rect().adjusted(DisplayField::kBorder, DisplayField::kBorder,
                                                -DisplayField::kBorder, -DisplayField::kBorder);
    const QPoint baseline(DisplayField::kBorder + DisplayField::kTextLeft,
                          DisplayField::kBorder + DisplayField::kTextTop + metrics.ascent());
    const QRect ink = metrics.tightBoundingRect(QString::fromLatin1(c.text)).translated(baseline);
    EXPECT_TRUE(inside.contains(ink))
        << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    // The line itself, descent included, stays inside too.
    EXPECT_LE(DisplayField::kBorder + DisplayField::kTextTop + metrics.height(),
              inside.bottom() + 1);
  }
}

TEST_F(TextFit, TextWiderThanTheFieldWrapsAndOnlyItsFirstLineShows) {
  auto* path = Get<DisplayField>("FilePath");
  const QString longPath = "/home/pilot/models/" + QString(60, 'x') + "/glider.qzd";
  path->setText(longPath);
  EXPECT_EQ(path->text(), longPath);
  EXPECT_LT(path->visibleLine().size(), longPath.size());
  EXPECT_TRUE(longPath.startsWith(path->visibleLine()));
  auto* pos0 = Get<DisplayField>("pos0");
  pos0->setText("123");
  EXPECT_EQ(pos0->visibleLine(), "12");
}

// The editor made on the first click draws the text exactly where the field painted it.
TEST_F(TextFit, StartingToEditDoesNotMoveTheText) {
  for (const char* name : {"pos0", "Mode", "fmix1sw", "FilePath"}) {
    SCOPED_TRACE(name);
    auto* field = Get<DisplayField>(name);
    field->setText(QStringLiteral("MODE8 |_| 4"));
    const QImage painted = field->grab().toImage();
    field->startEditing();
    const QImage edited = field->grab().toImage();
    EXPECT_EQ(painted, edited);
  }
}

}  // namespace
}  // namespace qzd::viewer::testing
