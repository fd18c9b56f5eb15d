// The document commands new, open, save and save as: their flags, messages
// and questions, with the dialogs scripted.
#include "document_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "file_messages.h"
#include "save_all.h"
#include "temp_folder.h"
#include "xml_snippets.h"

namespace {

class ScriptedDialogs : public IFileDialogs {
public:
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest& request) override {
        requests.push_back(Describe("open", request));
        return openPath;
    }
    std::optional<std::string> ChooseSavePath(const FileDialogRequest& request) override {
        requests.push_back(Describe("save", request));
        return savePath;
    }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return answer;
    }

    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
    bool answer = true;
    std::vector<std::string> requests;
    std::vector<std::string> questions;

private:
    static std::string Describe(const char* kind, const FileDialogRequest& r) {
        return std::string(kind) + " ext=" + std::string(r.defaultExtension) +
               " name=" + std::string(r.initialName) + " filter=" + std::string(r.filter) +
               (r.promptOverwrite ? " prompt" : "");
    }
};

const std::string kApp = "テルノエディタ　　";

class Document : public ::testing::Test, public StoreFixture {
protected:
    Document() {
        state.onTitleRefresh = [this] { titles.push_back(DocumentTitle(state)); };
    }

    // A chart being edited: placed through the editor state, so it is in the history.
    void EditSomething() {
        state.PlaceSymbol(Kind::Led, 0, 0);
        ASSERT_TRUE(state.modified);
        ASSERT_GT(state.history.Count(), 0);
    }

    void WriteValidFile(const std::string& path) {
        TempFolder::Write(path,
                          xml::Document("<report title=\"loaded\"/>" +
                                        xml::Chart("0", xml::Led("1", xml::Position(0, 0)) +
                                                            xml::Led("2", xml::Position(5, 5)))));
    }

    void ExpectEmptyNewDocument() {
        EXPECT_EQ(ObjectCount(), 0u);
        EXPECT_EQ(slots.CountUsed(), 0);
        EXPECT_EQ(state.history.Count(), 0);
        EXPECT_TRUE(state.isNew);
        EXPECT_FALSE(state.modified);
        EXPECT_EQ(state.filePath, "");
        EXPECT_EQ(state.fileName, "");
    }

    EditorState state{store};
    DocumentCommands commands{state, messages};
    ScriptedDialogs dialogs;
    std::vector<std::string> titles;
    TempFolder folder;
    ReportData report{"s", "g", "c", "n", "name", "title", "comment"};
};

TEST_F(Document, NewEmptiesChartsAndHistoryAndLeavesTheReport) {
    EditSomething();
    state.store.CreateSymbol(2, Kind::Start, 0, 0);
    commands.NewDocument();
    ExpectEmptyNewDocument();
    EXPECT_EQ(titles.back(), kApp + "新規フローチャート");
}

TEST_F(Document, TitleShowsTheFileAndTheModifiedMark) {
    EXPECT_EQ(DocumentTitle(state), kApp + "新規フローチャート");
    state.modified = true;
    EXPECT_EQ(DocumentTitle(state), kApp + "新規フローチャート*");
    state.isNew = false;
    state.filePath = "/home/pupil/";
    state.fileName = "a.xml";
    EXPECT_EQ(DocumentTitle(state), kApp + "/home/pupil/a.xml*");
}

TEST_F(Document, OpenLoadsTheChosenFile) {
    const std::string path = folder.File("lesson.xml");
    WriteValidFile(path);
    EditSomething();
    dialogs.openPath = path;
    EXPECT_EQ(commands.Open(report, dialogs), 1);

    EXPECT_EQ(dialogs.questions,
              (std::vector<std::string>{"未保存のデータは破棄します。よろしいですか。"}));
    EXPECT_EQ(dialogs.requests,
              (std::vector<std::string>{"open ext=xml name=*.xml filter=フローチャート ファイル "
                                        "(*.xml)|*.xml||"}));
    EXPECT_EQ(Symbols().size(), 2u);
    EXPECT_EQ(report.title, "loaded");
    EXPECT_EQ(state.history.Count(), 0);
    EXPECT_FALSE(state.isNew);
    EXPECT_FALSE(state.modified);
    EXPECT_EQ(state.filePath, (folder.Path() / "").string());
    EXPECT_EQ(state.fileName, "lesson.xml");
    EXPECT_EQ(titles.back(), kApp + path);
    EXPECT_EQ(messages.lines.back(), "ファイル(" + path + ")から全ての作成領域を読み込みました");
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Document, OpenRefusedOrCancelledChangesNothing) {
    EditSomething();
    const auto symbolsBefore = Symbols();
    dialogs.answer = false;
    dialogs.openPath = folder.File("x.xml");
    EXPECT_EQ(commands.Open(report, dialogs), 0);
    EXPECT_TRUE(dialogs.requests.empty());  // no file dialog after No

    dialogs.answer = true;
    dialogs.openPath.reset();
    EXPECT_EQ(commands.Open(report, dialogs), 0);
    EXPECT_EQ(dialogs.requests.size(), 1u);

    EXPECT_EQ(Symbols(), symbolsBefore);
    EXPECT_TRUE(state.modified);
    EXPECT_GT(state.history.Count(), 0);
    EXPECT_EQ(report.title, "title");
}

