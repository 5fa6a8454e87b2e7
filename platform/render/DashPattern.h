#pragma once

#include <vector>

#include "platform/db/entities/CurveMath.h"

class ZcDbLinetypeTableRecord;

namespace platform {

// A linetype's pattern in drawing units: dashes (positive), gaps (negative)
// and dots (zero), repeated along a curve from its start.
struct DashPattern {
    std::vector<double> elements;

    // The length of one repetition.
    double length() const;
    // Drawn as a continuous line: no gaps at all.
    bool isContinuous() const;
};

// The pattern of a linetype at a scale (entity scale times the drawing's);
// continuous for no linetype and for one without gaps.
DashPattern dashPatternOf(const ZcDbLinetypeTableRecord* linetype, double scale);

// A stretch of a curve that gets ink, by distance from the curve's start;
// from == to is a dot.
struct DashRun {
    double from = 0.0;
    double to = 0.0;
};

// A pattern more finely divided than this many repetitions along one curve
// is drawn continuous: it could not be seen, and it would cost without bound.
inline constexpr double kMaxDashRepeats = 20000.0;

// Where the pattern puts ink along a curve of the given length. A curve too
// short for one whole repetition is drawn continuous, as CAD programs do,
// so that a short piece never vanishes into a gap; so is one whose pattern
// is shorter than minPatternLength (finer than the picture can show).
std::vector<DashRun> dashRuns(double curveLength, const DashPattern& pattern, double minPatternLength = 0.0);

// The share of one piece (by index) in a stretch of a run of pieces,
// between two of its parameters; t0 == t1 is a dot.
struct PieceSpan {
    size_t index = 0;
    double t0 = 0.0;
    double t1 = 1.0;
};

// The shares of the pieces in the stretch between two distances from the
// run's start (cumulative[i] is the distance at the start of piece i, with
// one more entry for the end). A dot gives one span.
std::vector<PieceSpan> spansBetween(const std::vector<double>& cumulative, double from, double to);

// The pieces of a run of pieces between two distances from its start. A dot
// gives one zero-length line piece.
std::vector<curve::Piece> piecesBetween(const std::vector<curve::Piece>& pieces,
                                        const std::vector<double>& cumulative, double from, double to);

// The distances at the start of each piece, and the total at the end.
std::vector<double> cumulativeLengths(const std::vector<curve::Piece>& pieces);

// Part of a piece between two parameters (0 start, 1 end).
curve::Piece subPiece(const curve::Piece& piece, double t0, double t1);

}  // namespace platform
