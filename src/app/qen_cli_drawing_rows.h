// The rows of qen-cli's drawing commands (export, print), written once for
// the program that runs them and for qen-cli, which hands them over to it.
#pragma once

#include <array>

#include "qen_cli.h"

inline constexpr std::array<CliOption, 1> kExportOptions = {{{"--chart", "0|1|2|3"}}};
inline constexpr std::array<CliOption, 2> kPrintOptions = {
    {{"--pdf", "", "OUT.pdf", true}, {"--chart", "0|1|2|3"}}};

constexpr std::array<CliCommand, 2> DrawingCommandRows(CliHandler exportRun, CliHandler printRun) {
    return {{
        {"export", "FILE.xml OUT.png|OUT.svg",
         "write a chart of FILE (the main chart unless --chart) as a PNG or SVG picture, as "
         "printed",
         2, kExportOptions, exportRun},
        {"print", "FILE.xml...",
         "print each FILE as the editor prints it, one after another, into one PDF", kCliOneOrMore,
         kPrintOptions, printRun},
    }};
}
