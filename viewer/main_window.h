// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/display_update.h"
#include "model/model_value_store.h"
#include "viewer/help_panel_cycle.h"
#include "viewer/load_command.h"

namespace Ui {
class TmainForm;
}

namespace qzd::viewer {

// The program's one window, `mainForm`. Its layout lives in main_window.ui; this class sets up the
// element kinds, addresses the elements by name and wires the clicks.
class TmainForm : public QWidget, private PageFrames, private LoadTarget {
  Q_OBJECT

 public:
  // `dialog` and `errors` serve the load command for the whole run and must outlive the window.
  TmainForm(OpenDialog& dialog, ErrorBox& errors, QWidget* parent = nullptr);
  ~TmainForm() override;

  TmainForm(const TmainForm&) = delete;
  TmainForm& operator=(const TmainForm&) = delete;

  // The element of that name, or nullptr when the window has none.
  [[nodiscard]] QWidget* Element(std::string_view name) const;

  // Replaces the whole text of the display field or path field of that name.
  void SetText(std::string_view element, const QString& text);
  // Sets only the element's own visibility flag; the elements inside a frame keep theirs.
  void ShowElement(std::string_view element);
  void HideElement(std::string_view element);

  // Does the update's actions in their order. A hidden field takes its text like a visible one.
  // Returns the update's stop, if it has one, after every action before it has been done.
  std::optional<FillStop> Apply(const DisplayUpdate& update);

  // One fill of the window from the store. Returns the stop that ended it early, if any; the
  // load command shows it.
  std::optional<FillStop> FillForm() override;

  // The run's one value store; only a load writes it.
  [[nodiscard]] ModelValueStore& Store() { return store_; }
  [[nodiscard]] const ModelValueStore& Store() const { return store_; }

  // The page the next advance shows.
  [[nodiscard]] HelpPanelState HelpPanel() const noexcept { return helpPanel_.state(); }

  // The load command's steps after the dialog for a file named outside it (command line, drop),
  // as if the dialog had returned `path` made absolute.
  void OpenModelFile(const QString& path);

 public slots:
  // The load command: a click on `open`.
  void FileOpenClick();
  // The advance of the page area: a click on `Button1` or on a page's frame.
  void ChangeHelpScr();

 private:
  void SetUpElementKinds();
  void IndexElements();
  void ConnectClicks();

  void SetPageVisible(std::string_view frame, bool visible) override;
  void SetFilePath(const ChosenFile& file) override;
  void ShowMixerPage() override;
  void Busy(bool busy) override;

  std::unique_ptr<Ui::TmainForm> ui_;
  std::map<std::string, QWidget*, std::less<>> elements_;
  ModelValueStore store_;
  HelpPanelCycle helpPanel_{*this};
  // FileOpenDlg and the error box.
  OpenDialog& dialog_;
  ErrorBox& errors_;
};

}  // namespace qzd::viewer
