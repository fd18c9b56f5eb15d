// What the user is told when a board is present but its device cannot be
// opened, with the way out; qen-cli and the editor both show this text.
#pragma once

#include <string_view>

// One line: the board was found but could not be opened, and the udev rule
// installed with the program, which lets the logged-in user open the board's
// hidraw node, has to be put in place.
std::string_view BoardNotOpenedText();
