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
  ModelFileDrop(QWidget& window, const window::WindowController& controller,
                std::function<void(const std::vector<window::DroppedItem>&)> drop)
      : QObject(&window), controller_(controller), drop_(std::move(drop)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (Accepts(DroppedItems(drag->mimeData())))
          drag->acceptProposedAction();
        else
          drag->ignore();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        std::vector<window::DroppedItem> items = DroppedItems(drop->mimeData());
        if (!Accepts(items)) {
          drop->ignore();
          return true;
        }
        drop->acceptProposedAction();
        // The load may show the modal error box; the drag source is told the drop is done
        // first instead of waiting until the user closes the box.
        QTimer::singleShot(0, this, [this, items = std::move(items)] { drop_(items); });
        return true;
      }
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  // Qt keeps every input but a drop from a window under a modal box; a drop is kept from it
  // here, so that none arrives while any box is open, the controller's or not.
  bool Accepts(const std::vector<window::DroppedItem>& items) const {
    return QApplication::activeModalWidget() == nullptr && controller_.AcceptsDrop(items);
  }

  const window::WindowController& controller_;
  std::function<void(const std::vector<window::DroppedItem>&)> drop_;
};

}  // namespace

std::vector<window::DroppedItem> DroppedItems(const QMimeData* data) {
  std::vector<window::DroppedItem> items;
  if (data == nullptr || !data->hasUrls()) return items;
  for (const QUrl& url : data->urls()) {
    window::DroppedItem& item = items.emplace_back();
    // A file URL may name another machine; only this one's files can be opened.
    const QString host = url.host();
    if (!url.isLocalFile() || (!host.isEmpty() && host != QLatin1String("localhost"))) continue;
    // The URL keeps a byte of the name that is not UTF-8 percent-encoded; decoding it as text
    // would turn it into U+FFFD and name another file.
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    item = {window::DroppedItem::Kind::kLocalFile, window::ChosenFile{path.toStdString()}};
  }
  return items;
}

void AcceptModelFileDrops(QWidget& window, const window::WindowController& controller,
                          std::function<void(const std::vector<window::DroppedItem>&)> drop) {
  window.setAcceptDrops(true);
  window.installEventFilter(new ModelFileDrop(window, controller, std::move(drop)));
}

}  // namespace qzd::viewer
