// A board link host for work without a window: it shows nothing, sends
// programs to storage area 1 and keeps the board attached after a transfer.
#pragma once

#include "board_link_host.h"

class QuietLinkHost final : public IBoardLinkHost {
public:
    void PostBoardNotice(BoardNotice) override {}
    void SetWindowEnabled(LinkWindow, bool) override {}
    void CommandBytesChanged(std::uint8_t, std::uint8_t) override {}
    StorageArea ChosenStorageArea() override { return StorageArea::Save1; }
    AfterTransfer ChosenAfterTransfer() override { return AfterTransfer::KeepAttached; }
    void StatusChanged(const BoardStatus&) override {}
    void DebugTrace(std::string_view) override {}
    void ShowAlert(std::string_view) override {}
};
