// Files the loader refuses: what the user is told, and that a refused file
// leaves neither the charts nor the report half read.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "file_messages.h"
#include "load_all.h"
#include "temp_folder.h"
#include "xml_snippets.h"

namespace {

using namespace xml;

class RefusedFile : public ::testing::Test, public StoreFixture {
protected:
    const ReportData before{"s", "g", "c", "n", "name", "title", "comment"};
    ReportData report = before;

    void ExpectNothingChanged() {
        EXPECT_EQ(ObjectCount(), 0u);
        EXPECT_EQ(slots.CountUsed(), 0);
        EXPECT_EQ(report, before);
    }
};

TEST_F(RefusedFile, TextThatIsNotWellFormedIsASyntaxError) {
    const std::string valid =
        Document("<report title=\"x\"/>" + Chart("0", Led("1", Position(0, 0))));
    const std::string cases[] = {
        "",
        "\xEF\xBB\xBF",
        "just text",
        "<qex>",
        "<qex></qux>",
        "<qex><chart chartId=\"0\"></qex>",
        "<qex a=\"1></qex>",
        valid.substr(0, valid.size() / 2),
    };
    for (const std::string& text : cases) {
        StoreFixture fresh;
        ReportData data = before;
        EXPECT_FALSE(LoadDocument(fresh.store, text, data, fresh.messages)) << text;
        EXPECT_EQ(fresh.messages.boxes,
                  (std::vector<std::string>{std::string(FileText::SyntaxError)}))
            << text;
        EXPECT_TRUE(fresh.messages.lines.empty());
        EXPECT_EQ(fresh.ObjectCount(), 0u);
        EXPECT_EQ(data, before);
    }
}

// Each file in the folder is a small valid document with one fault that
// makes it not well-formed XML.
std::vector<std::filesystem::path> NotWellFormedFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(QEN_NOT_WELL_FORMED_DATA))
        if (entry.path().extension() == ".xml") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class NotWellFormedFile : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(NotWellFormedFile, IsASyntaxErrorThatReadsNothing) {
    StoreFixture fixture;
    const ReportData before{"s", "g", "c", "n", "name", "title", "comment"};
    ReportData report = before;
    EXPECT_FALSE(LoadAll(fixture.store, GetParam().string(), report, fixture.messages));
    EXPECT_EQ(fixture.messages.boxes,
              (std::vector<std::string>{std::string(FileText::SyntaxError)}));
    EXPECT_EQ(fixture.messages.severities, (std::vector<MessageSeverity>{MessageSeverity::Error}));
    EXPECT_TRUE(fixture.messages.lines.empty());
    EXPECT_EQ(fixture.ObjectCount(), 0u);
    EXPECT_EQ(fixture.slots.CountUsed(), 0);
    EXPECT_EQ(report, before);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, NotWellFormedFile, ::testing::ValuesIn(NotWellFormedFiles()),
                         [](const auto& info) { return info.param.stem().string(); });

// The fixtures' one fault is what refuses them: the same document without it loads.
TEST_F(RefusedFile, TheNotWellFormedFixturesAreValidWithoutTheirFault) {
    const std::string text =
        TempFolder::Read((std::filesystem::path(QEN_NOT_WELL_FORMED_DATA) / "valid_document.txt").string());
    ASSERT_TRUE(LoadDocument(store, text, report, messages));
    EXPECT_EQ(Symbols().size(), 2u);
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_EQ(report.comment, "LEDを光らせます。");
}

TEST_F(RefusedFile, AFileThatCannotBeReadIsASyntaxError) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    for (const std::string& path : {(folder / "qen-no-such-file.xml").string(), folder.string()}) {
        messages.boxes.clear();
        EXPECT_FALSE(LoadAll(store, path, report, messages)) << path;
        EXPECT_EQ(messages.boxes, (std::vector<std::string>{std::string(FileText::SyntaxError)}));
        ExpectNothingChanged();
    }
}

TEST_F(RefusedFile, AnUnknownSymbolNamesItsChartAndIdAndNothingIsLoaded) {
    const std::string text =
        Document("<report title=\"new title\"/>" +
                 Chart("0", Led("1", Position(0, 0) + Next("2")) + Led("2", Position(0, 4))) +
                 Chart("1", Start("3", Position(0, 0))) +
                 Chart("2", Led("9", Position(0, 0)) +
                                Fobj("7", "判断", "led1_rgb", Nuvoobj("led1_rgb", "6", ""), "")));
    EXPECT_FALSE(LoadDocument(store, text, report, messages));
    const std::string problem =
        "<chart chartId=\"2\" ... \n<fobj id=\"7\" ...\n周辺に問題があります";
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{problem}));
    EXPECT_EQ(messages.severities, (std::vector<MessageSeverity>{MessageSeverity::Plain}));
    EXPECT_EQ(messages.lines, (std::vector<std::string>{problem}));
    ExpectNothingChanged();
}

TEST_F(RefusedFile, TheLowestRefusedIdOfTheFirstRefusedChartIsNamed) {
    // An LED without its function object.
    const auto badWithId = [](const char* id) { return Fobj(id, "処理", "led1_rgb", "", ""); };
    const std::string text = Document(Chart("1", badWithId("9") + Led("5", "") + badWithId("4")) +
                                      Chart("3", badWithId("1")));
    EXPECT_FALSE(LoadDocument(store, text, report, messages));
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{SymbolProblemText(1, 4)}));
    ExpectNothingChanged();
}

TEST_F(RefusedFile, SymbolsThatDoNotMatchTheTableAreRefused) {
    const std::string cases[] = {
        Fobj("1", "判断", "led1_rgb", Nuvoobj("led1_rgb", "6", ""), ""),
        Fobj("1", "処理", "led1_rgb", Nuvoobj("led1_rgb", "6", "") + Nuvoobj("nop", "1", ""), ""),
        Fobj("1", "処理", "LED1_RGB", Nuvoobj("led1_rgb", "6", ""), ""),
        Fobj("1", "処理", " led1_rgb", Nuvoobj("led1_rgb", "6", ""), ""),
        "<fobj id=\"1\" symbol=\"処理\">" + Nuvoobj("led1_rgb", "6", "") + "</fobj>",
        "<fobj id=\"1\"><name>led1_rgb</name>" + Nuvoobj("led1_rgb", "6", "") + "</fobj>",
        Fobj("1", "処理", "led1_rgb", "<nuvoobj argo=\"6\"/>", ""),
        Fobj("1", "処理", "relay1s", Nuvoobj("nop", "4", "") + Nuvoobj("relay1s", "2", ""), ""),
        Fobj("1", "処理", "rtc1_set", Nuvoobj("rtc1_set", "6", ""), ""),
    };
    for (const std::string& fobj : cases) {
        StoreFixture fresh;
        ReportData data;
        EXPECT_FALSE(LoadDocument(fresh.store, Document(Chart("0", fobj)), data, fresh.messages))
            << fobj;
        EXPECT_EQ(fresh.messages.boxes, (std::vector<std::string>{SymbolProblemText(0, 1)}))
            << fobj;
        EXPECT_EQ(fresh.ObjectCount(), 0u);
    }
}

}  // namespace
