// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/front_end.h"
#include "window/window_controller.h"

namespace qzd::windows {

// The main window on the Win32 API: one child window per element of the form, made from the
// generated element table, and a front end of the window controller, which decides everything it
// shows. The window itself only builds the elements, hands clicks, keys, dropped files and the
// command line's file to the controller, and shows the dialogs.
class TmainForm final : public window::FrontEnd {
 public:
  explicit TmainForm(HINSTANCE instance);
  ~TmainForm() override;
  TmainForm(const TmainForm&) = delete;
  TmainForm& operator=(const TmainForm&) = delete;

  // Makes the window and its elements and shows it; false when Windows refused.
  bool Create(int show);
  // The keys the window handles before the focused element: Tab and Shift+Tab in the form's focus
  // order, Enter on a button, Ctrl+O and Ctrl+Q. True when the message was taken.
  bool TakeKey(const MSG& message);
  // A file named on the command line or dropped, as if the dialog had returned it.
  void OpenModelFile(const std::wstring& path);

  // FrontEnd
  void SetText(window::ElementId field, std::string_view text) override;
  void SetVisible(window::ElementId element, bool visible) override;
  void SetFilePath(const window::ChosenFile& file) override;
  [[nodiscard]] std::optional<window::ChosenFile> ChooseFile() override;
  void OfferFile(const window::ChosenFile& file) override;
  void ShowError(std::string_view text) override;
  void Busy(bool busy) override;

 private:
  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void RegisterClasses();
  void CreateElements();
  void NameForScreenReaders();
  void Click(HWND element);
  // A click at a point of a frame or of the window: on the topmost visible element drawn there,
  // else on the frame itself.
  void ClickAt(HWND parent, POINT at);
  void PaintDrawn(HWND parent, HDC dc, const RECT& dirty) const;
  [[nodiscard]] LRESULT DrawnElementAnswer(WPARAM index) const;
  void MoveFocus(bool backwards);
  void DropFiles(HDROP drop);
  [[nodiscard]] HWND Element(window::ElementId element) const { return elements_[element.index()]; }

  // A caption or separator: drawn by the window it lies in, as a graphic control is, since every
  // child window costs Windows (and Wine far more) several round trips to its window server.
  struct DrawnElement {
    HWND parent = nullptr;  // nullptr: the element is a window of its own
    RECT place{};           // in the parent's client coordinates
    bool visible = false;
    HFONT font = nullptr;
    std::wstring text;
  };

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<HFONT> ownFonts_;      // fonts of elements with a size of their own
  std::vector<HWND> elements_;       // by element index; nullptr for a drawn element
  std::vector<DrawnElement> drawn_;  // by element index
  UINT drawnElementMessage_ = 0;
  std::vector<HWND> focusChain_;  // the form's tab order
  std::wstring offeredFile_;      // the file the dialog offers next
  HCURSOR savedCursor_ = nullptr;
  window::WindowController controller_{*this};
};

}  // namespace qzd::windows
