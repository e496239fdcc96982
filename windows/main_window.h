// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "window/front_end.h"
#include "window/window_controller.h"
#include "windows/context_menu.h"
#include "windows/controls/controls.h"
#include "windows/controls/dialogs.h"
#include "windows/controls/focus_chain.h"
#include "windows/window_outputs.h"

namespace qzd::windows {

// The main window on the Win32 API: a control per element of the form, made from the generated
// element table, and a front end of the window controller, which decides everything it shows.
// The window itself only hands clicks, keys, dropped files and the command line's file to the
// controller and does what it is told.
class TmainForm final : public window::FrontEnd {
 public:
  explicit TmainForm(HINSTANCE instance);
  ~TmainForm() override;
  TmainForm(const TmainForm&) = delete;
  TmainForm& operator=(const TmainForm&) = delete;

  // Makes the window and its controls and shows it; false when Windows refused.
  bool Create(int show);
  // Takes the keys the window handles before the focused control: Tab and Shift+Tab along the
  // focus chain, and the chords the controller answers. True when the message was taken.
  bool TakeKey(const MSG& message);
  // A file named on the command line, as if the dialog had returned it.
  void OpenModelFile(const std::wstring& path);

  // FrontEnd
  void SetText(window::ElementId field, std::string_view text) override;
  void SetVisible(window::ElementId element, bool visible) override;
  void SetFilePath(const window::ChosenFile& file) override;
  [[nodiscard]] std::optional<window::ChosenFile> ChooseFile() override;
  void OfferFile(const window::ChosenFile& file) override;
  void ShowError(std::string_view text) override;
  void Busy(bool busy) override;
  void Close() override;
  // The commands that take the model away: everything but the browser's download.
  [[nodiscard]] bool Offers(window::WindowCommand command) const override;
  void Print(const window::PrintJob& job) override;
  void SaveWindow(const window::ChosenFile& model, const std::string& suggested) override;
  void CopyText(std::string_view text) override;
  [[nodiscard]] std::optional<window::WindowCommand> ShowMenu(
      std::span<const window::MenuEntry> entries,
      std::optional<window::ElementId> atElement) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void RegisterClass();
  void Paint();
  void DropFiles(HDROP drop);
  void MoveToDpi(UINT dpi, const RECT& suggested);
  void NameForScreenReadersOnce();
  [[nodiscard]] LRESULT DrawnElementAnswer(WPARAM index) const;
  [[nodiscard]] LRESULT ElementLookAnswer(WPARAM index) const;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  bool named_ = false;
  UINT drawnElementMessage_ = 0;
  UINT elementLookMessage_ = 0;
  std::unique_ptr<Controls> controls_;
  std::optional<FocusChain> focus_;
  OpenDialog openDialog_;
  HCURSOR savedCursor_ = nullptr;
  ContextMenu menu_;
  SheetWindows sheets_;
  window::WindowController controller_{*this};
};

}  // namespace qzd::windows
