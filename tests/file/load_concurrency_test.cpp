// A program image built on another thread while a file loads or saves sees
// the document either not loaded at all or loaded completely.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "file_fixture.h"
#include "load_all.h"
#include "program_image.h"
#include "save_all.h"
#include "xml_snippets.h"

namespace {

using namespace xml;

std::string ManyCharts() {
    std::string charts;
    for (int chart = 0; chart < kChartCount; ++chart) {
        std::string fobjs;
        for (int id = 1; id <= 60; ++id)
            fobjs += Led(std::to_string(id),
                         Position(4 * (id % 10), 3 * (id / 10)) + Next(std::to_string(id + 1)));
        charts += Chart(std::to_string(chart), fobjs);
    }
    return Document(charts);
}

TEST(ConcurrentImage, SeesAllOrNothingOfALoad) {
    StoreFixture document;
    NuvoProgramManager empty;
    empty.BuildImage(document.store);

    std::atomic<bool> loading{true};
    std::vector<NuvoProgramManager::Image> seen;
    std::thread transfer([&] {
        NuvoProgramManager image;
        while (loading) {
            image.BuildImage(document.store);
            seen.push_back(image.Entries());
        }
    });
    ReportData report;
    const bool loaded = LoadDocument(document.store, ManyCharts(), report, document.messages);
    loading = false;
    transfer.join();

    ASSERT_TRUE(loaded);
    NuvoProgramManager full;
    full.BuildImage(document.store);
    for (const auto& image : seen)
        EXPECT_TRUE(image == empty.Entries() || image == full.Entries());
}

TEST(ConcurrentImage, CanBeBuiltWhileTheDocumentIsWritten) {
    StoreFixture document;
    ReportData report;
    ASSERT_TRUE(LoadDocument(document.store, ManyCharts(), report, document.messages));
    NuvoProgramManager before;
    before.BuildImage(document.store);

    std::atomic<bool> writing{true};
    std::thread transfer([&] {
        NuvoProgramManager image;
        while (writing) {
            image.BuildImage(document.store);
            EXPECT_EQ(image.Entries(), before.Entries());
        }
    });
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(WriteDocument(document.store, report).has_value());
    writing = false;
    transfer.join();
}

}  // namespace
