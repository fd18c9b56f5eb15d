// The main window's texts for the board notices.
#include "board_notice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NoticeCase {
    int code;
    int subCode;
    std::string_view text;
    NoticeFollowUp followUp;
};

class NoticeTextTest : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(NoticeTextTest, MapsCodeAndSubCodeToTheMainWindowText) {
    const NoticeCase& c = GetParam();
    const NoticeMessage message = DescribeBoardNotice({c.code, c.subCode});
    EXPECT_EQ(message.text, c.text);
    EXPECT_EQ(message.followUp, c.followUp);
}

constexpr std::string_view kDone = "データ転送が完了しました。";

INSTANTIATE_TEST_SUITE_P(
    Table, NoticeTextTest,
    ::testing::Values(
        NoticeCase{0, 0, "テルノから初期情報を読み込みました。", NoticeFollowUp::None},
        NoticeCase{0, 9, "テルノから初期情報を読み込みました。", NoticeFollowUp::None},
        NoticeCase{1, 0,
                   "フローチャートデータを転送中です。終了するまでハードを取り外さないで下さい。",
                   NoticeFollowUp::None},
        NoticeCase{1, 1, "ユーザ設定データを転送中です。終了するまでハードを取り外さないで下さい。",
                   NoticeFollowUp::None},
        NoticeCase{1, 2, "メロディデータを転送中です。終了するまでハードを取り外さないで下さい。",
                   NoticeFollowUp::None},
        NoticeCase{1, 3, "データを転送中です。終了するまでハードを取り外さないで下さい。",
                   NoticeFollowUp::None},
        NoticeCase{2, 0, kDone, NoticeFollowUp::None},
        NoticeCase{2, 2, kDone, NoticeFollowUp::ReturnToMelodyEditor},
        NoticeCase{3, 0, kDone, NoticeFollowUp::Detach},
        NoticeCase{3, 2, kDone, NoticeFollowUp::Detach},
        NoticeCase{4, 0, "NUVO実行エンジンへ通常実行命令", NoticeFollowUp::None},
        NoticeCase{5, 0, "プログラムを実行します。", NoticeFollowUp::None},
        NoticeCase{6, 0, "プログラムをリセットしました。", NoticeFollowUp::None},
        NoticeCase{7, 0, "データ転送に失敗しました。テルノの接続を確認して下さい。",
                   NoticeFollowUp::None},
        NoticeCase{7, 2, "データ転送に失敗しました。テルノの接続を確認して下さい。",
                   NoticeFollowUp::ReturnToMelodyEditor},
        NoticeCase{8, 0, "", NoticeFollowUp::None}, NoticeCase{100, 1, "", NoticeFollowUp::None},
        NoticeCase{-1, 0, "", NoticeFollowUp::None}),
    [](const auto& info) { return "code" + std::to_string(info.index); });

}  // namespace
