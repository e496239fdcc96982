// SPDX-License-Identifier: MIT
#include "viewer/model_file_drop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace qzd::viewer {

namespace {

class ModelFileDrop final : public QObject {
 public:
  ModelFileDrop(QWidget& window, std::function<void(const std::string&)> open)
      : QObject(&window), open_(std::move(open)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (Open(drag->mimeData()))
          drag->acceptProposedAction();
        else
          drag->ignore();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::optional<std::string> path = Open(drop->mimeData());
        if (!path) {
          drop->ignore();
          return true;
        }
        drop->acceptProposedAction();
        // The load may show the modal error box; the drag source is told the drop is done
        // first instead of waiting until the user closes the box.
        QTimer::singleShot(0, this, [this, file = *path] { open_(file); });
        return true;
      }
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  // The file a drop would open now. While the dialog or the error box is open, a load is under
  // way and another must not start inside it.
  static std::optional<std::string> Open(const QMimeData* data) {
    if (QApplication::activeModalWidget() != nullptr) return std::nullopt;
    return DroppedModelFile(data);
  }

  std::function<void(const std::string&)> open_;
};

}  // namespace

std::optional<std::string> DroppedModelFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
  // A file URL may name another machine; only this one's files can be opened.
  const QString host = urls.front().host();
  if (!host.isEmpty() && host != QLatin1String("localhost")) return std::nullopt;
  // The URL keeps a byte of the name that is not UTF-8 percent-encoded; decoding it as text
  // would turn it into U+FFFD and name another file.
  const QByteArray path =
      QByteArray::fromPercentEncoding(urls.front().path(QUrl::FullyEncoded).toLatin1());
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

void AcceptModelFileDrops(QWidget& window, std::function<void(const std::string&)> open) {
  window.setAcceptDrops(true);
  window.installEventFilter(new ModelFileDrop(window, std::move(open)));
}

}  // namespace qzd::viewer
