// The line-marking dialog driven as a user drives it: a marking chosen, an
// edge and two points on it picked, a description line drawn.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbCircle.h"
#include "ZcDbDictionary.h"
#include "ZcDbEllipse.h"
#include "ZcDbGroup.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPoint.h"
#include "ZcDbPolyline.h"
#include "ZcDbSpline.h"
#include "console/SettingsRecord.h"
#include "frame/CommandSettings.h"
#include "frame/ModuleResources.h"
#include "markings/Linie_dlg.h"
#include "tests/support/DialogCommandTest.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TestRegistry.h"

using namespace platform;

namespace {

constexpr double kMarkingTol = 1e-9;

struct Line {
    const ZcDbPolyline* polyline;
    ZcGePoint3d start, end;
    double length, width;
    std::string linetype, layer;
};

struct Described {
    double scale, rotation;
    std::map<std::string, std::string> attributes;
};

struct Drawn {
    std::vector<Line> lines;  // every live polyline of model space, in drawing order
    std::vector<Described> descriptions;
    std::vector<ZcDbObjectIdArray> groups;
    size_t entities = 0;
};

Drawn drawn(TestDrawing& drawing)
{
    Drawn found;
    const auto* ms = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(drawing.db().modelSpaceId());
    for (ZcDbObjectId id : ms->entityIds()) {
        const ZcDbEntity* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
        if (!entity || entity->isErased())
            continue;
        ++found.entities;
        if (const auto* p = ZcDbPolyline::cast(entity)) {
            Line line{p, {}, {}, 0, 0, p->linetype(), p->layer()};
            p->getStartPoint(line.start);
            p->getEndPoint(line.end);
            double endParam = 0;
            p->getEndParam(endParam);
            p->getDistAtParam(endParam, line.length);
            if (p->getConstantWidth(line.width) != Zcad::eOk)
                line.width = -1;
            found.lines.push_back(line);
        } else if (const auto* reference = ZcDbBlockReference::cast(entity)) {
            Described d{reference->scaleFactors().sx, reference->rotation(), {}};
            for (ZcDbObjectId a : reference->attributeIds()) {
                const auto* attribute = ZcDbObjectAccess::peekAs<ZcDbAttribute>(a);
                d.attributes[attribute->tag()] = attribute->textString();
            }
            found.descriptions.push_back(d);
        }
    }
    const auto* groups = ZcDbObjectAccess::peekAs<ZcDbDictionary>(drawing.db().groupDictionaryId());
    for (const auto& [name, id] : groups->entries()) {
        ZcDbObjectIdArray members;
        ZcDbObjectAccess::peekAs<ZcDbGroup>(id)->allEntityIds(members);
        found.groups.push_back(members);
    }
    return found;
}

// Runs "D_Linie" on the script; gives what the command line showed.
std::string runLines(const std::string& script)
{
    ScriptedInput input(script);
    testing::internal::CaptureStdout();
    DrawLineMarkings();
    return testing::internal::GetCapturedStdout();
}

const char* kDescribe = "30,5\n32,7\n\n";  // a description line of two points

class LineMarkings : public DialogCommandTest {
protected:
    void SetUp() override
    {
        DialogCommandTest::SetUp();
        TheCommandSettings().scaleIndex = 0;
        TheCommandSettings().destination = 0;
        TheCommandSettings().lineIndex = 0;
    }
    void settings(double markingScale, bool group)
    {
        SettingsRecord record;
        record.layerDesigned = "Projekt";
        record.markingScale = markingScale;
        record.groupObjects = group;
        ASSERT_EQ(writeSettingsRecord(drawing.db(), record), Zcad::eOk);
    }

    TestRegistry registry{TestRegistry::installedAt((std::string(testSourceDir()) + "/resources"))};
};

}  // namespace

