// The chart check's sentences, written for pupils: what is wrong, where, and
// what the board does about it.
#include "finding_text.h"

#include <array>
#include <span>

#include "check_graph.h"

namespace {

constexpr std::array<std::string_view, kChartCount> kChartNames = {"メイン", "サブ1", "サブ2",
                                                                   "サブ3"};

std::string Quoted(std::string_view name) { return std::string("「").append(name).append("」"); }

struct OpcodeName {
    std::uint8_t opcode;
    std::string_view name;
};
constexpr OpcodeName kOutputNames[] = {{0x23, "白色LED"}, {0x24, "USBパワー"}};
constexpr OpcodeName kSensorNames[] = {{0x31, "光"}, {0x32, "温度"}, {0x33, "音"}};

// Output and sensor symbols are named after the output or sensor they use.
std::string_view NameByOpcode(std::span<const OpcodeName> names, std::uint8_t opcode,
                              std::string_view otherwise) {
    for (const OpcodeName& entry : names)
        if (entry.opcode == opcode) return entry.name;
    return otherwise;
}

}  // namespace

std::string_view ChartName(int chart) {
    return chart >= 0 && chart < kChartCount ? kChartNames[static_cast<std::size_t>(chart)] : "";
}

std::string_view SymbolName(const CheckSymbol& symbol) {
    const std::uint8_t opcode = symbol.code[1];
    switch (ClassOf(symbol)) {
        case SymbolClass::Start:
            return "開始";
        case SymbolClass::End:
            return IsReturn(symbol) ? "戻る" : "終了";
        case SymbolClass::Led:
            return "カラーLED";
        case SymbolClass::Relay:
            return NameByOpcode(kOutputNames, opcode, "出力");
        case SymbolClass::Sound:
            return "サウンド";
        case SymbolClass::Wait:
            return "ウエイト";
        case SymbolClass::ClockAlarm:
            return "時計アラーム";
        case SymbolClass::Sensor:
            return NameByOpcode(kSensorNames, opcode, "センサー");
        case SymbolClass::SensorSwitch:
            return "スイッチ";
        case SymbolClass::TimeDecision:
            return "時刻";
        case SymbolClass::LoopBegin:
            return "くり返し";
        case SymbolClass::LoopEnd:
            return "もどる";
        case SymbolClass::CallSub:
            return "サブ";
        case SymbolClass::TimerReset:
            return "タイマーリセット";
        case SymbolClass::Timer:
            return "タイマー";
        case SymbolClass::Parallel:
            return "並列実行";
        case SymbolClass::Line:
            break;
    }
    return "図記号";
}

std::string FindingText(FindingKind kind, int chart, const CheckSymbol* symbol) {
    const std::string name = symbol ? Quoted(SymbolName(*symbol)) : std::string();
    const std::string stops = "が線でつながっていないので、ここでプログラムが止まります。";
    switch (kind) {
        case FindingKind::NoMainStart:
            return "メインに「開始」がないので、プログラムが始まりません。";
        case FindingKind::SubNeverCalled:
            return std::string(ChartName(chart)) +
                   "はどこからも呼び出されないので、実行されません。";
        case FindingKind::NeverRun:
            return name + "には「開始」から線でたどり着けないので、実行されません。";
        case FindingKind::OpenNextExit:
            return name + (symbol && IsDecision(*symbol) ? "の「はい」の出口" : "の出口") + stops;
        case FindingKind::OpenBranchExit:
            return name + "の「いいえ」の出口" + stops;
        case FindingKind::CallWithoutStart:
            return name + "で呼び出す" + std::string(ChartName(symbol ? CalledChart(*symbol) : 0)) +
                   "に「開始」がありません。";
        case FindingKind::LoopEndWithoutBegin:
            return "この「もどる」の前に、組になる「くり返し」がありません。";
        case FindingKind::LoopBeginWithoutEnd:
            return "この「くり返し」の後に、組になる「もどる」がありません。";
        case FindingKind::EndlessCycle:
            return name +
                   "から先が「ウエイト」もひし形の判断もない輪になっているので、"
                   "プログラムが止まらずに回り続けます。";
        case FindingKind::ReturnInMain:
            return "メインの「戻る」は「終了」と同じで、ここでプログラムが終わります。";
    }
    return {};
}

std::string FindingLine(const ChartFinding& finding) {
    return std::string(ChartName(finding.chart)) + ": " + finding.text;
}

std::string CheckSummaryText(std::size_t findingCount) {
    if (findingCount == 0) return "チェック: 気をつけることは見つかりませんでした。";
    return "チェック: 気をつけることが" + std::to_string(findingCount) +
           "件あります。行をダブルクリックすると、その場所を表示します。";
}
