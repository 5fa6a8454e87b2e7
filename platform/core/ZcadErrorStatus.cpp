#include "ZcadErrorStatus.h"

const char* Zcad::errorStatusName(ErrorStatus es)
{
    switch (es) {
    case eOnLockedLayer:
        return "eOnLockedLayer";
        // clang-format off
#define NAME(e) \
    case e:     \
        return #e;
        NAME(eOk) NAME(eNotImplementedYet) NAME(eNotApplicable) NAME(eInvalidInput) NAME(eOutOfMemory)
        NAME(eBufferTooSmall) NAME(eInvalidOpenState) NAME(eNullObjectPointer) NAME(eNullObjectId)
        NAME(eNullEntityPointer) NAME(eKeyNotFound) NAME(eDuplicateKey) NAME(eInvalidIndex) NAME(eAlreadyInDb)
        NAME(eNotInDatabase) NAME(eInvalidSymbolTableName) NAME(eWrongObjectType) NAME(eWrongDatabase)
        NAME(eNotOpenForRead) NAME(eNotOpenForWrite) NAME(eNotThatKindOfClass) NAME(eInvalidBlockName)
        NAME(eWasErased) NAME(eWasOpenForRead) NAME(eWasOpenForWrite) NAME(eWasNotOpenForWrite)
        NAME(eHadMultipleReaders) NAME(eAtMaxReaders) NAME(eInvalidOwnerObject) NAME(eSelfReference)
        NAME(eDegenerateGeometry) NAME(eInvalidExtents) NAME(eFileNotFound) NAME(eFileAccessErr)
        NAME(eFileSharingViolation) NAME(eFilerError) NAME(eDwgNotRecoverable) NAME(eInvalidDwgVersion)
        NAME(eNoInputFiler) NAME(eFontNotFound)
#undef NAME
        // clang-format on
    }
    return "eUnknownStatus";
}