TEST_F(LineMarkings, P2AOnATenMetrePieceEitherWayRound)
{
    settings(1.0, false);
    drawing.append(new ZcDbLine({0, 0, 0}, {20, 0, 0}));
    const std::string out = runLines(std::string("dlg select IDC_LINE_LIST \"P-2A\"\n") +
                                     "dlg click IDC_LINE_DRAW\npick 1,0\n2,1\n12,-1\n" + kDescribe +
                                     "dlg click IDC_LINE_DRAW\npick 1,0\n12,0\n2,0\n" + kDescribe + "dlg click 2\n");
    const Drawn d = drawn(drawing);
    // The edge (now a polyline), two markings, two description lines and descriptions.
    ASSERT_EQ(d.lines.size(), 5u) << out;
    EXPECT_EQ(d.entities, 7u) << out;
    EXPECT_NEAR(d.lines[0].length, 20.0, kMarkingTol) << "the picked line became a polyline and stays whole";
    for (const Line* marking : {&d.lines[1], &d.lines[3]}) {
        EXPECT_NEAR(marking->length, 10.0, kMarkingTol);
        EXPECT_NEAR(std::min(marking->start.x, marking->end.x), 2.0, kMarkingTol);
        EXPECT_NEAR(marking->width, 0.12, kMarkingTol);
        EXPECT_EQ(marking->linetype, "Continuous");
        EXPECT_EQ(marking->layer, "Projekt");
        EXPECT_TRUE(marking->polyline->hasPlinegen());
    }
    ASSERT_EQ(d.descriptions.size(), 2u);
    for (const Described& description : d.descriptions) {
        EXPECT_EQ(description.attributes.at("Symbol"), "P-2A");
        EXPECT_EQ(description.attributes.at("Długość"), "10.00");
        EXPECT_EQ(description.attributes.at("Powierzchnia"), "1.20 m2");
        EXPECT_EQ(description.attributes.at("Powierzchnia_na_mb"), "0.12");
        EXPECT_EQ(description.attributes.at("Przeznaczenie"), "Projektowany");
        EXPECT_NEAR(description.scale, 1.0, kMarkingTol);
        EXPECT_NEAR(description.rotation, 0.0, kMarkingTol) << "either order reads the right way up";
    }
    EXPECT_EQ(TheCommandSettings().lineIndex, 5) << "the close button keeps the row";
    EXPECT_TRUE(d.groups.empty());
}

TEST_F(LineMarkings, P4FromAnEarlierRunLeavesTwoLinesAndGroupsThemWithTheDescription)
{
    settings(1.0, true);
    TheCommandSettings().lineIndex = 9;
    TheCommandSettings().scaleIndex = 1;  // 1:500
    drawing.append(new ZcDbLine({0, 0, 0}, {20, 0, 0}));
    const std::string out =
        runLines(std::string("dlg click IDC_LINE_DRAW\npick 1,0\n5,0\n15,0\n") + kDescribe + "dlg click 2\n");
    const Drawn d = drawn(drawing);
    ASSERT_EQ(d.lines.size(), 4u) << out;  // edge, two lines, description line
    for (const Line* line : {&d.lines[1], &d.lines[2]}) {
        EXPECT_NEAR(std::fabs(line->start.y), 0.24, kMarkingTol);
        EXPECT_NEAR(line->start.y, line->end.y, kMarkingTol);
        EXPECT_NEAR(line->length, 10.0, kMarkingTol);
        EXPECT_NEAR(line->width, 0.12, kMarkingTol);
        EXPECT_EQ(line->linetype, "Continuous");
        EXPECT_EQ(line->layer, "Projekt");
    }
    EXPECT_NEAR(d.lines[1].start.y, -d.lines[2].start.y, kMarkingTol) << "one either side";
    ASSERT_EQ(d.descriptions.size(), 1u);
    EXPECT_EQ(d.descriptions[0].attributes.at("Symbol"), "P-4");
    EXPECT_EQ(d.descriptions[0].attributes.at("Powierzchnia"), "2.40 m2");
    EXPECT_NEAR(d.descriptions[0].scale, 2.0, kMarkingTol) << "1:500 with marking scale 1";
    ASSERT_EQ(d.groups.size(), 1u);
    ASSERT_EQ(d.groups[0].length(), 4) << "the two lines, the description line and the description";
    EXPECT_EQ(d.groups[0][0], d.lines[1].polyline->objectId());
    EXPECT_EQ(d.groups[0][1], d.lines[2].polyline->objectId());
    EXPECT_EQ(TheCommandSettings().lineIndex, 9) << "the row carried over is kept";
    EXPECT_EQ(TheCommandSettings().scaleIndex, 1);
}

