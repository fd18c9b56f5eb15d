// Symbols, connectors and lines on their own.
#include <gtest/gtest.h>

#include "engine_record_factory.h"
#include "flow_object.h"
#include "line_path.h"
#include "uid_generator.h"

namespace {

std::shared_ptr<IFLOWOBJECT> Symbol(int kind, int x, int y) {
    return MakeFlowSymbol(1, 0, kind, MakeEngineRecord(kind), x, y);
}

TEST(SymbolConstruction, ClampsToTheSheetAndKeepsTheSize) {
    struct Case { int x, y; Rect bounds; };
    const Case cases[] = {
        {2000, -50, {1824, 0, 1920, 48}},
        {240, 120, {240, 120, 336, 168}},
        {-5, 3000, {0, 2640, 96, 2688}},
    };
    for (const Case& c : cases) EXPECT_EQ(Symbol(Kind::Led, c.x, c.y)->Bounds(), c.bounds);
}

TEST(SymbolConstruction, ConnectorsFollowTheClass) {
    struct Case { int kind; bool in, next, branch; };
    const Case cases[] = {
        {Kind::Start, false, true, false},  {Kind::End, true, false, false},
        {Kind::Led, true, true, false},     {Kind::SensorLight, true, true, true},
        {Kind::Switch3, true, true, true},  {Kind::TimeDecision, true, true, true},
        {Kind::Timer, true, true, true},    {Kind::Parallel, true, false, false},
        {Kind::CallSub, true, true, false}, {Kind::LoopEnd, true, true, false},
    };
    for (const Case& c : cases) {
        auto s = Symbol(c.kind, 0, 0);
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(s->Connectors().Get(Connector::In) != nullptr, c.in);
        EXPECT_EQ(s->Connectors().Get(Connector::Next) != nullptr, c.next);
        EXPECT_EQ(s->Connectors().Get(Connector::Branch) != nullptr, c.branch);
    }
}

TEST(SymbolConstruction, UnknownKindBuildsNothing) {
    EXPECT_EQ(MakeFlowSymbol(1, 0, Kind::Line, MakeEngineRecord(Kind::Line), 0, 0), nullptr);
    EXPECT_EQ(MakeFlowSymbol(1, 0, 99, MakeEngineRecord(99), 0, 0), nullptr);
}

TEST(Connectors, ConnectionPointsAndHitRectanglesFollowTheSymbol) {
    auto s = Symbol(Kind::SensorLight, 240, 120);
    Point p;
    ASSERT_TRUE(s->Connectors().PointOf(Connector::In, p));
    EXPECT_EQ(p, (Point{288, 120}));
    ASSERT_TRUE(s->Connectors().PointOf(Connector::Next, p));
    EXPECT_EQ(p, (Point{288, 168}));
    ASSERT_TRUE(s->Connectors().PointOf(Connector::Branch, p));
    EXPECT_EQ(p, (Point{336, 144}));

    s->MoveBy(24, -24);
    ASSERT_TRUE(s->Connectors().PointOf(Connector::Branch, p));
    EXPECT_EQ(p, (Point{360, 120}));
    EXPECT_EQ(s->Connectors().Get(Connector::In)->HitRect(), (Rect{300, 84, 324, 108}));
}

TEST(Connectors, HitBitsAndTheirConditions) {
    auto s = Symbol(Kind::SensorLight, 240, 120);
    struct Case { int x, y, bits; };
    const Case cases[] = {
        {276, 108, HitBits::Entry},      {299, 131, HitBits::Entry},  {300, 120, 0},
        {282, 162, HitBits::NextExit},   {293, 173, HitBits::NextExit}, {294, 173, 0},
        {330, 138, HitBits::BranchExit}, {341, 149, HitBits::BranchExit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const HitResult hit = s->HitTestConnectors(c.x, c.y);
        EXPECT_EQ(hit.bits, c.bits);
        EXPECT_EQ(hit.uid, c.bits ? 1 : 0);
    }

    // A linked exit can no longer be grabbed; a linked entry still can.
    s->Connectors().AddLink(Connector::Next, 7);
    s->Connectors().AddLink(Connector::In, 8);
    EXPECT_EQ(s->HitTestConnectors(288, 168).bits, 0);
    EXPECT_EQ(s->HitTestConnectors(288, 120).bits, HitBits::Entry);
    // A covered connector is inert.
    s->Connectors().SetCovered(Connector::In, true);
    EXPECT_EQ(s->HitTestConnectors(288, 120).bits, 0);
}

TEST(Connectors, DrawConditionsByClass) {
    auto s = Symbol(Kind::Led, 0, 0);
    const ICONNECTOR& in = *s->Connectors().Get(Connector::In);
    const ICONNECTOR& next = *s->Connectors().Get(Connector::Next);
    EXPECT_TRUE(in.ShouldDraw(false));
    EXPECT_TRUE(next.ShouldDraw(false));
    EXPECT_FALSE(next.ShouldDraw(true));  // exits hide while a line is drawn

    s->Connectors().AddLink(Connector::In, 5);
    EXPECT_FALSE(in.ShouldDraw(false));
    EXPECT_TRUE(in.ShouldDraw(true));  // linked entries still show as targets

    s->Connectors().BeginDragging(Connector::Next);
    EXPECT_FALSE(next.ShouldDraw(false));
    s->Connectors().EndDragging(Connector::Next);
    EXPECT_TRUE(next.ShouldDraw(false));
}

TEST(Connectors, LinksHaveNoDuplicatesAndEntryAnswersNoFirstLink) {
    auto s = Symbol(Kind::Led, 0, 0);
    s->Connectors().AddLink(Connector::In, 4);
    s->Connectors().AddLink(Connector::In, 4);
    s->Connectors().AddLink(Connector::In, 6);
    EXPECT_EQ(s->Connectors().Get(Connector::In)->Links(), (std::vector<int>{4, 6}));
    EXPECT_EQ(s->Connectors().FirstLink(Connector::In), 0);
    s->Connectors().AddLink(Connector::Next, 9);
    EXPECT_EQ(s->Connectors().FirstLink(Connector::Next), 9);
    EXPECT_EQ(s->Connectors().FirstLink(Connector::Branch), 0);  // absent connector
    s->Connectors().RemoveLink(Connector::In, 0);
    EXPECT_TRUE(s->Connectors().Get(Connector::In)->Links().empty());
}

TEST(SymbolHit, BodyCoversLeftAndTopEdgesOnly) {
    auto s = Symbol(Kind::Led, 240, 120);
    EXPECT_EQ(s->HitTestBody(240, 120).bits, HitBits::Body);
    EXPECT_EQ(s->HitTestBody(335, 167).bits, HitBits::Body);
    EXPECT_EQ(s->HitTestBody(336, 130).bits, 0);
    EXPECT_EQ(s->HitTestBody(239, 130).bits, 0);
    EXPECT_EQ(s->HitTestBody(300, 168).uid, 0);
}

TEST(LinePath, EachStepIsVerticalThenHorizontal) {
    const std::vector<Leg> legs = LineLegs({{288, 168}, {408, 216}, {480, 264}});
    ASSERT_EQ(legs.size(), 4u);
    const Point expected[][2] = {{{288, 168}, {288, 216}},
                                 {{288, 216}, {408, 216}},
                                 {{408, 216}, {408, 264}},
                                 {{408, 264}, {480, 264}}};
    for (std::size_t i = 0; i < legs.size(); ++i) {
        EXPECT_EQ(legs[i].from, expected[i][0]);
        EXPECT_EQ(legs[i].to, expected[i][1]);
    }
}

FLOW_LINE MakeLine(Point a, std::vector<Point> waypoints, Point b) {
    return FLOW_LINE(3, 0, {1, 1, Connector::Next, a.x, a.y}, {1, 2, Connector::In, b.x, b.y},
                     waypoints);
}

TEST(Line, BoundsSpanThePath) {
    const FLOW_LINE line = MakeLine({288, 168}, {{408, 216}}, {480, 264});
    EXPECT_EQ(line.Bounds(), (Rect{288, 168, 480, 264}));
    EXPECT_EQ(line.KindCode(), Kind::Line);
    EXPECT_EQ(line.Instruction(), UnsetInstruction());
}

TEST(Line, HitBandIsThreePixelsEitherSide) {
    const FLOW_LINE line = MakeLine({100, 48}, {}, {100, 120});
    for (int x = 97; x <= 102; ++x) {
        const HitResult hit = line.HitTestBody(x, 80);
        EXPECT_EQ(hit.bits, HitBits::Body | HitBits::Line) << x;
        EXPECT_EQ(hit.uid, 3);
    }
    EXPECT_EQ(line.HitTestBody(96, 80).bits, 0);
    EXPECT_EQ(line.HitTestBody(103, 80).bits, 0);
    EXPECT_EQ(line.HitTestBody(100, 44).bits, 0);
    EXPECT_EQ(line.HitTestBody(100, 45).bits, HitBits::Body | HitBits::Line);
}

TEST(Line, RectangleTestUsesTheBandNotTheBounds) {
    const FLOW_LINE line = MakeLine({288, 168}, {{408, 216}}, {480, 264});
    EXPECT_TRUE(line.IntersectsRect({280, 180, 290, 190}));
    // Inside the bounds but away from every leg.
    EXPECT_FALSE(line.IntersectsRect({300, 230, 390, 260}));
}

TEST(Line, MovingCarriesEndsWaypointsAndBand) {
    FLOW_LINE line = MakeLine({288, 168}, {{408, 216}}, {480, 264});
    line.MoveBy(24, 48);
    EXPECT_EQ(line.From().x, 312);
    EXPECT_EQ(line.From().y, 216);
    EXPECT_EQ(line.From().uid, 1);
    EXPECT_EQ(line.To().connector, Connector::In);
    EXPECT_EQ(line.Waypoints().front(), (Point{432, 264}));
    EXPECT_EQ(line.Bounds(), (Rect{312, 216, 504, 312}));
    EXPECT_EQ(line.HitTestBody(312, 240).bits, HitBits::Body | HitBits::Line);
    EXPECT_EQ(line.HitTestBody(288, 180).bits, 0);
}

TEST(Records, CopyWhatIdentifiesTheObject) {
    auto s = Symbol(Kind::Wait, 48, 96);
    const SymbolRecord r = s->GetSymbolRecord();
    EXPECT_EQ(r.uid, 1);
    EXPECT_EQ(r.kind, Kind::Wait);
    EXPECT_EQ(r.left, 48);
    EXPECT_EQ(r.top, 96);
    EXPECT_EQ(r.engine, MakeEngineRecord(Kind::Wait));

    const FLOW_LINE line = MakeLine({288, 168}, {{408, 216}}, {480, 264});
    const LineRecord l = line.GetLineRecord();
    EXPECT_EQ(l.kind, Kind::Line);
    EXPECT_EQ(l.from, line.From());
    EXPECT_EQ(l.to, line.To());
    EXPECT_EQ(l.waypoints, line.Waypoints());
}

TEST(UidGenerator, ReusesReleasedUidsOldestFirst) {
    UidGenerator uids;
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(uids.Next(), i);
    uids.Release(5);
    uids.Release(9);
    EXPECT_EQ(uids.Next(), 5);
    EXPECT_EQ(uids.Next(), 9);
    EXPECT_EQ(uids.Next(), 11);
}

TEST(UidGenerator, RunsOutAfter65535) {
    UidGenerator uids;
    for (int i = 1; i <= 65535; ++i) ASSERT_EQ(uids.Next(), i);
    EXPECT_EQ(uids.Next(), 0);
    uids.Release(300);
    EXPECT_EQ(uids.Next(), 300);
    EXPECT_EQ(uids.Next(), 0);
}

}  // namespace
