// SPDX-License-Identifier: MIT
// qzd-viewer.exe: the main window, and the model file named on the command line, if any.
// clang-format off: windows.h comes before the headers that build on it.
#include <windows.h>
// clang-format on

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "model/utf16.h"
#include "window/program_title.h"
#include "windows/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
  // The open dialog and the picture decoder are COM objects.
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    return 1;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argc > 2 || (argc == 2 && argv[1][0] == L'\0')) {
    ::MessageBoxW(nullptr, L"usage: qzd-viewer.exe [FILE]",
                  qzd::WideText(qzd::window::kProgramTitle).c_str(), MB_OK | MB_ICONSTOP);
    ::LocalFree(argv);
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
  ::LocalFree(argv);
  ::CoUninitialize();
  return status;
}
