#include <functional>
#include <string>

#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbCircle.h"
#include "ZcDbHatch.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "tests/platform/entities/EntityTestSupport.h"

using namespace platform;

namespace {
// Each call must fail with the status and leave the entity's state as it was.
using Call = std::function<Zcad::ErrorStatus()>;
void expectRefused(const std::function<std::string()>& state, Zcad::ErrorStatus expected,
                   std::initializer_list<Call> calls)
{
    const std::string before = state();
    int i = 0;
    for (const Call& call : calls) {
        EXPECT_EQ(call(), expected) << "call " << i;
        EXPECT_EQ(state(), before) << "call " << i++ << " changed the entity";
    }
}

std::string str(const ZcGePoint3d& p) { return std::to_string(p.x) + std::to_string(p.y) + std::to_string(p.z); }
}  // namespace

TEST(EntitySetters, CurvesRefuseNonFiniteAndInvalidValues)
{
    ZcDbLine line({0, 0, 0}, {1, 1, 0});
    expectRefused([&] { return str(line.startPoint()) + str(line.endPoint()); }, Zcad::eInvalidInput,
                  {[&] {
                       return line.setStartPoint({kNaN, 0, 0});
                   },
                   [&] {
                       return line.setEndPoint({0, 0, kInf});
                   },
                   // Finite, but beyond what a drawing holds and a file carries.
                   [&] {
                       return line.setEndPoint({1e308, 0, 0});
                   },
                   [&] {
                       return line.setStartPoint({0, -1e101, 0});
                   }});

    ZcDbCircle circle({1, 2, 0}, ZcGeVector3d::kZAxis, 3);
    ZcDbArc arc({0, 0, 0}, 2, 0.5, 1.5);
    expectRefused(
        [&] {
            return str(circle.center()) + std::to_string(circle.radius()) + std::to_string(arc.radius()) +
                   std::to_string(arc.startAngle()) + std::to_string(arc.endAngle());
        },
        Zcad::eInvalidInput,
        {[&] {
             return circle.setCenter({0, kNaN, 0});
         },
         [&] { return circle.setRadius(kInf); }, [&] { return circle.setRadius(0.0); },
         [&] { return arc.setRadius(-2.0); }, [&] { return circle.setRadius(1e308); },
         [&] { return arc.setStartAngle(-kInf); }, [&] { return arc.setEndAngle(kNaN); }});

    ZcDbPolyline p;
    p.addVertexAt(0, {0, 0}, 0.5, 1, 2);
    p.addVertexAt(1, {5, 0});
    auto state = [&] {
        std::string s = std::to_string(p.elevation());
        for (const auto& v : p.vertices())
            s += std::to_string(v.point.x) + std::to_string(v.bulge) + std::to_string(v.startWidth) +
                 std::to_string(v.endWidth);
        return s;
    };
    expectRefused(state, Zcad::eInvalidInput,
                  {[&] {
                       return p.addVertexAt(2, {kNaN, 0});
                   },
                   [&] {
                       return p.addVertexAt(0, {1, 1}, kInf);
                   },
                   [&] {
                       return p.addVertexAt(1, {1, 1}, 0, kNaN);
                   },
                   [&] {
                       return p.setPointAt(0, {0, kInf});
                   },
                   [&] { return p.setBulgeAt(0, kNaN); }, [&] { return p.setWidthsAt(0, 1, kInf); },
                   [&] { return p.setConstantWidth(-1); }, [&] { return p.setElevation(kInf); },
                   [&] {
                       return p.addVertexAt(2, {1e308, 0});
                   },
                   [&] { return p.setElevation(-1e200); }});
    expectRefused(state, Zcad::eInvalidIndex,
                  {[&] { return p.addVertexAt(3, {1, 1}); }, [&] { return p.setPointAt(2, {0, 0}); },
                   [&] { return p.removeVertexAt(7); }});

    // A weight between the named ones is refused. The value stays within the
    // enumeration's range: a value beyond it cannot be made without
    // undefined behaviour, which the sanitizers report.
    expectRefused([&] { return std::to_string(p.visibility()) + std::to_string(p.lineWeight()); }, Zcad::eInvalidInput,
                  {[&] { return p.setLineWeight(static_cast<ZcDb::LineWeight>(212)); }});
}

