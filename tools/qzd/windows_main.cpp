// SPDX-License-Identifier: MIT
// qzd on Windows: the same command, with its arguments taken as UTF-16 from the system and handed
// on as UTF-8, and its output written as the bytes Linux writes (UTF-8, lines ending in LF).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "model/utf16.h"
#include "tools/qzd/descriptor_output.h"
#include "tools/qzd/qzd_cli.h"

int wmain(int argc, wchar_t** argv) {
  using namespace qzd::cli;
  // Text mode would write CR LF and a console would read UTF-8 as its ANSI code page.
  (void)_setmode(_fileno(stdout), _O_BINARY);
  (void)_setmode(_fileno(stderr), _O_BINARY);
  ::SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(qzd::Utf8FromWide(argv[i]));
  DescriptorOutput output(_fileno(stdout));
  std::ostream out(&output);
  const int status = RunQzd(args, out, std::cerr);
  out.flush();
  return StatusAfterOutput(status, output.error(), std::cerr);
}
