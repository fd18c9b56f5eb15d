// What the board link needs from the application around it: notices, windows, choices.
#pragma once

#include <cstdint>
#include <string_view>

#include "board_notice.h"
#include "board_protocol.h"
#include "board_status.h"

enum class LinkWindow { Main, MelodyEditor };

// The tool bar's after-transfer list: 転送後取り外さない / 転送後取り外す.
enum class AfterTransfer { KeepAttached, Detach };

// Calls marked "worker" come from the board worker thread and must return
// without waiting for the user-interface thread (queue them there instead).
class IBoardLinkHost {
public:
    virtual ~IBoardLinkHost() = default;

    // Worker.
    virtual void PostBoardNotice(BoardNotice notice) = 0;
    virtual void SetWindowEnabled(LinkWindow window, bool enabled) = 0;
    // The last mode or program-state byte changed: update the command buttons.
    virtual void CommandBytesChanged(std::uint8_t mode, std::uint8_t programState) = 0;
    virtual StorageArea ChosenStorageArea() = 0;
    virtual AfterTransfer ChosenAfterTransfer() = 0;

    // Worker or user-interface thread.
    virtual void StatusChanged(const BoardStatus& status) = 0;
    // Developer trace lines such as "StartThread\n"; never shown to the user.
    virtual void DebugTrace(std::string_view line) = 0;

    // User-interface thread.
    virtual void ShowAlert(std::string_view text) = 0;  // a message box
};
