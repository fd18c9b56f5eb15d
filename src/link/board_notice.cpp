// The main window's texts for the board notices.
#include "board_notice.h"

namespace {

constexpr std::string_view kTransferDoneText = "データ転送が完了しました。";

std::string_view TransferringText(int subCode) {
    switch (subCode) {
        case notice::kProgram:
            return "フローチャートデータを転送中です。終了するまでハードを取り外さないで下さい。";
        case notice::kClock:
            return "ユーザ設定データを転送中です。終了するまでハードを取り外さないで下さい。";
        case notice::kMelody:
            return "メロディデータを転送中です。終了するまでハードを取り外さないで下さい。";
        default:
            return "データを転送中です。終了するまでハードを取り外さないで下さい。";
    }
}

}  // namespace

NoticeMessage DescribeBoardNotice(BoardNotice n) {
    switch (n.code) {
        case notice::kHandshakeDone:
            return {"テルノから初期情報を読み込みました。"};
        case notice::kTransferring:
            return {TransferringText(n.subCode)};
        case notice::kTransferDone:
            return {kTransferDoneText, n.subCode == notice::kMelody
                                           ? NoticeFollowUp::ReturnToMelodyEditor
                                           : NoticeFollowUp::None};
        case notice::kTransferDoneDetach:
            return {kTransferDoneText, NoticeFollowUp::Detach};
        case notice::kTransferFailed:
            return {"データ転送に失敗しました。テルノの接続を確認して下さい。",
                    n.subCode == notice::kMelody ? NoticeFollowUp::ReturnToMelodyEditor
                                                 : NoticeFollowUp::None};
        case notice::kRunCommand:
            return {"NUVO実行エンジンへ通常実行命令"};
        case notice::kRunning:
            return {"プログラムを実行します。"};
        case notice::kResetDone:
            return {"プログラムをリセットしました。"};
        default:
            return {};
    }
}
