// The virtual board's connection to the main window.
#include "main_window/virtual_board_tool.h"

#include <QScreen>
#include <algorithm>

#include "canvas/work_area.h"
#include "chart_store.h"
#include "common/command_ids.h"
#include "sim/virtual_board_window.h"
#include "transport_switch.h"

namespace {
constexpr int kGap = 8;  // between the main window and the virtual board window
}  // namespace

CVirtualBoardTool::CVirtualBoardTool(CQenDlg& mainWindow, CFlowObjectManager& store,
                                     TransportSwitch& transports, SimulatedBoard& board,
                                     IBoardSound* sound)
    : main_(mainWindow),
      store_(store),
      transports_(transports),
      window_(std::make_unique<CDlgVirtualBoard>(board, sound)) {
    connect(window_.get(), &CDlgVirtualBoard::refreshed, this, &CVirtualBoardTool::OnRefreshed);
    // Closing the window is the menu's 仮想テルノを切断.
    connect(window_.get(), &CDlgVirtualBoard::closed, this,
            [this] { main_.OnCommand(CommandId::DisconnectVirtual); }, Qt::QueuedConnection);
}

CVirtualBoardTool::~CVirtualBoardTool() = default;

bool CVirtualBoardTool::Connected() const { return transports_.UsingSimulated(); }

void CVirtualBoardTool::SetConnected(bool connected) {
    transports_.UseSimulated(connected);
    if (!connected) {
        window_->hide();
        main_.WorkArea()->SetExecutingSymbols({});
        return;
    }
    // Beside the main window, level with its client area, on the side with
    // room; on a screen with room on neither side, at the screen's right edge
    // over the main window's information area, so that it is always seen whole.
    // Its own frame is not known before it is shown: the main window's stands in.
    window_->ApplyClockChoice();
    window_->adjustSize();
    const QRect screen = main_.screen()->availableGeometry();
    const QRect main = main_.frameGeometry();
    const QSize size = window_->size() + (main.size() - main_.geometry().size());
    int x = main.right() + 1 + kGap;
    if (x + size.width() > screen.x() + screen.width()) x = main.left() - kGap - size.width();
    if (x < screen.left()) x = screen.x() + screen.width() - size.width();
    const int y = std::clamp(main_.geometry().top(), screen.top(),
                             std::max(screen.top(), screen.y() + screen.height() - size.height()));
    window_->move(x, y);
    window_->show();
    window_->raise();
}

void CVirtualBoardTool::ProgramSent() {
    sent_ = SentProgram::Capture(store_);
    window_->SetChartEdited(false);
}

// A running program frames the symbols it executes; a failed one the symbol it failed at.
void CVirtualBoardTool::OnRefreshed() {
    const VirtualBoardView& view = window_->LastView();
    std::vector<int> programSlots;
    if (view.state == RunState::Running) programSlots = view.activeSlots;
    if (view.state == RunState::Error && view.fault) programSlots = {view.fault->slot};
    std::vector<int> uids;
    for (const int slot : programSlots) {
        if (const int uid = sent_.At(slot).uid; uid != 0) uids.push_back(uid);
    }
    main_.WorkArea()->SetExecutingSymbols(std::move(uids));
    if (++refreshes_ % kEditCheckEvery == 0 && sent_.Sent())
        window_->SetChartEdited(!sent_.Matches(store_));
}
