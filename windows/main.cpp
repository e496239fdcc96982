// SPDX-License-Identifier: MIT
// qzd-viewer.exe: the main window, and the model file named on the command line, if any.
// clang-format off: windows.h comes before the headers that build on it.
#include <windows.h>
// clang-format on

#include <commctrl.h>

#include <cstdlib>

#include "model/utf16.h"
#include "window/program_title.h"
#include "windows/com.h"
#include "windows/main_window.h"

// The C runtime's own split of the command line (__argc, __wargv), which spares loading the shell's
// DLL for the first frame.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  const int argc = __argc;
  wchar_t** const argv = __wargv;
  if (argc > 2 || (argc == 2 && argv[1][0] == L'\0')) {
    ::MessageBoxW(nullptr, L"usage: qzd-viewer.exe [FILE]",
                  qzd::WideText(qzd::window::kProgramTitle).c_str(), MB_OK | MB_ICONSTOP);
    return 2;
  }
  int status = 1;
  {
    qzd::windows::TmainForm form(instance);
    if (form.Create(show)) {
      if (argc == 2) form.OpenModelFile(argv[1]);
      MSG message;
      while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.TakeKey(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      status = static_cast<int>(message.wParam);
    }
  }
  qzd::windows::StopCom();
  return status;
}
