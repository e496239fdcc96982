// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string_view>

#include "viewer/boxes.h"

namespace qzd::viewer {

// The text of a message as the box shows it: one character per byte, as single-byte characters.
[[nodiscard]] QString ErrorBoxText(std::string_view text);

// The error message box: caption the program title, stop icon, one OK button, the message as
// plain text. The message shows whole, wrapped at blanks or, where a word is longer than the box
// is wide, anywhere, and the user can select and copy it. Modal for the whole program and owned
// by no window of its own, like the open dialog.
class QtErrorBox final : public ErrorBox {
 public:
  void Show(std::string_view text) override;
};

}  // namespace qzd::viewer
