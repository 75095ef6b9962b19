// linkwatch-exporter: serves the interface statistics of many devices to
// Prometheus. Everything but the process's own streams and arguments lives in
// ExporterProgram.
#include <iostream>
#include <string>
#include <vector>

#include "ExporterProgram.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  linkwatch::exporter::ExporterProgram program(std::cout, std::cerr);
  return program.Main(args);
}
