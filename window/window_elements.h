// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qzd::window {

// The kinds of element the main window is built of.
enum class ElementKind { kCaption, kDisplayField, kFrame, kPictureBox, kSeparator, kButton };

struct ElementRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ElementPoint {
  int x = 0;
  int y = 0;
};

struct ElementFacts;

// The colours an element's text may take, as the system's palette names them.
enum class ColourRole { kWindowText, kHighlight };

// What an element's own style sheet in the form says: its font size in pixels at 96 dots per inch
// (0: the window font's) and its text colour.
struct ElementStyle {
  int fontPixelSize;
  ColourRole colour;
};

// One element of the main window: its place in the table generated from the form. The code names
// elements by the constants of window/elements.h (`elements::drai1l`), so that a name the form
// does not have fails the build; names that come as text (a model's field maps, a page's click)
// go through ElementNamed() once.
class ElementId {
 public:
  constexpr explicit ElementId(std::uint16_t index) noexcept : index_(index) {}
  [[nodiscard]] constexpr std::size_t index() const noexcept { return index_; }
  [[nodiscard]] const ElementFacts& facts() const noexcept;
  [[nodiscard]] std::string_view name() const noexcept;
  friend constexpr bool operator==(ElementId, ElementId) = default;

 private:
  std::uint16_t index_;
};

// One element of the main window as its form describes it.
struct ElementFacts {
  std::string_view name;
  ElementKind kind;
  std::string_view parent;       // the enclosing frame, or the window for a top-level element
  ElementRect geometry;          // in the parent's client coordinates, pixels at 96 dots per inch
  ElementPoint windowPlace;      // the top-left corner in the window's client coordinates
  std::string_view caption;      // UTF-8; a caption's or button's text, a frame's title, else empty
  bool visible;                  // the element's own flag when the window opens
  int stackIndex;                // among its parent's elements: 0 lies lowest, later ones on top
  int tabOrder;                  // position in the focus chain; -1 when it takes no focus
  std::string_view picture;      // a picture box's picture ("Aeroplane", "Heli", ...), else empty
  std::string_view pictureFile;  // its file among the window's assets ("aeroplane.jpg")
  std::string_view labelFor;     // the display field a caption names, else empty
  std::string_view accessibleName;  // UTF-8; empty: the element's own text names it
  std::string_view accessibleDescription;
  ElementStyle style;
};

// The window font: the face the window is drawn in where the system has it, the face that stands
// in for it elsewhere, and its character height in pixels (at 96 dots per inch).
struct WindowFontFacts {
  std::string_view family;
  std::string_view standIn;
  int pixelSize;
};

// A page of the right-hand page area: its number in the page cycle (1, the page a load shows, to
// 4), the short name a user asks for it by, and its frame.
struct PageFacts {
  int number;
  std::string_view name;
  ElementId frame;
};

struct WindowFacts {
  std::string_view name;       // the window element, "mainForm"
  std::string_view formClass;  // "TmainForm"
  std::string_view title;
  ElementRect place;  // the window's place on the screen and its client size
  WindowFontFacts font;
  std::span<const ElementFacts> elements;  // document order: parents before their elements
  std::span<const PageFacts> pages;        // in cycle order
};

// The main window's facts, from its form.
[[nodiscard]] const WindowFacts& MainWindowFacts() noexcept;

// The element of that name, or nothing when the window has none.
[[nodiscard]] std::optional<ElementId> FindElement(std::string_view name);

// The element of a name that the code relies on. A name the window does not have is a programming
// error in every front end alike: UnknownElement reports it on stderr and stops the program.
[[nodiscard]] ElementId ElementNamed(std::string_view name);
[[noreturn]] void UnknownElement(std::string_view name);

// The elements directly inside `parent` (a frame or the window), lowest first.
[[nodiscard]] std::vector<ElementId> ChildrenOf(std::string_view parent);

// The elements that take the keyboard focus, in the form's focus order.
[[nodiscard]] const std::vector<ElementId>& FocusOrder();

// The page of that number or short name, or none.
[[nodiscard]] const PageFacts* PageNumbered(int number);
[[nodiscard]] const PageFacts* PageNamed(std::string_view name);

}  // namespace qzd::window
