// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "viewer/boxes.h"
#include "window/front_end.h"
#include "window/window_controller.h"
#include "window/window_elements.h"

class QMenu;

namespace Ui {
class TmainForm;
}

namespace qzd::viewer {

class OutputDialogs;

// The program's one window, `mainForm`, on the desktop. Its layout lives in main_window.ui; this
// class makes the form's elements the window controller's front end and hands it their clicks.
class TmainForm : public QWidget, public window::FrontEnd {
  Q_OBJECT

 public:
  // `dialog` and `errors` serve the load command for the whole run and must outlive the window.
  TmainForm(OpenDialog& dialog, ErrorBox& errors, QWidget* parent = nullptr);
  ~TmainForm() override;

  TmainForm(const TmainForm&) = delete;
  TmainForm& operator=(const TmainForm&) = delete;

  // The widget of an element.
  [[nodiscard]] QWidget* Element(window::ElementId element) const;
  // The same by name; a name the window does not have stops the program (see ElementNamed).
  [[nodiscard]] QWidget* Element(std::string_view name) const;

  // The window's behaviour: the run's one value store, the page cycle and the load command.
  [[nodiscard]] window::WindowController& Controller() noexcept { return controller_; }
  [[nodiscard]] const window::WindowController& Controller() const noexcept { return controller_; }

  // True once the first frame is painted and what it did not need is made: the icon, the size of
  // the captions still hidden, the start of the pictures' decode.
  [[nodiscard]] bool StartUpDone() const noexcept { return startUpDone_; }

  // The load command's steps after the dialog for a file named outside it (command line, drop),
  // as if the dialog had returned `path` made absolute. The path is the user's bytes, opened as
  // they are.
  void OpenModelFile(const std::string& path);

  // The controller's front end: the form's widgets, the dialog and the error box.
  void SetText(window::ElementId field, std::string_view text) override;
  void SetVisible(window::ElementId element, bool visible) override;
  void SetFilePath(const ChosenFile& file) override;
  [[nodiscard]] std::optional<ChosenFile> ChooseFile() override;
  void OfferFile(const ChosenFile& file) override;
  void ShowError(std::string_view text) override;
  void Busy(bool busy) override;
  void Close() override;
  [[nodiscard]] bool Offers(window::WindowCommand command) const override;
  void Print(const window::PrintJob& job) override;
  void SaveWindow(const ChosenFile& model, const std::string& suggested) override;
  void CopyText(std::string_view text) override;
  [[nodiscard]] std::optional<window::WindowCommand> ShowMenu(
      std::span<const window::MenuEntry> entries,
      std::optional<window::ElementId> atElement) override;

  // The print and save dialogs; tests stand in for them. `dialogs` must outlive the window.
  void SetOutputDialogs(OutputDialogs& dialogs) noexcept { outputs_ = &dialogs; }

 public slots:
  // The load command: a click on `open`.
  void FileOpenClick();
  // The advance of the page area: a click on `Button1` or on a page's frame.
  void ChangeHelpScr();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void SetUpElementKinds();
  void IndexElements();
  void ConnectClicks();
  [[nodiscard]] std::optional<window::ElementId> FocusedElement() const;

  std::unique_ptr<Ui::TmainForm> ui_;
  std::vector<QWidget*> elements_;  // indexed by window::ElementId
  // FileOpenDlg and the error box.
  OpenDialog& dialog_;
  ErrorBox& errors_;
  OutputDialogs* outputs_;
  // The context menu, made when it is first asked for.
  std::unique_ptr<QMenu> menu_;
  window::WindowController controller_{*this};
  bool picturesDecodeAsked_ = false;
  bool startUpDone_ = false;
  std::jthread picturesDecode_;
};

}  // namespace qzd::viewer
