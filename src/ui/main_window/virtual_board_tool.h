// The virtual board as the main window drives it: switching the board link's transport,
// the "仮想テルノ" window beside the main window, the frames around the symbols it
// executes and the note when the chart changed after the last transfer.
#pragma once

#include <QObject>
#include <memory>

#include "main_window/main_window.h"
#include "sim/sent_program.h"

class CDlgVirtualBoard;
class CFlowObjectManager;
class IBoardSound;
class SimulatedBoard;
class TransportSwitch;

class CVirtualBoardTool : public QObject, public IVirtualBoard {
    Q_OBJECT

public:
    // Every argument outlives this object; sound may be null (the board is silent).
    CVirtualBoardTool(CQenDlg& mainWindow, CFlowObjectManager& store, TransportSwitch& transports,
                      SimulatedBoard& board, IBoardSound* sound);
    ~CVirtualBoardTool() override;

    bool Connected() const override;
    void SetConnected(bool connected) override;
    void ProgramSent() override;

    CDlgVirtualBoard& Window() const { return *window_; }

private:
    void OnRefreshed();

    // How many refreshes pass between two comparisons of the chart with what was sent.
    static constexpr int kEditCheckEvery = 10;

    CQenDlg& main_;
    CFlowObjectManager& store_;
    TransportSwitch& transports_;
    std::unique_ptr<CDlgVirtualBoard> window_;
    SentProgram sent_;
    int refreshes_ = 0;
};
