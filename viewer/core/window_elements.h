// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace qzd::viewer {

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

// One element of the main window as its form describes it. The table of them is generated from
// the form at build time, so the form stays the one place where the window is written down.
struct ElementFacts {
  std::string_view name;
  ElementKind kind;
  std::string_view parent;   // the enclosing frame, or the window for a top-level element
  ElementRect geometry;      // in the parent's client coordinates, pixels at 96 dots per inch
  ElementPoint windowPlace;  // the top-left corner in the window's client coordinates
  std::string_view caption;  // UTF-8; a caption's or button's text, a frame's title, else empty
  bool visible;              // the element's own flag when the window opens
  int stackIndex;            // among its parent's elements: 0 lies lowest, later ones on top
  int tabOrder;              // position in the focus chain; -1 when it takes no focus
  std::string_view picture;  // a picture box's picture ("Aeroplane", "Heli", ...), else empty
};

struct WindowFacts {
  std::string_view name;       // the window element, "mainForm"
  std::string_view formClass;  // "TmainForm"
  std::string_view title;
  int width;
  int height;
  std::span<const ElementFacts> elements;  // document order: parents before their elements
};

// The main window's facts, from its form.
[[nodiscard]] const WindowFacts& MainWindowFacts() noexcept;

// The element of that name, or nullptr when the window has none.
[[nodiscard]] const ElementFacts* FindElement(std::string_view name);

// The elements directly inside `parent` (a frame or the window), lowest first.
[[nodiscard]] std::vector<const ElementFacts*> ChildrenOf(std::string_view parent);

}  // namespace qzd::viewer
