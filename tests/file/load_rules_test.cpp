// What the loader makes of hand-written files: which elements it reads,
// what it ignores and how it repairs what cannot be kept.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "file_fixture.h"
#include "load_all.h"
#include "xml_reader.h"
#include "xml_snippets.h"

namespace {

using namespace xml;

class Loader : public ::testing::Test, public StoreFixture {
protected:
    bool Load(const std::string& text) { return LoadDocument(store, text, report, messages); }

    // Nothing flagged deleted stays behind: every object is a live symbol or line.
    void ExpectNoLeftovers() { EXPECT_EQ(ObjectCount(), Symbols().size() + Lines().size()); }

    ReportData report;
};

TEST_F(Loader, EachIdTakesTheFirstElementTheQuerySelects) {
    const std::string text =
        Document(Chart("0", Led("01", Position(1, 0)) + Led(" 2 ", Position(2, 0)) +
                                Led("3.0", Position(3, 0)) + Led("3", Position(4, 0)) +
                                Led("1.5", Position(5, 0)) + Led("+6", Position(5, 1)) +
                                Led("1e1", Position(5, 2)) + Led("", Position(5, 3)) +
                                Led("0", Position(5, 4)) + Led("251", Position(5, 5)) +
                                Led("-4", Position(5, 6))) +
                 Chart("0.0", Led("4", Position(6, 0)) + Led("2", Position(7, 0))) +
                 Chart(" 1 ", Led("1", Position(8, 0))) + Chart("x", Led("9", Position(9, 0))) +
                 "<other>" + Chart("0", Led("10", Position(10, 0))) + "</other>");

    CXMLReader reader;
    ASSERT_TRUE(reader.Parse(text));
    pugi::xml_document literal;
    ASSERT_TRUE(literal.load_string(text.c_str()));
    for (int chart = 0; chart < kChartCount; ++chart) {
        LoadedChart loaded;
        ASSERT_TRUE(reader.ReadChart(chart, loaded).ok);
        std::vector<std::pair<int, int>> got;
        for (const RebuiltSymbol& s : loaded.symbols) got.emplace_back(s.fileId, s.x);
        std::vector<std::pair<int, int>> expected;
        for (int id = 1; id <= 250; ++id) {
            const std::string query = "/qex/chart[@chartId=" + std::to_string(chart) +
                                      "]/fobj[@id=" + std::to_string(id) + "]";
            if (const pugi::xml_node fobj = literal.select_node(query.c_str()).node())
                expected.emplace_back(id, 24 * std::atoi(fobj.child_value("position")));
        }
        EXPECT_EQ(got, expected) << "chart " << chart;
    }
    // The cases above do select something: the table is not empty by accident.
    LoadedChart main;
    reader.ReadChart(0, main);
    EXPECT_EQ(main.symbols.size(), 4u);
}

TEST_F(Loader, IdsNeverReadMayHoldAnything) {
    std::string chart = Led("1", Position(0, 0));
    for (const char* id : {"0", "251", "abc", "-1", "1.5", "1"})
        chart += Fobj(id, "判断", "led1_rgb", "", "");
    ASSERT_TRUE(Load(Document(Chart("0", chart))));
    EXPECT_EQ(Symbols().size(), 1u);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Loader, SymbolsTakeSlotsInFileIdOrderChartByChart) {
    ASSERT_TRUE(Load(Document(Chart("1", Led("2", Position(0, 0)) + Led("1", Position(0, 4))) +
                              Chart("0", Led("7", Position(0, 0)) + Led("3", Position(0, 4))))));
    const std::vector<SymbolView> symbols = Symbols();
    ASSERT_EQ(symbols.size(), 4u);
    const int expected[][3] = {{0, 1, 96}, {0, 2, 0}, {1, 3, 96}, {1, 4, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(symbols[i].chart, expected[i][0]);
        EXPECT_EQ(symbols[i].slot, expected[i][1]);
        EXPECT_EQ(symbols[i].top, expected[i][2]);
    }
}

TEST_F(Loader, PositionsReadTolerantly) {
    ASSERT_TRUE(Load(Document(Chart("0", Led("1", "") + Led("2", "<position> 3 , 4 </position>") +
                                             Led("3", "<position>5</position>") +
                                             Led("4", "<position>100,200</position>") +
                                             Led("5", "<position>-3,2</position>")))));
    const std::vector<SymbolView> s = Symbols();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(std::make_pair(s[0].left, s[0].top), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(s[1].left, s[1].top), std::make_pair(72, 96));
    EXPECT_EQ(std::make_pair(s[2].left, s[2].top), std::make_pair(120, 0));
    EXPECT_EQ(std::make_pair(s[3].left, s[3].top), std::make_pair(1824, 2640));  // on the sheet
    EXPECT_EQ(std::make_pair(s[4].left, s[4].top), std::make_pair(0, 48));
}

TEST_F(Loader, OperandsFollowArgoAndTheTableLength) {
    ASSERT_TRUE(Load(Document(Chart(
        "0", Fobj("1", "処理", "led1_rgb", Nuvoobj("led1_rgb", "3", "0x11,0x22,0x33,0x44"), "") +
                 Fobj("2", "処理", "relay4m",
                      Nuvoobj("relay4m", "2", "1F0, ,,55") + Nuvoobj("nop", "4x", "1,2,3,4"), "") +
                 Fobj("3", "処理", "beep1", Nuvoobj("beep1", "", "0x81") + Nuvoobj("nop", "3", ""),
                      "")))));
    const std::vector<SymbolView> s = Symbols();
    ASSERT_EQ(s.size(), 3u);
    using Code = std::array<std::uint8_t, 8>;
    EXPECT_EQ(s[0].code.code, (Code{0x3F, 0x21, 0x11, 0x22, 0x00, 0x00, 0x00, 0xFE}));
    EXPECT_EQ(s[1].code.code, (Code{0x2F, 0x24, 0xF0, 0x00, 0x01, 0x02, 0x03, 0xFE}));
    EXPECT_EQ(s[1].kind, Kind::Relay2);
    EXPECT_EQ(s[2].code.code, (Code{0x37, 0x27, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE}));
}

TEST_F(Loader, LinesNeedATargetInTheSameChart) {
    ASSERT_TRUE(Load(Document(Chart("0", Start("1", Position(0, 0) + Next("2")) +
                                             Sensor("2", Position(0, 4) + Next("9") + Branch("5")) +
                                             Led("3", Position(0, 8) + "<next/>") +
                                             Led("4", Position(0, 12) + Next("x"))) +
                              Chart("1", Led("5", Position(0, 0))))));
    EXPECT_EQ(Lines(), (std::vector<LineView>{{0, 1, 1, 2, {}}}));
    ExpectNoLeftovers();
}

TEST_F(Loader, ExitsAndEntriesASymbolDoesNotHaveMakeNoLine) {
    ASSERT_TRUE(Load(Document(
        Chart("0", Led("1", Position(0, 0) + Next("2") + Branch("2")) +
                       End("2", Position(0, 4) + Next("3")) + Led("3", Position(0, 8) + Next("4")) +
                       Start("4", Position(0, 12)) + Parallel("5", Position(5, 0) + Next("3"))))));
    EXPECT_EQ(Lines(), (std::vector<LineView>{{0, 1, 1, 2, {}}}));
    EXPECT_EQ(Symbols().size(), 5u);
    ExpectNoLeftovers();
}

TEST_F(Loader, ALineKeepsAtMostNineWaypointsOnTheSheet) {
    std::string twelve;
    for (int i = 1; i <= 12; ++i) twelve += std::to_string(i) + "," + std::to_string(i) + " ";
    ASSERT_TRUE(
        Load(Document(Chart("0", Led("1", Position(0, 0) + Next("2", twelve)) +
                                     Led("2", Position(0, 4) + Next("3", "  500,500\t-2,3 ")) +
                                     Led("3", Position(0, 8))))));
    const std::vector<LineView> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].waypoints.size(), 9u);
    EXPECT_EQ(lines[0].waypoints.front(), (Point{24, 24}));
    EXPECT_EQ(lines[0].waypoints.back(), (Point{216, 216}));
    EXPECT_EQ(lines[1].waypoints, (std::vector<Point>{{1920, 2688}, {0, 72}}));
}

