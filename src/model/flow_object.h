// The objects of a chart: IFLOWOBJECT and its symbol and line classes.
#pragma once

#include <memory>
#include <vector>

#include "connector.h"
#include "geometry.h"
#include "nuvo_instruction.h"
#include "records.h"
#include "region.h"
#include "settings_editor.h"
#include "symbol_kind.h"

class NUVOAddrGenerator;

class IFLOWOBJECT {
public:
    virtual ~IFLOWOBJECT() = default;
    IFLOWOBJECT(const IFLOWOBJECT&) = delete;
    IFLOWOBJECT& operator=(const IFLOWOBJECT&) = delete;

    virtual void MoveBy(int dx, int dy);
    // Stores the instruction and regenerates the object record from it.
    void SetInstruction(const NuvoInstruction& instruction);
    SymbolRecord GetSymbolRecord() const;
    LineRecord GetLineRecord() const;
    virtual HitResult HitTestBody(int x, int y) const;
    HitResult HitTestConnectors(int x, int y) const;
    virtual bool IntersectsRect(const Rect& r) const;
    void UnionBounds(Rect& r) const { r = r.United(bounds_); }
    // Opens the settings of the object; old and new receive the instruction
    // before and after; answers 1 when the user confirmed a new instruction.
    virtual int OpenSettings(ISymbolSettingsEditor& editor, NuvoInstruction& oldInstruction,
                             NuvoInstruction& newInstruction);
    // The instruction for the program image, successor slots filled in.
    virtual NuvoInstruction GetObjectCode(const NUVOAddrGenerator& slots) const;

    bool Deleted() const { return deleted_ != 0; }
    void SetDeleted(bool on) { deleted_ = on ? 1 : 0; }
    int Uid() const { return uid_; }
    int Chart() const { return chart_; }
    const Rect& Bounds() const { return bounds_; }
    int KindCode() const { return kind_; }
    SymbolClass Class() const { return class_; }
    bool IsLine() const { return class_ == SymbolClass::Line; }
    const EngineRecord& Engine() const { return engine_; }
    const NuvoInstruction& Instruction() const { return engine_.instruction; }
    CONNECTORS& Connectors() { return connectors_; }
    const CONNECTORS& Connectors() const { return connectors_; }
    const LineEnd& From() const { return from_; }
    const LineEnd& To() const { return to_; }
    const std::vector<Point>& Waypoints() const { return waypoints_; }

protected:
    IFLOWOBJECT(int uid, int chart, int kind, SymbolClass cls, const EngineRecord& engine);

    int deleted_ = 0;
    int uid_;
    int chart_;
    Rect bounds_;
    int kind_;
    SymbolClass class_;
    EngineRecord engine_;
    CONNECTORS connectors_;
    LineEnd from_;
    LineEnd to_;
    std::vector<Point> waypoints_;
};

// A 96 x 48 symbol; the classes below differ in connectors and settings.
class FlowSymbol : public IFLOWOBJECT {
public:
    int OpenSettings(ISymbolSettingsEditor& editor, NuvoInstruction& oldInstruction,
                     NuvoInstruction& newInstruction) override;
    NuvoInstruction GetObjectCode(const NUVOAddrGenerator& slots) const override;

protected:
    // Places the symbol at (x, y) clamped to the sheet and creates its connectors.
    FlowSymbol(int uid, int chart, int kind, SymbolClass cls, const EngineRecord& engine, int x,
               int y);
    virtual bool HasSettings() const { return true; }
};

// Symbols without a settings dialog of their own.
class FlowSymbolWithoutSettings : public FlowSymbol {
protected:
    using FlowSymbol::FlowSymbol;
    bool HasSettings() const override { return false; }
};

// One concrete symbol class per shape; Cls fixes its connectors and drawing.
template <SymbolClass Cls, typename Base = FlowSymbol>
class FlowSymbolOf : public Base {
public:
    FlowSymbolOf(int uid, int chart, int kind, const EngineRecord& engine, int x, int y)
        : Base(uid, chart, kind, Cls, engine, x, y) {}
};

using FLOW_START = FlowSymbolOf<SymbolClass::Start, FlowSymbolWithoutSettings>;
using FLOW_END = FlowSymbolOf<SymbolClass::End>;
using FLOW_LED = FlowSymbolOf<SymbolClass::Led>;
using FLOW_RELAY = FlowSymbolOf<SymbolClass::Relay>;
using FLOW_SOUND = FlowSymbolOf<SymbolClass::Sound>;
using FLOW_WAIT = FlowSymbolOf<SymbolClass::Wait>;
using FLOW_CLOCKALARM_PROC = FlowSymbolOf<SymbolClass::ClockAlarm>;
using FLOW_SENSOR = FlowSymbolOf<SymbolClass::Sensor>;
using FLOW_SENSORSWITCH = FlowSymbolOf<SymbolClass::SensorSwitch, FlowSymbolWithoutSettings>;
using FLOW_TIME_DECISION = FlowSymbolOf<SymbolClass::TimeDecision>;
using FLOW_LOOPBEGIN = FlowSymbolOf<SymbolClass::LoopBegin>;
using FLOW_LOOPEND = FlowSymbolOf<SymbolClass::LoopEnd, FlowSymbolWithoutSettings>;
using FLOW_CALLSUB = FlowSymbolOf<SymbolClass::CallSub>;
using FLOW_TIMERRESET = FlowSymbolOf<SymbolClass::TimerReset, FlowSymbolWithoutSettings>;
using FLOW_TIMER = FlowSymbolOf<SymbolClass::Timer, FlowSymbolWithoutSettings>;
using FLOW_PARALLEL = FlowSymbolOf<SymbolClass::Parallel, FlowSymbolWithoutSettings>;

// Builds the symbol class of a kind (0..21) at (x, y); nullptr for other kinds.
std::shared_ptr<IFLOWOBJECT> MakeFlowSymbol(int uid, int chart, int kind, const EngineRecord& engine,
                                            int x, int y);

// A line from an exit of one symbol to the entry of another, drawn as two
// orthogonal legs per step, with a hit band 3 pixels either side.
class FLOW_LINE : public IFLOWOBJECT {
public:
    FLOW_LINE(int uid, int chart, const LineEnd& from, const LineEnd& to,
              const std::vector<Point>& waypoints);

    void MoveBy(int dx, int dy) override;
    HitResult HitTestBody(int x, int y) const override;
    bool IntersectsRect(const Rect& r) const override;
    const Region& HitRegion() const { return region_; }

private:
    void Build();
    Region region_;
};
