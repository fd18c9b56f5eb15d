// Board notices posted by the worker, and the texts the main window shows for them.
#pragma once

#include <string_view>

struct BoardNotice {
    int code = 0;
    int subCode = 0;
    bool operator==(const BoardNotice&) const = default;
};

namespace notice {
inline constexpr int kHandshakeDone = 0;
inline constexpr int kTransferring = 1;
inline constexpr int kTransferDone = 2;
inline constexpr int kTransferDoneDetach = 3;
inline constexpr int kRunCommand = 4;
inline constexpr int kRunning = 5;
inline constexpr int kResetDone = 6;
inline constexpr int kTransferFailed = 7;  // some reports of a transfer did not reach the board

// Sub-codes of the transfer notices.
inline constexpr int kProgram = 0;
inline constexpr int kClock = 1;
inline constexpr int kMelody = 2;
}  // namespace notice

// What the main window does after showing the text.
enum class NoticeFollowUp {
    None,
    Detach,                // the board is detached
    ReturnToMelodyEditor,  // the main window is disabled again and the melody editor gets the focus
};

struct NoticeMessage {
    std::string_view text;  // empty: nothing is shown
    NoticeFollowUp followUp = NoticeFollowUp::None;
};

NoticeMessage DescribeBoardNotice(BoardNotice notice);

// Texts of the requests and of the worker's stop.
inline constexpr std::string_view kNotReadyText = "デバイスの準備が完了していません。";
inline constexpr std::string_view kReconnectText = "テルノを再接続して下さい。";
inline constexpr std::string_view kSelectProgText = "セレクトスイッチをPROGに変更して下さい。";
inline constexpr std::string_view kForcedStopText = "スレッド強制停止";