TEST(EntitySetters, TextsReferencesHatchesAndLeadersRefuseBadValues)
{
    ZcDbMText text;
    text.setContents("Droga");
    ZcDbAttribute attr;
    expectRefused([&] { return text.contents() + str(text.location()) + std::to_string(text.textHeight()) +
                               std::to_string(text.width()) + std::to_string(text.attachment()) +
                               str(attr.position()) + std::to_string(attr.height()) + attr.tag(); },
                  Zcad::eInvalidInput,
                  {[&] { return text.setLocation({kNaN, 0, 0}); }, [&] { return text.setTextHeight(0); },
                   [&] { return text.setWidth(kNaN); },
                   [&] { return text.setAttachment(ZcDbMText::AttachmentPoint(0)); },
                   [&] { return text.setAttachment(ZcDbMText::AttachmentPoint(10)); },
                   [&] { return text.setContents("\xC5"); }, [&] { return text.setContents(nullptr); },
                   [&] { return attr.setPosition({0, kInf, 0}); }, [&] { return attr.setHeight(-1); },
                   [&] { return attr.setTag(""); }});

    ZcDbBlockReference ref;
    ZcDbHatch hatch;
    ZcGePoint2dArray pts;
    for (const ZcGePoint2d& p : {ZcGePoint2d(0, 0), ZcGePoint2d(kNaN, 0), ZcGePoint2d(0, 1)})
        pts.append(p);
    expectRefused(
        [&] {
            return str(ref.position()) + std::to_string(ref.scaleFactors().sx) + std::to_string(ref.scaleFactors().sy) +
                   std::to_string(hatch.numLoops());
        },
        Zcad::eInvalidInput,
        {[&] {
             return ref.setPosition({kNaN, 0, 0});
         },
         [&] {
             return ref.setScaleFactors({0, 1, 1});
         },
         [&] {
             return ref.setScaleFactors({1, kInf, 1});
         },
         [&] { return ref.setRotation(kNaN); },
         [&] {
             return ref.setPosition({1e308, 0, 0});
         },
         [&] {
             return ref.setScaleFactors({1, 1, 1e300});
         },
         [&] { return hatch.appendLoop(1, pts, ZcGeDoubleArray()); }});

    ZcDbLeader leader;
    EXPECT_TRUE(leader.appendVertex({0, 0, 0}));
    EXPECT_FALSE(leader.appendVertex({kNaN, 0, 0}));
    EXPECT_FALSE(leader.setVertexAt(0, {0, kInf, 0}));
    EXPECT_EQ(leader.numVertices(), 1);
    expectNear(leader.vertexAt(0), {0, 0, 0});
}

TEST(EntitySetters, ObjectsOpenForReadRefuseChanges)
{
    TestDrawing d;
    auto* pline = new ZcDbPolyline;
    pline->addVertexAt(0, {0, 0});
    pline->addVertexAt(1, {1, 0});
    const ZcDbObjectId plineId = d.append(pline);
    const ZcDbObjectId textId = d.append(new ZcDbMText);
    const ZcDbObjectId refId = d.append(new ZcDbBlockReference);
    {
        Opened<ZcDbPolyline> p(plineId, ZcDb::kForRead);
        EXPECT_EQ(p->addVertexAt(2, {2, 0}), Zcad::eNotOpenForWrite);
        EXPECT_EQ(p->setClosed(true), Zcad::eNotOpenForWrite);
        EXPECT_EQ(p->transformBy(ZcGeMatrix3d::translation({1, 0, 0})), Zcad::eNotOpenForWrite);
        EXPECT_EQ(p->numVerts(), 2u);
        EXPECT_FALSE(p->isClosed());

        Opened<ZcDbMText> t(textId, ZcDb::kForRead);
        EXPECT_EQ(t->setContents("x"), Zcad::eNotOpenForWrite);

        Opened<ZcDbBlockReference> r(refId, ZcDb::kForRead);
        auto* attr = new ZcDbAttribute;
        EXPECT_EQ(r->appendAttribute(attr), Zcad::eNotOpenForWrite);
        attr->close();
    }
    EXPECT_EQ(d.openCount(), 0u);
}
