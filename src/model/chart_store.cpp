// Building, removing and finding chart objects.
#include "chart_store.h"

#include <algorithm>

#include "engine_record_factory.h"
#include "nuvo_addr_generator.h"
#include "uid_generator.h"

CFlowObjectManager::CFlowObjectManager(UidGenerator& uids, NUVOAddrGenerator& slots,
                                       INotifier& notifier)
    : uids_(uids), slots_(slots), notifier_(notifier) {}

CFlowObjectManager::~CFlowObjectManager() = default;

void CFlowObjectManager::Append(std::shared_ptr<IFLOWOBJECT> object) {
    index_[object->Uid()] = object.get();
    objects_.push_back(std::move(object));
}

void CFlowObjectManager::Remove(int uid) {
    index_.erase(uid);
    selection_.erase(std::remove(selection_.begin(), selection_.end(), uid), selection_.end());
    objects_.remove_if([uid](const auto& o) { return o->Uid() == uid; });
    uids_.Release(uid);
}

IFLOWOBJECT* CFlowObjectManager::Find(int uid) const {
    const auto it = index_.find(uid);
    return it == index_.end() ? nullptr : it->second;
}

int CFlowObjectManager::CreateSymbol(int chart, int kind, int x, int y) {
    auto lock = Lock();
    ClearSelection();
    if (!IsSymbolKind(kind)) return 0;
    const int uid = uids_.Next();
    if (uid == 0) return 0;
    if (slots_.ReserveSlot(uid) == 0) {
        uids_.Release(uid);
        return 0;
    }
    Append(MakeFlowSymbol(uid, chart, kind, MakeEngineRecord(kind), x, y));
    selection_ = {uid};
    std::vector<int> unused;
    ValidateLines(unused);
    UpdateCoverage();
    return uid;
}

int CFlowObjectManager::RestoreSymbol(int chart, const SymbolRecord& record) {
    auto lock = Lock();
    // A uid that is already in use stays with its owner.
    if (record.uid == 0 || Find(record.uid) != nullptr) return 0;
    if (!IsSymbolKind(record.kind) || slots_.ReserveSlot(record.uid) == 0) {
        uids_.Release(record.uid);
        return 0;
    }
    Append(MakeFlowSymbol(record.uid, chart, record.kind, record.engine, record.left, record.top));
    return record.uid;
}

int CFlowObjectManager::CreateLine(int chart, const LineEnd& from, const LineEnd& to,
                                   const std::vector<Point>& waypoints) {
    auto lock = Lock();
    const int uid = uids_.Next();
    if (uid == 0) return 0;
    Append(std::make_shared<FLOW_LINE>(uid, chart, from, to, waypoints));
    UpdateCoverage();
    return uid;
}

int CFlowObjectManager::RestoreLine(int chart, const LineRecord& record) {
    auto lock = Lock();
    if (record.uid == 0 || Find(record.uid) != nullptr) return 0;
    if (record.from.connected == 0 || record.to.connected == 0) {
        uids_.Release(record.uid);
        return 0;
    }
    Append(std::make_shared<FLOW_LINE>(record.uid, chart, record.from, record.to,
                                       record.waypoints));
    return record.uid;
}

void CFlowObjectManager::UnlinkLine(const IFLOWOBJECT& line) {
    if (IFLOWOBJECT* from = Find(line.From().uid))
        from->Connectors().RemoveLink(line.From().connector, line.To().uid);
    if (IFLOWOBJECT* to = Find(line.To().uid))
        to->Connectors().RemoveLink(line.To().connector, line.From().uid);
}

void CFlowObjectManager::FlagDeleted(IFLOWOBJECT& object, std::vector<FreedSlot>& freed) {
    object.SetDeleted(true);
    if (object.IsLine()) {
        UnlinkLine(object);
        return;
    }
    const int slot = slots_.SlotOf(object.Uid());
    slots_.FreeSlot(slot);
    freed.push_back({object.Uid(), slot});
}

void CFlowObjectManager::DeleteSelection(std::vector<int>& deleted, std::vector<FreedSlot>& freed) {
    auto lock = Lock();
    for (const auto& object : objects_)
        if (IsLive(object.get()) && IsSelected(object->Uid())) FlagDeleted(*object, freed);
    std::vector<int> dangling;
    ValidateLines(dangling);
    deleted = dangling;
    for (int uid : selection_)
        if (std::find(deleted.begin(), deleted.end(), uid) == deleted.end()) deleted.push_back(uid);
    ClearSelection();
    UpdateCoverage();
}

