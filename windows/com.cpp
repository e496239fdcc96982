// SPDX-License-Identifier: MIT
#include "windows/com.h"

#include <objbase.h>

namespace qzd::windows {
namespace {

thread_local bool started = false;

}  // namespace

bool StartCom() {
  if (!started)
    started =
        SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  return started;
}

void StopCom() {
  if (started) ::CoUninitialize();
  started = false;
}

}  // namespace qzd::windows
