// linkwatch: the command-line interface monitor. Everything but the process's
// own streams and arguments lives in CliProgram.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "CliProgram.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  linkwatch::cli::CliProgram program(std::cout, std::cerr);
  return program.Main(args, isatty(STDOUT_FILENO) == 1);
}
