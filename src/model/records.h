// Flat copies of symbols and lines, used by the clipboard, the undo history
// and the file writer.
#pragma once

#include <vector>

#include "geometry.h"
#include "nuvo_instruction.h"

// One end of a line: the symbol connector it is attached to and its point.
struct LineEnd {
    int connected = 0;
    int uid = 0;
    int connector = -1;
    int x = 0;
    int y = 0;

    bool operator==(const LineEnd&) const = default;
};

struct SymbolRecord {
    int uid = 0;
    int kind = 0;
    int left = 0;
    int top = 0;
    EngineRecord engine;

    bool operator==(const SymbolRecord&) const = default;
};

struct LineRecord {
    int uid = 0;
    int kind = 22;
    int reserved1 = 0;
    int reserved2 = 0;
    LineEnd from;
    LineEnd to;
    std::vector<Point> waypoints;

    bool operator==(const LineRecord&) const = default;
};

// A program slot freed by deleting a symbol, kept so undo can put the symbol back there.
struct FreedSlot {
    int uid = 0;
    int slot = 0;

    bool operator==(const FreedSlot&) const = default;
};

// Connector ids and the bits of a hit result.
namespace Connector {
inline constexpr int In = 0;
inline constexpr int Next = 1;
inline constexpr int Branch = 2;
}  // namespace Connector

namespace HitBits {
inline constexpr int Body = 1;
inline constexpr int Line = 2;
inline constexpr int Entry = 4;
inline constexpr int NextExit = 8;
inline constexpr int BranchExit = 16;
}  // namespace HitBits

struct HitResult {
    int uid = 0;  // set only when some bit is set
    int bits = 0;
};

inline constexpr int kMaxWaypoints = 9;
