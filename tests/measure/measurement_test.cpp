// Measurement samples, intervals and the CSV file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "measurement_csv.h"
#include "measurement_intervals.h"
#include "measurement_samples.h"
#include "outside_tool.h"
#include "temp_folder.h"

namespace {

MeasurementSample Sample(std::uint16_t temperature, std::uint16_t light) {
    return {"2026年03月04日05時06分07秒", temperature, light};
}

// "2026年03月04日05時06分07秒" in code page 932.
const std::string kTimeCp932 =
    "2026\x94\x4e"
    "03\x8c\x8e"
    "04\x93\xfa"
    "05\x8e\x9e"
    "06\x95\xaa"
    "07\x95\x62";
// "時間,温度,照度" in code page 932.
const std::string kHeaderCp932 = "\x8e\x9e\x8a\xd4,\x89\xb7\x93\x78,\x8f\xc6\x93\x78\r\n";

TEST(SampleTimeText, FormatsLocalTimeWithFourDigitYearAndMonthFromOne) {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 0;
    local.tm_mday = 9;
    local.tm_hour = 7;
    local.tm_min = 5;
    local.tm_sec = 3;
    EXPECT_EQ(SampleTimeText(local), "2026年01月09日07時05分03秒");
}

TEST(MeasurementSamples, StopsTakingSamplesAtOneThousand) {
    MeasurementSamples store;
    for (int i = 0; i < 999; ++i) ASSERT_TRUE(store.Add(Sample(20, 300)));
    EXPECT_FALSE(store.Full());
    EXPECT_TRUE(store.Add(Sample(21, 301)));
    EXPECT_TRUE(store.Full());
    EXPECT_FALSE(store.Add(Sample(22, 302)));
    EXPECT_EQ(store.Count(), 1000u);
    EXPECT_EQ(store.All().back().temperature, 21);
}

TEST(MeasurementSamples, UnsavedOnlyWithSamplesNotYetWritten) {
    MeasurementSamples store;
    EXPECT_FALSE(store.Unsaved());
    store.Add(Sample(1, 2));
    EXPECT_TRUE(store.Unsaved());
    store.MarkSaved();
    EXPECT_FALSE(store.Unsaved());
    store.Reset();
    EXPECT_FALSE(store.Saved());
    EXPECT_EQ(store.Count(), 0u);
}

TEST(MeasurementIntervals, ListOrderAndPeriods) {
    const int expected[] = {1000, 10000, 30000, 60000, 600000, 1800000, 3600000};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(IntervalMilliseconds(i), expected[i]) << i;
    EXPECT_EQ(kMeasurementIntervals[6].label, "１時間");
    EXPECT_EQ(IntervalMilliseconds(-1), 1000);
    EXPECT_EQ(IntervalMilliseconds(7), 1000);
}

TEST(MeasurementCsv, HeaderOnlyWithoutSamples) { EXPECT_EQ(MeasurementCsvBytes({}), kHeaderCp932); }

TEST(MeasurementCsv, OneShiftJisLinePerSampleWithUnknownReadingsAsUnsigned) {
    const auto bytes = MeasurementCsvBytes({Sample(25, 480), Sample(0xFFFF, 0xFFFF), Sample(0, 0)});
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, kHeaderCp932 + kTimeCp932 + ",25,480\r\n" + kTimeCp932 + ",65535,65535\r\n" +
                          kTimeCp932 + ",0,0\r\n");
}

class MeasurementCsvFile : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(MeasurementCsvFile, WritesTheBytesAndLeavesNoTemporaryFile) {
    const std::string path = folder.File("data.csv");
    EXPECT_FALSE(WriteMeasurementCsv(path, {Sample(25, 480)}));
    EXPECT_EQ(TempFolder::Read(path), kHeaderCp932 + kTimeCp932 + ",25,480\r\n");
    EXPECT_EQ(folder.Names().size(), 1u);
}

TEST_F(MeasurementCsvFile, ReplacesAnEarlierFile) {
    const std::string path = folder.File("data.csv");
    TempFolder::Write(path, "old contents that are longer than the new ones");
    EXPECT_FALSE(WriteMeasurementCsv(path, {}));
    EXPECT_EQ(TempFolder::Read(path), kHeaderCp932);
}

TEST_F(MeasurementCsvFile, FailedWriteSaysSoAndKeepsTheEarlierFile) {
    // A folder in the file's place cannot be replaced by a file.
    const std::string path = folder.File("taken");
    std::filesystem::create_directories(folder.Path() / "taken" / "inside");
    const auto error = WriteMeasurementCsv(path, {Sample(1, 2)});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->rfind(kMeasurementSaveFailed, 0), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "taken" / "inside"));
    EXPECT_EQ(folder.Names().size(), 1u);
}

TEST_F(MeasurementCsvFile, AnIndependentCsvReaderGetsTheSameRowsBack) {
    const std::string path = folder.File("新規センサデータ.csv");
    ASSERT_FALSE(WriteMeasurementCsv(
        path, {{"2026年12月31日23時59分58秒", 25, 480}, {"2027年01月01日00時00分08秒", 65535, 0}}));
    const std::string python = QEN_PYTHON3;
    ASSERT_FALSE(python.empty()) << "python3 is missing: run scripts/install-deps";
    const ToolOutput read = RunOutsideTool(ShellQuoted(python) + " " + ShellQuoted(QEN_READ_CSV) +
                                           " " + ShellQuoted(path));
    ASSERT_EQ(read.status, 0);
    EXPECT_EQ(read.out,
              "CRLF\n"
              "時間\t温度\t照度\n"
              "2026年12月31日23時59分58秒\t25\t480\n"
              "2027年01月01日00時00分08秒\t65535\t0\n");
}

TEST_F(MeasurementCsvFile, MissingFolderFails) {
    const auto error = WriteMeasurementCsv(folder.File("no/such/data.csv"), {Sample(1, 2)});
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("no/such/data.csv"), std::string::npos);
}

}  // namespace
