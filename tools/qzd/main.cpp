// SPDX-License-Identifier: MIT
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/qzd/descriptor_output.h"
#include "tools/qzd/qzd_cli.h"

int main(int argc, char** argv) {
  using namespace qzd::cli;
  DescriptorOutput output(STDOUT_FILENO);
  std::ostream out(&output);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const int status = RunQzd(args, out, std::cerr);
  out.flush();
  return StatusAfterOutput(status, output.error(), std::cerr);
}
