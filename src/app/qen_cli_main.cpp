// Entry point of qen-cli; the board commands reach the board over USB.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "hidapi_transport.h"
#include "qen_cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::optional<HidapiTransport> usb;  // set up only when a command needs the board
    CliBoardAccess board;
    board.usb = [&usb]() -> IHidTransport& { return usb ? *usb : usb.emplace(); };
    return RunCli(arguments, {std::cout, std::cerr}, board, DrawingCommands());
}