TEST_F(Document, AnUnmodifiedDocumentIsReplacedWithoutAQuestion) {
    const std::string path = folder.File("lesson.xml");
    WriteValidFile(path);
    dialogs.openPath = path;
    EXPECT_EQ(commands.Open(report, dialogs), 1);
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(Document, AFailedOpenLeavesAnEmptyNewDocumentAndAnEmptyReport) {
    EditSomething();
    const std::string path = folder.File("broken.xml");
    TempFolder::Write(path,
                      xml::Document(xml::Chart("0", xml::Led("1", "")) +
                                    xml::Chart("1", xml::Fobj("3", "判断", "led1_rgb", "", ""))));
    dialogs.openPath = path;
    EXPECT_EQ(commands.Open(report, dialogs), 1);

    ExpectEmptyNewDocument();
    EXPECT_EQ(report, ReportData{});
    const std::string problem = SymbolProblemText(1, 3);
    EXPECT_EQ(messages.boxes,
              (std::vector<std::string>{problem, "ファイルの読み込みを中止しました"}));
    // Both are plain notices, without an icon.
    EXPECT_EQ(messages.severities,
              (std::vector<MessageSeverity>{MessageSeverity::Plain, MessageSeverity::Plain}));
    EXPECT_EQ(messages.lines, (std::vector<std::string>{
                                  problem, "ファイル(" + path + ")の読み込みを中止しました"}));
    EXPECT_EQ(titles.back(), kApp + "新規フローチャート");
}

TEST_F(Document, SaveAsWritesTheChosenFileAndNamesTheDocument) {
    EditSomething();
    const std::string path = folder.File("mine.xml");
    dialogs.savePath = path;
    EXPECT_EQ(commands.SaveAs(report, dialogs), SaveResult::Saved);

    EXPECT_EQ(dialogs.requests,
              (std::vector<std::string>{"save ext=xml name= filter=フローチャート ファイル "
                                        "(*.xml)|*.xml|| prompt"}));
    EXPECT_EQ(TempFolder::Read(path), WriteDocument(store, report));
    EXPECT_FALSE(state.isNew);
    EXPECT_FALSE(state.modified);
    EXPECT_EQ(state.history.Count(), 0);
    EXPECT_EQ(state.fileName, "mine.xml");
    EXPECT_EQ(titles.back(), kApp + path);
    EXPECT_EQ(messages.lines.back(), "ファイル(" + path + ")に全ての作成領域を保存しました");
}

TEST_F(Document, SaveOfANewDocumentAsksForAPathAndCancelChangesNothing) {
    EditSomething();
    EXPECT_EQ(commands.Save(report, dialogs), SaveResult::Cancelled);
    EXPECT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(state.isNew);
    EXPECT_TRUE(state.modified);
    EXPECT_GT(state.history.Count(), 0);
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(Document, SaveOfANamedDocumentWritesItsFileWithoutADialog) {
    const std::string path = folder.File("lesson.xml");
    WriteValidFile(path);
    commands.OpenPath(path, report);
    EditSomething();
    EXPECT_EQ(commands.Save(report, dialogs), SaveResult::Saved);
    EXPECT_TRUE(dialogs.requests.empty());
    EXPECT_EQ(TempFolder::Read(path), WriteDocument(store, report));
    EXPECT_FALSE(state.modified);
    EXPECT_EQ(state.history.Count(), 0);
}

TEST_F(Document, AFailedSaveKeepsTheDocumentModifiedAndSaysSo) {
    EditSomething();
    const int steps = state.history.Count();
    dialogs.savePath = folder.File("missing/mine.xml");
    EXPECT_EQ(commands.SaveAs(report, dialogs), SaveResult::Failed);

    EXPECT_EQ(messages.boxes,
              (std::vector<std::string>{"Error: 00000002\n説明: No such file or directory\n"}));
    EXPECT_EQ(messages.severities, (std::vector<MessageSeverity>{MessageSeverity::Error}));
    EXPECT_TRUE(messages.lines.empty());  // no "saved" line
    EXPECT_TRUE(state.isNew);
    EXPECT_TRUE(state.modified);
    EXPECT_EQ(state.history.Count(), steps);
    EXPECT_EQ(state.fileName, "");
}

}  // namespace