TEST_F(Loader, SymbolsBeyondTheSlotsAreDroppedWithTheirLines) {
    std::string main;
    for (int id = 1; id <= 200; ++id) main += Led(std::to_string(id), Position(0, 0));
    std::string sub;
    for (int id = 1; id <= 60; ++id)
        sub += Led(std::to_string(id),
                   Position(5 * (id % 10), 3 * (id / 10)) + Next(std::to_string(id + 1)));
    ASSERT_TRUE(Load(Document(Chart("0", main) + Chart("1", sub))));
    EXPECT_EQ(Symbols().size(), 250u);
    EXPECT_EQ(slots.CountUsed(), 250);
    const std::vector<LineView> lines = Lines();
    ASSERT_EQ(lines.size(), 49u);  // 1->2 ... 49->50 survive; 50->51 lost its target
    EXPECT_EQ(lines.back().toSlot, 250);
    ExpectNoLeftovers();
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Loader, PlacementLimitsDoNotApplyToFiles) {
    std::string loops;
    for (int id = 1; id <= 9; ++id) loops += Loop(std::to_string(id), Position(10, 3 * id));
    ASSERT_TRUE(Load(Document(
        Chart("0", loops + Parallel("20", Position(0, 0)) + Parallel("21", Position(5, 0))) +
        Chart("2", Start("1", Position(0, 0)) + Start("2", Position(5, 0)) +
                       Parallel("3", Position(10, 0))))));
    EXPECT_EQ(store.CountLoopBegins(), 9);
    EXPECT_EQ(Symbols().size(), 14u);
}

