// Copying the selection to the clipboard and pasting it back into a chart.
#include "chart_store.h"
#include "nuvo_addr_generator.h"
#include "uid_generator.h"

namespace {
constexpr int kPasteOffset = kGrid;
}  // namespace

void CFlowObjectManager::CopySelection(int chart) {
    auto lock = Lock();
    clipboard_.Clear();
    for (int uid : selection_) {
        const IFLOWOBJECT* object = Find(uid);
        if (IsLive(object) && object->Chart() == chart) clipboard_.Add(*object);
    }
}

const char* CFlowObjectManager::PasteRefusal(int chart) const {
    const CopyObjectMemory& c = clipboard_;
    if (c.Empty()) return "貼り付けるデータがありません";
    if (slots_.CountUsed() + static_cast<int>(c.Symbols().size()) > NUVOAddrGenerator::kSlotCount)
        return "貼り付けできません(使用可能な図記号は250個です)";
    // Counted rather than tested for presence, so a clipboard holding two
    // starts (a loaded file is not checked) cannot put both into one chart.
    if (c.StartCount() > 0 && c.StartCount() + CountLiveKind(chart, Kind::Start) > 1)
        return "貼り付けできません(開始は1つのフローチャートに1個です)";
    if (CountLoopBegins() + c.LoopBeginCount() > kMaxLoops)
        return "貼り付けできません(くり返しはすべてのフローチャートで8個までです)";
    if (c.ParallelCount() > 0 && chart != 0)
        return "貼り付けできません(並列実行はメインルーチンでのみ使用可能です)";
    if (c.ParallelCount() > 0 && c.ParallelCount() + CountLiveKind(0, Kind::Parallel) > 1)
        return "貼り付けできません(並列実行は1つまでです)";
    return nullptr;
}

std::vector<int> CFlowObjectManager::Paste(int chart, bool usePoint, int x, int y) {
    auto lock = Lock();
    ClearSelection();
    if (const char* refusal = PasteRefusal(chart)) {
        lock.unlock();  // the message box is modal: do not keep an image build waiting
        notifier_.ShowMessage(refusal);
        return {};
    }

    // Working copies under new uids; the clipboard's records stay as copied.
    // A symbol is mapped only once it exists, so a line can never be
    // pasted towards a symbol that could not be restored.
    clipboard_.ResetUidMap();
    for (SymbolRecord copy : clipboard_.Symbols()) {
        const int copiedUid = copy.uid;
        copy.uid = uids_.Next();
        if (RestoreSymbol(chart, copy) == 0) continue;
        clipboard_.MapUid(copiedUid, copy.uid);
        selection_.push_back(copy.uid);
    }
    for (const LineRecord& line : clipboard_.Lines()) {
        const LineRecord copy = clipboard_.Renumbered(line, uids_.Next());
        if (RestoreLine(chart, copy) != 0) selection_.push_back(copy.uid);
    }
    // The copies still lie where the originals were, so their lines are valid.
    std::vector<int> unused;
    ValidateLines(unused);
    UpdateCoverage();

    RecomputeSelectionBounds();
    grabDx_ = grabDy_ = 0;
    const int targetX = usePoint ? x : selectionBounds_.left + kPasteOffset;
    const int targetY = usePoint ? y : selectionBounds_.top + kPasteOffset;
    MoveSelection(chart, targetX, targetY);
    return selection_;
}