TEST_F(LineMarkings, P3AGivesThePickedSideTheDashedLineAndACancelledSideDrawsNothing)
{
    drawing.append(new ZcDbLine({0, 0, 0}, {20, 0, 0}));
    const std::string out =
        runLines(std::string("dlg select IDC_LINE_LIST \"P-3A\"\n") +
                 "dlg click IDC_LINE_DRAW\npick 1,0\n5,0\n15,0\n4,3\n\n"  // side above, no description
                 "dlg click IDC_LINE_DRAW\npick 1,0\n5,0\n15,0\n\n"       // side not given
                 "dlg click 2\n");
    const Drawn d = drawn(drawing);
    ASSERT_EQ(d.lines.size(), 3u) << out;
    const Line& above = d.lines[1].start.y > 0 ? d.lines[1] : d.lines[2];
    const Line& below = d.lines[1].start.y > 0 ? d.lines[2] : d.lines[1];
    EXPECT_EQ(above.linetype, "P-6");
    EXPECT_EQ(below.linetype, "Continuous");
    EXPECT_NE(out.find("P-3A: nie wskazano strony przerywanej"), std::string::npos) << out;
    EXPECT_EQ(d.entities, 3u) << "the cancelled side leaves no working piece";
}

// A base map's points, ellipses and splines are not edges a marking follows.
TEST_F(LineMarkings, APointAnEllipseOrASplineIsRefusedWithTheCommandsOwnMessage)
{
    drawing.append(new ZcDbPoint({0, 0, 0}));
    drawing.append(new ZcDbEllipse({20, 0, 0}, ZcGeVector3d::kZAxis, {5, 0, 0}, 0.4));
    drawing.append(cubicArch(40));
    const std::string out = runLines("dlg click IDC_LINE_DRAW\npick 0.1,0.1\n"
                                     "dlg click IDC_LINE_DRAW\npick 25.1,0\n"
                                     "dlg click IDC_LINE_DRAW\npick 45,7.6\n"
                                     "dlg click 2\n");
    const std::string refusal = "Wskazany obiekt nie jest linią, łukiem, okręgiem ani polilinią.";
    size_t said = 0;
    for (size_t at = out.find(refusal); at != std::string::npos; at = out.find(refusal, at + 1))
        ++said;
    EXPECT_EQ(said, 3u) << out;
    const Drawn d = drawn(drawing);
    EXPECT_EQ(d.entities, 3u) << "nothing drawn, nothing changed";
    EXPECT_TRUE(d.lines.empty());
}

TEST_F(LineMarkings, ACancelledPointPickLeavesNoCopyOverTheEdge)
{
    drawing.append(new ZcDbArc({0, 0, 0}, 10.0, 0.0, M_PI));
    runLines("dlg click IDC_LINE_DRAW\npick 10,0\n10,0\n*cancel*\ndlg click 2\n");
    const Drawn d = drawn(drawing);
    EXPECT_EQ(d.entities, 1u) << "only the arc, now a polyline";
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_NEAR(d.lines[0].length, 10 * M_PI, 1e-9);
}

// A closed edge is followed from the first pick to the second in its own
// (counter-clockwise) direction, so the order of the picks chooses the side.
TEST_F(LineMarkings, AClosedEdgeRunsFromTheFirstPickToTheSecond)
{
    drawing.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5.0));
    runLines("dlg select IDC_LINE_LIST \"P-2A\"\n"
             "dlg click IDC_LINE_DRAW\npick 0,5\n0,6\n-6,0\n\n"   // a quarter
             "dlg click IDC_LINE_DRAW\npick 0,-5\n-6,0\n0,6\n\n"  // three quarters
             "dlg click 2\n");
    const Drawn d = drawn(drawing);
    ASSERT_EQ(d.lines.size(), 3u);
    EXPECT_NEAR(d.lines[0].length, 10 * M_PI, 1e-9);
    EXPECT_NEAR(d.lines[1].length, 2.5 * M_PI, 1e-9);
    EXPECT_NEAR(d.lines[2].length, 7.5 * M_PI, 1e-9);
}

