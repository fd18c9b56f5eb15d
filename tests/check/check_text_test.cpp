// The sentences of the chart check and the names they give symbols and charts.
#include <gtest/gtest.h>

#include <string>

#include "finding_text.h"
#include "symbol_kind.h"

namespace {

CheckSymbol Symbol(int kind, std::uint8_t opcode = 0, std::uint8_t operand = 0) {
    CheckSymbol s;
    s.kind = kind;
    s.code[1] = opcode;
    s.code[2] = operand;
    return s;
}

struct NameRow {
    CheckSymbol symbol;
    const char* name;
};

TEST(FindingText, SymbolsAreNamedAsThePaletteNamesThem) {
    const NameRow rows[] = {
        {Symbol(Kind::Start), "開始"},
        {Symbol(Kind::End, 0x80), "終了"},
        {Symbol(Kind::End, 0x90), "戻る"},
        {Symbol(Kind::Led, 0x21), "カラーLED"},
        {Symbol(Kind::Relay1, 0x23), "白色LED"},
        {Symbol(Kind::Relay1, 0x24), "USBパワー"},  // the output chosen, not the kind placed
        {Symbol(Kind::Relay3, 0x25), "出力"},
        {Symbol(Kind::Sound), "サウンド"},
        {Symbol(Kind::Wait), "ウエイト"},
        {Symbol(Kind::ClockAlarm), "時計アラーム"},
        {Symbol(Kind::SensorLight, 0x31), "光"},
        {Symbol(Kind::SensorLight, 0x32), "温度"},
        {Symbol(Kind::SensorSound, 0x33), "音"},
        {Symbol(Kind::Switch2), "スイッチ"},
        {Symbol(Kind::TimeDecision), "時刻"},
        {Symbol(Kind::LoopBegin), "くり返し"},
        {Symbol(Kind::LoopEnd), "もどる"},
        {Symbol(Kind::CallSub), "サブ"},
        {Symbol(Kind::TimerReset), "タイマーリセット"},
        {Symbol(Kind::Timer), "タイマー"},
        {Symbol(Kind::Parallel), "並列実行"},
    };
    for (const NameRow& row : rows)
        EXPECT_EQ(SymbolName(row.symbol), row.name) << "kind " << row.symbol.kind;
}

TEST(FindingText, ChartsAreNamedAsTheirTabs) {
    EXPECT_EQ(ChartName(0), "メイン");
    EXPECT_EQ(ChartName(1), "サブ1");
    EXPECT_EQ(ChartName(3), "サブ3");
}

struct TextRow {
    FindingKind kind;
    int chart;
    CheckSymbol symbol;
    bool aboutChart;
    const char* text;
};

TEST(FindingText, EachFindingIsOneSentence) {
    const TextRow rows[] = {
        {FindingKind::NoMainStart,
         0,
         {},
         true,
         "メインに「開始」がないので、プログラムが始まりません。"},
        {FindingKind::SubNeverCalled,
         2,
         {},
         true,
         "サブ2はどこからも呼び出されないので、実行されません。"},
        {FindingKind::NeverRun, 1, Symbol(Kind::Wait), false,
         "「ウエイト」には「開始」から線でたどり着けないので、実行されません。"},
        {FindingKind::OpenNextExit, 0, Symbol(Kind::Led), false,
         "「カラーLED」の出口が線でつながっていないので、ここでプログラムが止まります。"},
        {FindingKind::OpenNextExit, 0, Symbol(Kind::Switch1), false,
         "「スイッチ」の「はい」の出口が線でつながっていないので、ここでプログラムが止まります。"},
        {FindingKind::OpenBranchExit, 0, Symbol(Kind::TimeDecision), false,
         "「時刻」の「いいえ」の出口が線でつながっていないので、ここでプログラムが止まります。"},
        {FindingKind::CallWithoutStart, 0, Symbol(Kind::CallSub, 0x10, 3), false,
         "「サブ」で呼び出すサブ3に「開始」がありません。"},
        {FindingKind::LoopEndWithoutBegin, 0, Symbol(Kind::LoopEnd), false,
         "この「もどる」の前に、組になる「くり返し」がありません。"},
        {FindingKind::LoopBeginWithoutEnd, 0, Symbol(Kind::LoopBegin), false,
         "この「くり返し」の後に、組になる「もどる」がありません。"},
        {FindingKind::EndlessCycle, 0, Symbol(Kind::Sound), false,
         "「サウンド」から先が「ウエイト」もひし形の判断もない輪になっているので、"
         "プログラムが止まらずに回り続けます。"},
        {FindingKind::ReturnInMain, 0, Symbol(Kind::End, 0x90), false,
         "メインの「戻る」は「終了」と同じで、ここでプログラムが終わります。"},
    };
    for (const TextRow& row : rows)
        EXPECT_EQ(FindingText(row.kind, row.chart, row.aboutChart ? nullptr : &row.symbol),
                  row.text)
            << "kind " << static_cast<int>(row.kind);
}

TEST(FindingText, MessageLinesNameTheChartAndCountTheFindings) {
    ChartFinding finding;
    finding.chart = 3;
    finding.text = "この「もどる」の前に、組になる「くり返し」がありません。";
    EXPECT_EQ(FindingLine(finding),
              "サブ3: この「もどる」の前に、組になる「くり返し」がありません。");
    EXPECT_EQ(CheckSummaryText(0), "チェック: 気をつけることは見つかりませんでした。");
    EXPECT_EQ(
        CheckSummaryText(12),
        "チェック: 気をつけることが12件あります。行をダブルクリックすると、その場所を表示します。");
}

}  // namespace
