#pragma once

#include <map>
#include <string>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcGePoint3d.h"
#include "ZcGeScale3d.h"

// Block definitions of the working drawing, built by a routine or taken
// from a template drawing once per drawing, and their references.

// The block record of that name opened in the mode for the caller to
// close, or null when the drawing has none.
[[nodiscard]] ZcDbBlockTableRecord* FindBlock(const char* name, ZcDb::OpenMode mode);

// The block of that name: the one there is (opened in the mode) or a new
// empty one with its origin at the coordinate origin, added to the block
// table and open for write. Null, with a message naming the block, when
// the name is not one a block may take or the table refuses the record;
// nothing is added then. The caller closes the record.
[[nodiscard]] ZcDbBlockTableRecord* GetOrCreateBlock(const char* name, ZcDb::OpenMode mode);

// A new anonymous block ("*U…"), added and open for the caller to close;
// the block table is opened in the mode. Null on failure.
[[nodiscard]] ZcDbBlockTableRecord* CreateAnonymousBlock(ZcDb::OpenMode mode);

// Erases a block nothing refers to, with its entities, as saving the
// drawing would purge it: an unused board, or a block whose building
// failed half way. The block must be closed.
void EraseUnreferencedBlock(ZcDbObjectId blockId);

// Makes sure the drawing has the block: one that is there already is kept
// as it is, whatever its template says now; otherwise the template drawing
// folder + name + ".dwg" becomes the block. eOk when the block is there
// afterwards. A template that is missing or cannot be read, or an empty
// name, prints "\nError reading a dwg-file." and defines nothing, so that
// the block is imported once the file is there; a failed insertion prints
// "\nError inserting a block.". The failed step's status is returned.
// Nothing is left open.
Zcad::ErrorStatus ImportBlockFromTemplate(const std::string& name, const std::string& folder);

// A reference of the named block at the point, scaled and turned about its
// normal, appended to model space and left open for write for the caller
// to close. It gets one attribute per non-constant attribute definition of
// the block itself (not of blocks nested in it), with the definition's
// text, placed, scaled and turned as the definition shows it in the block.
// Null when the drawing has no such block; nothing is added then.
[[nodiscard]] ZcDbBlockReference* InsertBlockReference(const char* name, const ZcGePoint3d& point,
                                                       const ZcGeScale3d& scale, double rotation);

// Puts the reference (open for write) and its attributes on the layer: the
// texts freeze and thaw with their reference.
Zcad::ErrorStatus SetReferenceLayer(ZcDbBlockReference* reference, const std::string& layer);

// Gives the reference's attributes (open for write) their texts by tag;
// tags not among the values keep their text.
void SetAttributeTexts(ZcDbBlockReference* reference, const std::map<std::string, std::string>& values);