TEST_F(Loader, LoadedObjectsAreSelected) {
    ASSERT_TRUE(Load(
        Document(Chart("0", Led("1", Position(0, 0) + Next("2")) + Led("2", Position(0, 4))))));
    EXPECT_EQ(store.Selection().size(), 3u);
}

TEST_F(Loader, ReportPartsThatAreMissingKeepTheirValues) {
    const ReportData before{"s", "g", "c", "n", "name", "title", "comment"};
    const struct {
        const char* body;
        ReportData after;
    } cases[] = {
        {"", before},
        {"<report title=\"T\"/>", {"s", "g", "c", "n", "name", "T", "comment"}},
        {"<report><user grade=\"G\"/></report>", {"", "G", "", "", "", "", "comment"}},
        {"<report title=\"T\"><comment>a\nb</comment></report>",
         {"s", "g", "c", "n", "name", "T", "a\nb"}},
        {"<report title=\"T\"><comment/></report>", {"s", "g", "c", "n", "name", "T", ""}},
    };
    for (const auto& c : cases) {
        StoreFixture fresh;
        ReportData data = before;
        ASSERT_TRUE(LoadDocument(fresh.store, Document(c.body), data, fresh.messages)) << c.body;
        EXPECT_EQ(data, c.after) << c.body;
    }
}

TEST_F(Loader, AReportAloneIsFourEmptyCharts) {
    ASSERT_TRUE(Load(Document("<report title=\"only\"/>")));
    EXPECT_EQ(ObjectCount(), 0u);
    EXPECT_EQ(report.title, "only");
}

TEST_F(Loader, UnknownElementsAndAttributesAreIgnored) {
    ASSERT_TRUE(Load(Document(
        "<extra a=\"1\"/>" +
        Chart("0", "<note>hi</note>" +
                       Fobj("1", "処理", "led1_rgb",
                            Nuvoobj("led1_rgb", "6", "0x80,0x00,0x0F,0x00,0x00"),
                            "<colour>red</colour>" + Position(2, 2) + "<!-- a comment -->")))));
    ASSERT_EQ(Symbols().size(), 1u);
    EXPECT_EQ(Symbols()[0].code.code[4], 0x0F);
}

}  // namespace

namespace {

TEST_F(Loader, SymbolsLoadedStackedCoverEachOthersConnectors) {
    ASSERT_TRUE(Load(Document(Chart("0", Led("1", Position(1, 1)) + Led("2", Position(1, 3))))));
    auto lock = store.Lock();
    std::vector<std::pair<int, bool>> covered;  // connector id, covered, upper symbol first
    for (const auto& o : store.Objects())
        for (const auto& [id, connector] : o->Connectors().All())
            covered.emplace_back(id, connector->Covered());
    const std::vector<std::pair<int, bool>> expected = {{Connector::In, false},
                                                        {Connector::Next, true},
                                                        {Connector::In, true},
                                                        {Connector::Next, false}};
    EXPECT_EQ(covered, expected);
}

}  // namespace
