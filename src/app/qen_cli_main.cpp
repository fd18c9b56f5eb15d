// Entry point of qen-cli.
#include <iostream>
#include <string>
#include <vector>

#include "qen_cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunCli(arguments, {std::cout, std::cerr});
}