TEST_F(LineMarkings, ADoubleMarkingOnABendTooTightForItsOffsetKeepsTheCentreLine)
{
    // A half circle of radius 0.2: the inner line at 0.24 has nowhere to go.
    auto* bend = new ZcDbPolyline;
    bend->addVertexAt(0, {0, 0}, 0.0);
    bend->addVertexAt(1, {5, 0}, 1.0);
    bend->addVertexAt(2, {5, 0.4}, 0.0);
    bend->addVertexAt(3, {0, 0.4}, 0.0);
    drawing.append(bend);
    const std::string out = runLines("dlg select IDC_LINE_LIST \"P-4\"\n"
                                     "dlg click IDC_LINE_DRAW\npick 1,0\n1,0\n1,0.4\n"
                                     "dlg click 2\n");
    const Drawn d = drawn(drawing);
    EXPECT_NE(out.find("P-4: linie odsunięte o 0.24"), std::string::npos) << out;
    ASSERT_EQ(d.lines.size(), 2u) << "the edge and the piece's centre line";
    EXPECT_NEAR(d.lines[1].length, 8 + 0.2 * M_PI, 1e-9);
    EXPECT_TRUE(d.descriptions.empty());
}

// An edge round two rooms joined by a passage narrower than the two
// offsets: the inner line of P-4 parts in two, and both parts are drawn and
// grouped, not only the longer.
TEST_F(LineMarkings, ADoubleMarkingWhoseInnerLinePartsDrawsEveryPart)
{
    settings(1.0, true);
    auto* rooms = new ZcDbPolyline;
    for (const ZcGePoint2d& p :
         {ZcGePoint2d(0, 1), ZcGePoint2d(0, 0), ZcGePoint2d(10, 0), ZcGePoint2d(10, 5), ZcGePoint2d(5.15, 5),
          ZcGePoint2d(5.15, 0.3), ZcGePoint2d(4.85, 0.3), ZcGePoint2d(4.85, 5), ZcGePoint2d(0, 5), ZcGePoint2d(0, 2)})
        rooms->addVertexAt(rooms->numVerts(), p);
    drawing.append(rooms);
    const std::string out = runLines(std::string("dlg select IDC_LINE_LIST \"P-4\"\n") +
                                     "dlg click IDC_LINE_DRAW\npick 0,0.5\n0,1\n0,2\n" + kDescribe + "dlg click 2\n");
    const Drawn d = drawn(drawing);
    std::vector<const Line*> marked;
    for (const Line& line : d.lines)
        if (std::fabs(line.width - 0.12) < kMarkingTol)
            marked.push_back(&line);
    ASSERT_EQ(marked.size(), 3u) << out << "the outer line and both rooms' inner lines";
    ASSERT_EQ(d.groups.size(), 1u);
    EXPECT_EQ(d.groups[0].length(), 5) << "the three lines, the description line and the description";
}

TEST_F(LineMarkings, TheCloseButtonKeepsTheChoicesAndAScaleOfAnotherDialogShowsNone)
{
    TheCommandSettings().scaleIndex = 2;  // "1:1" of a sign dialog
    runLines("dlg select IDC_MARKING_DESTINATION \"Usuwany\"\ndlg select IDC_LINE_LIST \"P-19\"\ndlg click 2\n");
    EXPECT_EQ(TheCommandSettings().destination, 3);
    EXPECT_EQ(TheCommandSettings().lineIndex, 16);
    EXPECT_EQ(TheCommandSettings().scaleIndex, -1);
    const std::vector<D_Linetype> catalogue = LineCatalogue();
    ASSERT_EQ(catalogue.size(), 17u);
    EXPECT_EQ(catalogue[9].symbol, "P-4");
    EXPECT_EQ(catalogue[9].description, "Podwójna ciągła");
}

