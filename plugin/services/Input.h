#pragma once

#include <optional>

#include "ZcDbEntity.h"
#include "ZcGePoint3d.h"
#include "geometry/Tolerances.h"

// The drawing commands' questions on the command line. Points go in and
// come out in world coordinates; the user answers in the current user
// coordinate system. Prompts are texts or string-table ids.

// RTNORM with the point in world coordinates, or RTERROR with out left
// alone for anything but a point (Esc, Enter, a failure). With a base
// point the rubber band starts there.
int GetPoint(ZcGePoint3d& out, std::optional<ZcGePoint3d> base, const char* prompt);
int GetPointById(ZcGePoint3d& out, std::optional<ZcGePoint3d> base, unsigned promptId);
int GetPointNoBase(ZcGePoint3d& out, const char* prompt);

// A pick this close in plan to the point before it is the same point: a
// double click gives it twice, and a segment of no length has no
// direction to turn anything by.
inline constexpr double kRepeatedPick = kJoinTolerance;

// GetPointById rubber-banded from base, asked again while the answer is
// the base point itself (within kRepeatedPick in plan).
int GetNextPointById(ZcGePoint3d& out, const ZcGePoint3d& base, unsigned promptId);

// A point given without further checks, with the base point passed on as
// it is (in user coordinates); converted to world coordinates when
// toWorld is set. Nothing when no point was given: a caller must not take
// a made-up point for the user's answer.
std::optional<ZcGePoint3d> PickPoint(std::optional<ZcGePoint3d> base, const char* prompt, bool toWorld);

// The distance entered, nothing when none was (Esc, Enter). The limits of
// a zcedInitGet just before apply (RSG_NOZERO, RSG_NONEG ask again).
std::optional<double> GetDistance(unsigned promptId);

// An entity picked by the user, opened in the mode for the caller to
// close. False, with a message on the command line, when nothing was
// picked or the entity cannot be opened.
bool SelectEntity(ZcDbEntity*& entity, ZcDb::OpenMode mode);
