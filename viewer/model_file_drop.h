// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "window/window_controller.h"

class QMimeData;
class QWidget;

namespace qzd::viewer {

// The items a drag carries, as the window controller weighs them: each URL of a file on this
// machine as a local file, its path the file name's bytes; any other URL as something else.
// Text without URLs carries no item.
[[nodiscard]] std::vector<window::DroppedItem> DroppedItems(const QMimeData* data);

// Lets `window` take what the controller accepts of a drag; a drop hands the items to `drop`
// once the drag source has been told the drop is done, and everything else is refused, so the
// window stays as it was.
void AcceptModelFileDrops(QWidget& window, const window::WindowController& controller,
                          std::function<void(const std::vector<window::DroppedItem>&)> drop);

}  // namespace qzd::viewer