namespace {

// Lays the edge of one refusal and locks layers as it asks.
struct EdgeRefusal {
    const char* name;
    std::function<void(TestDrawing&)> lay;
    const char* picks;  // after the edge's pick
    const char* message;
    bool edgeStaysALine;  // nothing replaced the picked line
};

void lockLayer(TestDrawing& drawing, const char* name, ZcDbObjectId entity)
{
    ASSERT_TRUE(drawing.addLayer(name));
    ZcDbLayerTable* table = nullptr;
    ASSERT_EQ(drawing.db().getLayerTable(table, ZcDb::kForRead), Zcad::eOk);
    ZcDbObjectId layerId;
    ASSERT_EQ(table->getAt(name, layerId), Zcad::eOk);
    table->close();
    {
        ZcDbObjectPointer<ZcDbEntity> placed(entity, ZcDb::kForWrite);
        ASSERT_EQ(placed->setLayer(layerId), Zcad::eOk);
    }
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layerId, ZcDb::kForWrite);
    ASSERT_EQ(layer->setIsLocked(true), Zcad::eOk);
}

class LineMarkingRefusal : public LineMarkings, public testing::WithParamInterface<EdgeRefusal> {};

}  // namespace

// Each refusal says why on the command line and draws nothing; an edge on
// a locked layer, or one of no length, is not even replaced by its
// polyline.
TEST_P(LineMarkingRefusal, SaysWhyAndDrawsNothing)
{
    const EdgeRefusal& r = GetParam();
    r.lay(drawing);
    const std::string out = runLines(std::string("dlg click IDC_LINE_DRAW\npick 5,0\n") + r.picks + "dlg click 2\n");
    EXPECT_NE(out.find(r.message), std::string::npos) << out;
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;
    const Drawn d = drawn(drawing);
    EXPECT_EQ(d.entities, 1u) << out;
    EXPECT_TRUE(d.descriptions.empty());
    const auto* ms = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(drawing.db().modelSpaceId());
    const auto* first = ZcDbObjectAccess::peekAs<ZcDbEntity>(ms->entityIds()[0]);
    EXPECT_EQ(ZcDbLine::cast(first) != nullptr && !first->isErased(), r.edgeStaysALine);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, LineMarkingRefusal,
    testing::Values(EdgeRefusal{"BothPicksAtOnePoint",
                                [](TestDrawing& d) {
                                    d.append(new ZcDbLine({0, 0, 0}, {20, 0, 0}));
                                },
                                "8,0\n8,0.3\n", "Oba punkty wskazują to samo miejsce krawędzi", false},
                    EdgeRefusal{"ALineOfNoLength",
                                [](TestDrawing& d) {
                                    d.append(new ZcDbLine({5, 0, 0}, {5, 0, 0}));
                                },
                                "", "Wskazana krawędź ma zerową długość", true},
                    EdgeRefusal{"APolylineOfNoLength",
                                [](TestDrawing& d) {
                                    auto* dot = new ZcDbPolyline;
                                    dot->addVertexAt(0, {5, 0});
                                    dot->addVertexAt(1, {5, 0});
                                    d.append(dot);
                                },
                                "", "Wskazana krawędź ma zerową długość", false},
                    EdgeRefusal{"ALineOnALockedLayer",
                                [](TestDrawing& d) {
                                    lockLayer(d, "ZAMKNIETA", d.append(new ZcDbLine({0, 0, 0}, {20, 0, 0})));
                                },
                                "", "Obiekt leży na warstwie zablokowanej", true},
                    EdgeRefusal{"APolylineOnALockedLayer",
                                [](TestDrawing& d) {
                                    auto* edge = new ZcDbPolyline;
                                    edge->addVertexAt(0, {0, 0});
                                    edge->addVertexAt(1, {20, 0});
                                    lockLayer(d, "ZAMKNIETA", d.append(edge));
                                },
                                "", "Obiekt leży na warstwie zablokowanej", false}),
    [](const testing::TestParamInfo<EdgeRefusal>& c) { return std::string(c.param.name); });
