// Short English texts for the engine's output changes and faults, as qen-cli prints them.
#pragma once

#include <string>
#include <vector>

#include "engine_program.h"
#include "engine_types.h"

// For example "slot 4 leads nowhere" or "slot 7 holds no instruction".
std::string DescribeFault(const EngineFault& fault);

// The change as "NAME VALUE": "led F00" (red, green, blue in hexadecimal),
// "white-led on", "usb-power off", "output3 on", "sound buzzer 1", "sound off", "alarm 07:30".
std::string DescribeChange(const OutputEvent& event);

// A whole run as text: one line "T NAME VALUE" per output change, then
// "T end ended", "T end error REASON" or, when the limit came first,
// "LIMIT end running"; T in simulated milliseconds.
struct Timeline {
    std::vector<std::string> lines;
    RunState state = RunState::Running;
};
Timeline RunTimeline(const EngineProgram& program, const EngineInputs& inputs, SimTime timeOfDay,
                     SimTime limit);
