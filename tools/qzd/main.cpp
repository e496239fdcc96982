#include <iostream>
#include <string>
#include <vector>

#include "tools/qzd/qzd_cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const int status = qzd::cli::RunQzd(args, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
