// Writing a document and reading it back gives the same charts, lines,
// instructions and report, with slots renumbered compactly.
#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>

#include "file_fixture.h"
#include "load_all.h"
#include "program_image.h"
#include "save_all.h"

namespace {

class RoundTrip : public ::testing::Test, public StoreFixture {
protected:
    std::string Save(const ReportData& report = {}) {
        std::optional<std::string> text = WriteDocument(store, report);
        EXPECT_TRUE(text.has_value());
        return text.value_or("");
    }

    NuvoProgramManager::Image ImageOf(CFlowObjectManager& source) {
        NuvoProgramManager image;
        image.BuildImage(source);
        return image.Entries();
    }

    // Every kind over the four charts, with settings changed from the
    // defaults and lines with and without waypoints on both exits.
    void BuildEveryKind() {
        std::vector<int> main;
        for (int kind = 0; kind < Kind::SymbolCount; ++kind)
            main.push_back(store.CreateSymbol(0, kind, 48, 72 * kind));
        SetCode(main[Kind::Led], {0x3F, 0x21, 0x84, 0x08, 0x80, 0x00, 0x00, 0xFE});
        SetCode(main[Kind::Relay1], {0x2F, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE});
        SetCode(main[Kind::Wait], {0x37, 0x28, 0xEA, 0x60, 0x00, 0x00, 0x00, 0xFE});
        SetCode(main[Kind::SensorLight], {0xBF, 0x31, 0x83, 0xDC, 0x64, 0x14, 0xFE, 0xFE});
        SetCode(main[Kind::End], {0x7F, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
        Connect(main[Kind::Start], 1, main[Kind::Led]);
        for (int kind = Kind::Led; kind < Kind::Timer; ++kind)
            Connect(main[kind], 1, main[kind + 1], {{24 * 10, 72 * kind + 48}});
        Connect(main[Kind::Timer], 1, main[Kind::End]);
        for (int kind : {Kind::SensorLight, Kind::Switch3, Kind::TimeDecision, Kind::Timer})
            Connect(main[kind], 2, main[Kind::End], {{264, 288}, {456, 288}});

        const int start1 = store.CreateSymbol(1, Kind::Start, 480, 240);
        const int call = store.CreateSymbol(1, Kind::CallSub, 480, 480);
        SetCode(call, {0x7F, 0x10, 0x03, 0x00, 0x00, 0x00, 0xFE, 0xFE});
        Connect(start1, 1, call, {{600, 312}, {600, 408}, {504, 408}});
        const int start3 = store.CreateSymbol(3, Kind::Start, 0, 0);
        const int end3 = store.CreateSymbol(3, Kind::End, 0, 240);
        SetCode(end3, {0x7F, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
        Connect(start3, 1, end3);
    }
};

ReportData TrickyReport() {
    return {"<学校> & \"東\"",
            "  1 ",
            "2'組'",
            "3\t4",
            "名前\nです",
            "題 ]]> <!-- x -->",
            "一行目\n  二行目 & <b>\n\n四行目 "};
}

TEST_F(RoundTrip, AFileReadsBackAsTheSameChartsAndImage) {
    BuildEveryKind();
    const std::string text = Save();

    StoreFixture loaded;
    ReportData report;
    ASSERT_TRUE(LoadDocument(loaded.store, text, report, loaded.messages));
    EXPECT_EQ(loaded.Symbols(), Symbols());
    EXPECT_EQ(loaded.Lines(), Lines());
    EXPECT_EQ(ImageOf(loaded.store), ImageOf(store));
    EXPECT_TRUE(loaded.messages.boxes.empty());

    // And writing it again gives the very same text.
    const std::optional<std::string> again = WriteDocument(loaded.store, {});
    EXPECT_EQ(again, text);
}

TEST_F(RoundTrip, ReportTextsComeBackUnchanged) {
    const std::string text = Save(TrickyReport());
    StoreFixture loaded;
    ReportData report;
    ASSERT_TRUE(LoadDocument(loaded.store, text, report, loaded.messages));
    EXPECT_EQ(report, TrickyReport());
}

// A report typed or pasted with characters XML cannot hold is still saved
// as a file that opens again: those characters alone are left out.
TEST_F(RoundTrip, CharactersXmlCannotHoldAreLeftOutOfTheSavedReport) {
    ReportData typed = TrickyReport();
    typed.title = "題\x01名\x1F";
    typed.name = "花子\xEF\xBF\xBE\xEF\xBF\xBF";   // U+FFFE, U+FFFF
    typed.comment = "a\xFF\xC0\xAF" "b\xED\xA0\x80" "c\xE3\x81";  // not UTF-8
    const std::string text = Save(typed);

    StoreFixture loaded;
    ReportData report;
    ASSERT_TRUE(LoadDocument(loaded.store, text, report, loaded.messages));
    ReportData expected = TrickyReport();
    expected.title = "題名";
    expected.name = "花子";
    expected.comment = "abc";
    EXPECT_EQ(report, expected);
}

TEST_F(RoundTrip, ByteOrderMarkAndCrLfLineEndsReadTheSame) {
    BuildEveryKind();
    const std::string text = Save(TrickyReport());
    std::string windows = "\xEF\xBB\xBF";
    for (char c : text) {
        if (c == '\n') windows += '\r';
        windows += c;
    }

    StoreFixture loaded;
    ReportData report;
    ASSERT_TRUE(LoadDocument(loaded.store, windows, report, loaded.messages));
    EXPECT_EQ(report, TrickyReport());
    EXPECT_EQ(loaded.Symbols(), Symbols());
    EXPECT_EQ(loaded.Lines(), Lines());
}

TEST_F(RoundTrip, SlotsAreRenumberedCompactlyInLoadingOrder) {
    // Slots 1, 2, 5 in the main chart and 3, 4 in sub chart 1.
    const int a = store.CreateSymbol(0, Kind::Start, 0, 0);
    const int b = store.CreateSymbol(0, Kind::Led, 0, 96);
    const int gone3 = store.CreateSymbol(0, Kind::Led, 0, 192);
    const int gone4 = store.CreateSymbol(0, Kind::Led, 0, 288);
    const int c = store.CreateSymbol(0, Kind::End, 0, 384);
    store.SetSelection({gone3, gone4});
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    const int d = store.CreateSymbol(1, Kind::Start, 0, 0);
    const int e = store.CreateSymbol(1, Kind::End, 0, 96);
    Connect(a, 1, b);
    Connect(b, 1, c);
    Connect(d, 1, e);
    ASSERT_EQ(slots.SlotOf(c), 5);
    ASSERT_EQ(slots.SlotOf(d), 3);

    StoreFixture loaded;
    ReportData report;
    ASSERT_TRUE(LoadDocument(loaded.store, Save(), report, loaded.messages));
    const std::vector<SymbolView> symbols = loaded.Symbols();
    ASSERT_EQ(symbols.size(), 5u);
    const int expected[][3] = {{0, 1, Kind::Start},
                               {0, 2, Kind::Led},
                               {0, 3, Kind::End},
                               {1, 4, Kind::Start},
                               {1, 5, Kind::End}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(symbols[i].chart, expected[i][0]);
        EXPECT_EQ(symbols[i].slot, expected[i][1]);
        EXPECT_EQ(symbols[i].kind, expected[i][2]);
    }
    EXPECT_EQ(loaded.Lines(),
              (std::vector<LineView>{{0, 1, 1, 2, {}}, {0, 2, 1, 3, {}}, {1, 4, 1, 5, {}}}));
}

TEST_F(RoundTrip, LoadedObjectsAreSelectedAndNothingDeletedIsLeft) {
    BuildEveryKind();
    StoreFixture loaded;
    ReportData report;
    ASSERT_TRUE(LoadDocument(loaded.store, Save(), report, loaded.messages));
    EXPECT_EQ(loaded.store.Selection().size(), loaded.ObjectCount());
    EXPECT_EQ(loaded.ObjectCount(), loaded.Symbols().size() + loaded.Lines().size());
}

TEST_F(RoundTrip, ARelaySwitchedToAnotherOutputLoadsAsThatKind) {
    const int relay = store.CreateSymbol(0, Kind::Relay1, 0, 0);
    SetCode(relay, {0x2F, 0x24, 0x80, 0x00, 0x00, 0x00, 0x00, 0xFE});
    StoreFixture loaded;
    ReportData report;
    ASSERT_TRUE(LoadDocument(loaded.store, Save(), report, loaded.messages));
    ASSERT_EQ(loaded.Symbols().size(), 1u);
    EXPECT_EQ(loaded.Symbols()[0].kind, Kind::Relay2);
    EXPECT_EQ(loaded.Symbols()[0].code, Symbols()[0].code);
}

// The layout of the written document.
class WrittenDocument : public RoundTrip {
protected:
    pugi::xml_node Parse(const std::string& text) {
        EXPECT_TRUE(document.load_string(text.c_str()));
        return document.child("qex");
    }
    pugi::xml_document document;
};

TEST_F(WrittenDocument, ANewDocumentHasAnEmptyReportAndFourEmptyCharts) {
    const std::string text = Save();
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"", 0), 0u);
    const pugi::xml_node qex = Parse(text);
    const pugi::xml_node report = qex.first_child();
    EXPECT_STREQ(report.name(), "report");
    EXPECT_STREQ(report.attribute("title").value(), "");
    std::string userAttributes;
    for (const pugi::xml_attribute a : report.child("user").attributes())
        userAttributes += std::string(a.name()) + "=" + a.value() + ";";
    EXPECT_EQ(userAttributes, "school=;grade=;class=;number=;name=;");
    EXPECT_TRUE(report.child("comment"));
    EXPECT_TRUE(report.child("comment").first_child().empty());
    int chart = 0;
    for (pugi::xml_node c = report.next_sibling(); c; c = c.next_sibling(), ++chart) {
        EXPECT_STREQ(c.name(), "chart");
        EXPECT_EQ(c.attribute("chartId").as_int(), chart);
        EXPECT_STREQ(c.attribute("chartArea").value(), "80,112");
        EXPECT_TRUE(c.first_child().empty());
    }
    EXPECT_EQ(chart, 4);
}

TEST_F(WrittenDocument, ASymbolIsWrittenWithItsRecordPositionAndLines) {
    const int led = store.CreateSymbol(0, Kind::Led, 240, 192);
    const int relay = store.CreateSymbol(0, Kind::Relay1, 240, 480);
    const int sensor = store.CreateSymbol(0, Kind::SensorLight, 720, 192);
    const int end = store.CreateSymbol(0, Kind::End, 720, 480);
    Connect(led, 1, relay, {{264, 288}, {456, 288}});
    Connect(sensor, 2, end);
    Connect(sensor, 1, end);
    const pugi::xml_node chart = Parse(Save()).find_child_by_attribute("chart", "chartId", "0");

    const pugi::xml_node ledNode = chart.find_child_by_attribute("fobj", "id", "1");
    EXPECT_STREQ(ledNode.attribute("symbol").value(), "処理");
    std::string children;
    for (const pugi::xml_node child : ledNode.children())
        children += std::string(child.name()) + " ";
    EXPECT_EQ(children, "name nuvoobj position next ");
    EXPECT_STREQ(ledNode.child_value("name"), "led1_rgb");
    EXPECT_STREQ(ledNode.child("nuvoobj").attribute("name").value(), "led1_rgb");
    EXPECT_STREQ(ledNode.child("nuvoobj").attribute("argo").value(), "6");
    EXPECT_STREQ(ledNode.child_value("nuvoobj"), "0x80,0x00,0xF0,0x00,0x00");
    EXPECT_STREQ(ledNode.child_value("position"), "10,8");
    EXPECT_STREQ(ledNode.child("next").attribute("id").value(), "2");
    EXPECT_STREQ(ledNode.child_value("next"), "11,12 19,12");

    const pugi::xml_node relayNode = chart.find_child_by_attribute("fobj", "id", "2");
    const pugi::xml_node nop = relayNode.child("nuvoobj").next_sibling("nuvoobj");
    EXPECT_STREQ(nop.attribute("name").value(), "nop");
    EXPECT_STREQ(nop.attribute("argo").value(), "4");
    EXPECT_STREQ(nop.child_value(), "0x00,0x00,0x00");

    const pugi::xml_node sensorNode = chart.find_child_by_attribute("fobj", "id", "3");
    EXPECT_STREQ(sensorNode.last_child().previous_sibling().name(), "next");
    EXPECT_STREQ(sensorNode.last_child().name(), "branch");
    EXPECT_STREQ(sensorNode.child("branch").attribute("id").value(), "4");

    const pugi::xml_node endNode = chart.find_child_by_attribute("fobj", "id", "4");
    EXPECT_FALSE(endNode.child("next"));
    EXPECT_FALSE(endNode.child("branch"));
}

TEST_F(WrittenDocument, SymbolsAreWrittenInSlotOrderWithinTheirChart) {
    const int first = store.CreateSymbol(0, Kind::Led, 0, 0);  // slot 1
    store.CreateSymbol(0, Kind::Led, 0, 96);                   // slot 2, deleted below
    store.CreateSymbol(1, Kind::Led, 0, 0);                    // slot 3
    store.CreateSymbol(1, Kind::Led, 0, 96);                   // slot 4
    store.CreateSymbol(0, Kind::Led, 0, 192);                  // slot 5
    store.Select(first, true, 0, 0);
    std::vector<int> deleted;
    std::vector<FreedSlot> freed;
    store.DeleteSelection(deleted, freed);
    store.CreateSymbol(0, Kind::Led, 0, 288);  // slot 1 again, created last
    const pugi::xml_node qex = Parse(Save());
    const auto ids = [&](const char* chart) {
        std::string list;
        for (const pugi::xml_node f :
             qex.find_child_by_attribute("chart", "chartId", chart).children("fobj"))
            list += std::string(f.attribute("id").value()) + " ";
        return list;
    };
    EXPECT_EQ(ids("0"), "1 2 5 ");
    EXPECT_EQ(ids("1"), "3 4 ");
}

}  // namespace
