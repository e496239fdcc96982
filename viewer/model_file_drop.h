// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QMimeData;
class QWidget;

namespace qzd::viewer {

// The one local file a drag carries, as a path of the file name's bytes; nothing for text,
// several files or remote URLs.
[[nodiscard]] std::optional<std::string> DroppedModelFile(const QMimeData* data);

// Lets `window` take a model file dropped on it: the drag is accepted only while it carries one
// local file, and a drop hands that file's path to `open`. Everything else is refused, so the
// window stays as it was.
void AcceptModelFileDrops(QWidget& window, std::function<void(const std::string&)> open);

}  // namespace qzd::viewer
