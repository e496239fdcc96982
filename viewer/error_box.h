#pragma once

#include <QString>
#include <string_view>

#include "viewer/load_command.h"

class QWidget;

namespace qzd::viewer {

// The text of a message as the box shows it: one character per byte, as single-byte characters.
[[nodiscard]] QString ErrorBoxText(std::string_view text);

// The error message box as a modal Qt message box: stop icon, one OK button, plain text only.
class QtErrorBox final : public ErrorBox {
 public:
  // `owner` is the window the box stands over; it may be null.
  explicit QtErrorBox(QWidget* owner) : owner_(owner) {}
  void Show(std::string_view text) override;

 private:
  QWidget* owner_;
};

}  // namespace qzd::viewer
