// What the board subcommands share with subcommands in other files.
#pragma once

#include "board_protocol.h"
#include "qen_cli.h"

// Opens the first board, runs the handshake and sends the melody image as
// the melody editor's transfer does; the exit code as for send.
int CliSendMelodyImage(const MelodyImage& melody, const CliArguments& arguments,
                       const CliContext& context);
