#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ZcDbEntity.h"
#include "ZcGeVector2d.h"
#include "ZrxExport.h"

// A filled area. Its loops are either given as geometry or built from
// closed boundary curves of the drawing; an associative hatch keeps the ids
// of those curves and is a persistent reactor on each of them.
class ZRX_EXPORT ZcDbHatch : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbHatch)

    enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
    enum HatchLoopType {
        kDefault = 0, kExternal = 1, kPolyline = 2, kDerived = 4, kTextbox = 8, kOutermost = 0x10,
    };
    enum HatchStyle { kNormal = 0, kOuter = 1, kIgnore = 2 };

    // One boundary loop: its flags, its evaluated outline (closed, with
    // bulges) and the boundary objects it was built from.
    struct Loop {
        int type = kDefault;
        std::vector<ZcGePoint2d> vertices;
        std::vector<double> bulges;
        std::vector<ZcDbObjectId> sourceIds;
        // The edges a file gave the loop (from their count on), written back
        // as given while the outline is unchanged: an elliptic edge's
        // outline is made of chords, which would not give it back.
        std::vector<std::pair<int, std::string>> edgesAsRead;
    };

    // One family of parallel pattern lines in the hatch's plane, with the
    // pattern's angle and scale already applied: lines through base +
    // k * offset along angle (radians), each dashed from its own origin
    // (dash > 0, gap < 0, dot 0; none: continuous).
    struct PatternLine {
        double angle = 0.0;
        ZcGePoint2d base;
        ZcGeVector2d offset;
        std::vector<double> dashes;
    };

    // A user-defined pattern is made here from its angle, spacing (its
    // scale) and double flag; the lines of a predefined or custom one come
    // only with a drawing read from a file, so naming another pattern drops
    // the lines of the old one (it is drawn as its boundary).
    Zcad::ErrorStatus setPattern(HatchPatternType type, const char* name);
    HatchPatternType patternType() const { return m_patternType; }
    std::string patternName() const { return m_patternName; }
    bool isSolidFill() const { return m_patternName == "SOLID"; }
    // Changing the angle or scale turns or scales the pattern's lines about the origin.
    Zcad::ErrorStatus setPatternAngle(double angle);
    double patternAngle() const { return m_patternAngle; }
    Zcad::ErrorStatus setPatternScale(double scale);
    double patternScale() const { return m_patternScale; }
    // A user-defined pattern's second family, crossing the first at right angles.
    Zcad::ErrorStatus setPatternDouble(bool isDouble);
    bool patternDouble() const { return m_patternDouble; }
    int numPatternDefinitions() const { return static_cast<int>(m_patternLines.size()); }
    Zcad::ErrorStatus getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY, double& offsetX,
                                             double& offsetY, ZcGeDoubleArray& dashes) const;
    const std::vector<PatternLine>& patternLines() const { return m_patternLines; }
    // Points a program picked inside the area to find its loops (kept).
    int numSeedPoints() const { return static_cast<int>(m_seedPoints.size()); }
    Zcad::ErrorStatus getSeedPointAt(int index, ZcGePoint2d& point) const;
    Zcad::ErrorStatus appendSeedPoint(const ZcGePoint2d& point);
    Zcad::ErrorStatus setHatchStyle(HatchStyle style);
    HatchStyle hatchStyle() const { return m_style; }
    Zcad::ErrorStatus setAssociative(bool on);
    bool associative() const { return m_associative; }
    Zcad::ErrorStatus setElevation(double z);
    double elevation() const { return m_elevation; }
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }

    // A loop from closed curves of the drawing (lines, arcs, circles and
    // polylines); the curves must be in the same drawing.
    Zcad::ErrorStatus appendLoop(int loopType, const ZcDbObjectIdArray& dbObjIds);
    // A loop from a closed outline given by vertices and bulges.
    Zcad::ErrorStatus appendLoop(int loopType, const ZcGePoint2dArray& vertices, const ZcGeDoubleArray& bulges);
    Zcad::ErrorStatus removeLoopAt(int index);
    int numLoops() const { return static_cast<int>(m_loops.size()); }
    int loopTypeAt(int index) const;
    Zcad::ErrorStatus getLoopAt(int index, int& loopType, ZcGePoint2dArray& vertices,
                                ZcGeDoubleArray& bulges) const;
    Zcad::ErrorStatus getAssocObjIdsAt(int index, ZcDbObjectIdArray& dbObjIds) const;
    const std::vector<Loop>& loops() const { return m_loops; }

    // Rebuilds the outlines of loops that came from boundary curves.
    Zcad::ErrorStatus evaluateHatch(bool underEstimateNumLines = false);
    // The enclosed area: outer loops minus the holes.
    Zcad::ErrorStatus getArea(double& area) const;

    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

protected:
    // An associative hatch becomes a reactor on its boundary curves.
    void addedToDatabase() override;

private:
    friend struct platform::ZcDbObjectAccess;
    std::vector<Loop> m_loops;
    std::string m_patternName = "SOLID";
    HatchPatternType m_patternType = kPreDefined;
    double m_patternAngle = 0.0;
    double m_patternScale = 1.0;
    bool m_patternDouble = false;
    std::vector<PatternLine> m_patternLines;
    std::vector<ZcGePoint2d> m_seedPoints;
    HatchStyle m_style = kNormal;
    double m_elevation = 0.0;
    bool m_associative = false;
};
