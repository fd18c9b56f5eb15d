// qen-cli built without the user interface: no commands that draw charts.
#include "qen_cli.h"

std::span<const CliCommand> DrawingCommands() { return {}; }
