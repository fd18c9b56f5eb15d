// The text forms of the flowchart file's fields: operand lists, positions,
// waypoints and numbers, written strictly and read tolerantly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry.h"

// The leading decimal integer of text (blanks, then an optional sign, then
// digits), saturated to int; 0 when there is none.
int LeadingInt(std::string_view text);

// Operand bytes "0x80,0x00": pieces split at "," (blank pieces skipped), each
// a hexadecimal number with optional "0x" cut to its low 8 bits, at most
// maxCount of them.
std::vector<std::uint8_t> ReadOperandBytes(std::string_view text, int maxCount);
std::string FormatOperandBytes(const std::vector<std::uint8_t>& bytes);

// "x,y" in grid units, each value 0 when it cannot be read.
Point ReadGridPair(std::string_view text);
// A pixel position as "x,y" in grid units (truncated toward zero).
std::string FormatGridPair(int x, int y);

// Waypoints "x,y x,y ..." in grid units, returned in pixels, at most maxCount.
std::vector<Point> ReadWaypoints(std::string_view text, int maxCount);
std::string FormatWaypoints(const std::vector<Point>& waypoints);
