#include "text_fields.h"

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    text = TrimLeft(text);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Calls f for each piece of text between separators.
template <typename IsSeparator, typename F>
void ForEachPiece(std::string_view text, IsSeparator isSeparator, F f) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text[i])) continue;
        if (!f(text.substr(start, i - start))) return;
        start = i + 1;
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::uint8_t LowByteOfHex(std::string_view piece) {
    if (piece.size() >= 2 && piece[0] == '0' && (piece[1] == 'x' || piece[1] == 'X'))
        piece.remove_prefix(2);
    unsigned value = 0;
    for (char c : piece) {
        const int digit = HexDigit(c);
        if (digit < 0) break;
        value = ((value << 4) | static_cast<unsigned>(digit)) & 0xFFu;
    }
    return static_cast<std::uint8_t>(value);
}

// Grid values far outside the sheet are held where 24 times them still fits an int.
constexpr int kGridLimit = 1'000'000;

int GridToPixels(int cells) { return std::clamp(cells, -kGridLimit, kGridLimit) * kGrid; }

}  // namespace

int LeadingInt(std::string_view text) {
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'),
                                    static_cast<long long>(std::numeric_limits<int>::max()) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

std::vector<std::uint8_t> ReadOperandBytes(std::string_view text, int maxCount) {
    std::vector<std::uint8_t> bytes;
    if (maxCount <= 0) return bytes;
    ForEachPiece(
        text, [](char c) { return c == ','; },
        [&](std::string_view piece) {
            piece = Trim(piece);
            if (!piece.empty()) bytes.push_back(LowByteOfHex(piece));
            return static_cast<int>(bytes.size()) < maxCount;
        });
    return bytes;
}

std::string FormatOperandBytes(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 5);
    for (std::uint8_t byte : bytes) {
        if (!text.empty()) text += ',';
        text += "0x";
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

Point ReadGridPair(std::string_view text) {
    const std::size_t comma = text.find(',');
    const int x = LeadingInt(text);
    const int y = comma == std::string_view::npos ? 0 : LeadingInt(text.substr(comma + 1));
    return {GridToPixels(x), GridToPixels(y)};
}

std::string FormatGridPair(int x, int y) {
    return std::to_string(x / kGrid) + ',' + std::to_string(y / kGrid);
}

std::vector<Point> ReadWaypoints(std::string_view text, int maxCount) {
    std::vector<Point> points;
    if (maxCount <= 0) return points;
    ForEachPiece(text, IsBlank, [&](std::string_view piece) {
        if (!piece.empty()) points.push_back(ReadGridPair(piece));
        return static_cast<int>(points.size()) < maxCount;
    });
    return points;
}

std::string FormatWaypoints(const std::vector<Point>& waypoints) {
    std::string text;
    for (const Point& p : waypoints) {
        if (!text.empty()) text += ' ';
        text += FormatGridPair(p.x, p.y);
    }
    return text;
}
