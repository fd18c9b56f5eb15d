// Runs qen-cli's commands inside the test's process and keeps what they print.
#pragma once

#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "qen_cli.h"

struct CliResult {
    int exit = -1;
    std::string out;
    std::string err;

    std::vector<std::string> OutLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

inline CliResult RunTool(const std::vector<std::string>& arguments,
                         const CliBoardAccess& board = {},
                         std::span<const CliCommand> drawing = {}) {
    std::ostringstream out;
    std::ostringstream err;
    CliResult run;
    run.exit = RunCli(arguments, {out, err}, board, drawing);
    run.out = out.str();
    run.err = err.str();
    return run;
}
