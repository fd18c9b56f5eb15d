#include "flow_object.h"

#include <algorithm>

#include "nuvo_addr_generator.h"
#include "object_code.h"

IFLOWOBJECT::IFLOWOBJECT(int uid, int chart, int kind, SymbolClass cls,
                         const EngineRecord& engine)
    : uid_(uid), chart_(chart), kind_(kind), class_(cls), engine_(engine) {}

void IFLOWOBJECT::MoveBy(int dx, int dy) {
    bounds_ = bounds_.Offset(dx, dy);
    connectors_.MoveAll(bounds_.left, bounds_.top);
}

void IFLOWOBJECT::SetInstruction(const NuvoInstruction& instruction) {
    engine_.instruction = instruction;
    SyncObjectRecord(class_, instruction, engine_.objectRecord);
}

SymbolRecord IFLOWOBJECT::GetSymbolRecord() const {
    return {uid_, kind_, bounds_.left, bounds_.top, engine_};
}

LineRecord IFLOWOBJECT::GetLineRecord() const {
    return {uid_, kind_, 0, 0, from_, to_, waypoints_};
}

HitResult IFLOWOBJECT::HitTestBody(int x, int y) const {
    if (!bounds_.Contains(x, y)) return {};
    return {uid_, HitBits::Body};
}

HitResult IFLOWOBJECT::HitTestConnectors(int x, int y) const {
    int bits = 0;
    connectors_.HitTestAll(x, y, bits);
    if (bits == 0) return {};
    return {uid_, bits};
}

bool IFLOWOBJECT::IntersectsRect(const Rect& r) const { return bounds_.Intersects(r); }

int IFLOWOBJECT::OpenSettings(ISymbolSettingsEditor&, NuvoInstruction& oldInstruction,
                              NuvoInstruction& newInstruction) {
    oldInstruction = newInstruction = engine_.instruction;
    return 0;
}

NuvoInstruction IFLOWOBJECT::GetObjectCode(const NUVOAddrGenerator&) const {
    return engine_.instruction;
}

FlowSymbol::FlowSymbol(int uid, int chart, int kind, SymbolClass cls, const EngineRecord& engine,
                       int x, int y)
    : IFLOWOBJECT(uid, chart, kind, cls, engine) {
    const int left = std::clamp(x, 0, kSheetWidth - kSymbolWidth);
    const int top = std::clamp(y, 0, kSheetHeight - kSymbolHeight);
    bounds_ = {left, top, left + kSymbolWidth, top + kSymbolHeight};
    if (HasEntry(cls)) connectors_.Add(std::make_shared<ConnectorIN>());
    if (HasNextExit(cls)) connectors_.Add(std::make_shared<ConnectorNext>());
    if (HasBranchExit(cls)) connectors_.Add(std::make_shared<ConnectorBranch>());
    connectors_.MoveAll(left, top);
}

int FlowSymbol::OpenSettings(ISymbolSettingsEditor& editor, NuvoInstruction& oldInstruction,
                             NuvoInstruction& newInstruction) {
    oldInstruction = newInstruction = engine_.instruction;
    if (engine_.invalid != 0 || !HasSettings()) {
        editor.ShowNoSettings();
        return 0;
    }
    NuvoInstruction copy = engine_.instruction;
    if (!editor.EditInstruction(class_, copy)) return 0;
    SetInstruction(copy);
    newInstruction = copy;
    return 1;
}

NuvoInstruction FlowSymbol::GetObjectCode(const NUVOAddrGenerator& slots) const {
    const auto slotOfExit = [&](int connector) -> std::uint8_t {
        const int slot = slots.SlotOf(connectors_.FirstLink(connector));
        return slot == 0 ? kNoSlot : static_cast<std::uint8_t>(slot);
    };
    return ObjectCodeFor(class_, chart_, engine_.instruction, slotOfExit(Connector::Next),
                         slotOfExit(Connector::Branch));
}

std::shared_ptr<IFLOWOBJECT> MakeFlowSymbol(int uid, int chart, int kind, const EngineRecord& engine,
                                            int x, int y) {
    switch (ClassOfKind(kind)) {
        case SymbolClass::Start: return std::make_shared<FLOW_START>(uid, chart, kind, engine, x, y);
        case SymbolClass::End: return std::make_shared<FLOW_END>(uid, chart, kind, engine, x, y);
        case SymbolClass::Led: return std::make_shared<FLOW_LED>(uid, chart, kind, engine, x, y);
        case SymbolClass::Relay: return std::make_shared<FLOW_RELAY>(uid, chart, kind, engine, x, y);
        case SymbolClass::Sound: return std::make_shared<FLOW_SOUND>(uid, chart, kind, engine, x, y);
        case SymbolClass::Wait: return std::make_shared<FLOW_WAIT>(uid, chart, kind, engine, x, y);
        case SymbolClass::ClockAlarm:
            return std::make_shared<FLOW_CLOCKALARM_PROC>(uid, chart, kind, engine, x, y);
        case SymbolClass::Sensor: return std::make_shared<FLOW_SENSOR>(uid, chart, kind, engine, x, y);
        case SymbolClass::SensorSwitch:
            return std::make_shared<FLOW_SENSORSWITCH>(uid, chart, kind, engine, x, y);
        case SymbolClass::TimeDecision:
            return std::make_shared<FLOW_TIME_DECISION>(uid, chart, kind, engine, x, y);
        case SymbolClass::LoopBegin:
            return std::make_shared<FLOW_LOOPBEGIN>(uid, chart, kind, engine, x, y);
        case SymbolClass::LoopEnd: return std::make_shared<FLOW_LOOPEND>(uid, chart, kind, engine, x, y);
        case SymbolClass::CallSub: return std::make_shared<FLOW_CALLSUB>(uid, chart, kind, engine, x, y);
        case SymbolClass::TimerReset:
            return std::make_shared<FLOW_TIMERRESET>(uid, chart, kind, engine, x, y);
        case SymbolClass::Timer: return std::make_shared<FLOW_TIMER>(uid, chart, kind, engine, x, y);
        case SymbolClass::Parallel:
            return std::make_shared<FLOW_PARALLEL>(uid, chart, kind, engine, x, y);
        case SymbolClass::Line: break;
    }
    return nullptr;
}