void CFlowObjectManager::DeleteChart(int chart, std::vector<int>& deleted,
                                     std::vector<FreedSlot>& freed) {
    auto lock = Lock();
    ClearSelection();
    deleted.clear();
    for (const auto& object : objects_) {
        if (!IsLive(object.get()) || object->Chart() != chart) continue;
        FlagDeleted(*object, freed);
        deleted.push_back(object->Uid());
    }
    std::vector<int> dangling;
    ValidateLines(dangling);
    deleted.insert(deleted.end(), dangling.begin(), dangling.end());
    UpdateCoverage();
}

void CFlowObjectManager::DestroyObject(int uid) {
    auto lock = Lock();
    IFLOWOBJECT* object = Find(uid);
    if (!object) return;
    if (object->IsLine())
        UnlinkLine(*object);
    else
        slots_.FreeSlot(slots_.SlotOf(uid));
    Remove(uid);
    std::vector<int> unused;
    ValidateLines(unused);
    UpdateCoverage();
}

void CFlowObjectManager::PurgeObject(int uid) {
    auto lock = Lock();
    IFLOWOBJECT* object = Find(uid);
    if (!object || !object->Deleted()) return;
    if (object->IsLine()) UnlinkLine(*object);
    Remove(uid);
    std::vector<int> unused;
    ValidateLines(unused);
}

HitResult CFlowObjectManager::HitTestBodies(int chart, int x, int y) const {
    auto lock = Lock();
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        const IFLOWOBJECT& o = **it;
        if (o.Deleted() || o.Chart() != chart) continue;
        const HitResult hit = o.HitTestBody(x, y);
        if (hit.bits != 0) return hit;
    }
    return {};
}

HitResult CFlowObjectManager::HitTestConnectorsAt(int chart, int x, int y) const {
    auto lock = Lock();
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        const IFLOWOBJECT& o = **it;
        if (o.Deleted() || o.Chart() != chart) continue;
        const HitResult hit = o.HitTestConnectors(x, y);
        if (hit.bits != 0) return hit;
    }
    return {};
}

int CFlowObjectManager::CountLiveKind(int chart, int kind) const {
    auto lock = Lock();
    return static_cast<int>(std::count_if(objects_.begin(), objects_.end(), [&](const auto& o) {
        return !o->Deleted() && o->KindCode() == kind && (chart < 0 || o->Chart() == chart);
    }));
}

int CFlowObjectManager::CountLoopBegins() const { return CountLiveKind(-1, Kind::LoopBegin); }
bool CFlowObjectManager::HasStart(int chart) const { return CountLiveKind(chart, Kind::Start) > 0; }
bool CFlowObjectManager::HasParallel(int chart) const {
    return CountLiveKind(chart, Kind::Parallel) > 0;
}

int CFlowObjectManager::CountSymbols() const {
    auto lock = Lock();
    return slots_.CountUsed();
}

Rect CFlowObjectManager::ChartExtent(int chart) const {
    auto lock = Lock();
    Rect extent;
    for (const auto& o : objects_) {
        if (o->Deleted() || o->Chart() != chart) continue;
        extent.right = std::max(extent.right, o->Bounds().right);
        extent.bottom = std::max(extent.bottom, o->Bounds().bottom);
    }
    return extent;
}

NuvoInstruction CFlowObjectManager::GetObjectCodeOf(int uid) const {
    auto lock = Lock();
    const IFLOWOBJECT* object = Find(uid);
    return object ? object->GetObjectCode(slots_) : UnsetInstruction();
}

int CFlowObjectManager::OpenSymbolSettings(int uid, int chart, ISymbolSettingsEditor& editor,
                                           NuvoInstruction& oldInstruction,
                                           NuvoInstruction& newInstruction) {
    // The lock stays held while the modal dialog is open, so an image build
    // on the transfer thread waits for the edit to finish.
    auto lock = Lock();
    IFLOWOBJECT* object = Find(uid);
    if (!IsLive(object) || object->Chart() != chart) return 0;
    return object->OpenSettings(editor, oldInstruction, newInstruction);
}

std::vector<ObjectCodeEntry> CFlowObjectManager::CollectObjectCodes() const {
    auto lock = Lock();
    std::vector<ObjectCodeEntry> codes;
    codes.reserve(objects_.size());
    for (const auto& o : objects_) {
        if (o->Deleted() || o->IsLine()) continue;
        codes.push_back({o->Chart(), slots_.SlotOf(o->Uid()), o->GetObjectCode(slots_)});
    }
    return codes;
}
