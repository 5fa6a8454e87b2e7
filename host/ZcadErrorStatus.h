#pragma once

#include "ZrxExport.h"

// The host's result status of every database call; eOk is the only success.
namespace Zcad {
enum ErrorStatus {
    eOk = 0,
    eNotImplementedYet,
    eNotApplicable,
    eInvalidInput,
    eOutOfMemory,
    eBufferTooSmall,
    eInvalidOpenState,
    eNullObjectPointer,
    eNullObjectId,
    eNullEntityPointer,
    eKeyNotFound,
    eDuplicateKey,
    eInvalidIndex,
    eAlreadyInDb,
    eNotInDatabase,
    eInvalidSymbolTableName,
    eWrongObjectType,
    eWrongDatabase,
    eNotOpenForRead,
    eNotOpenForWrite,
    eNotThatKindOfClass,
    eInvalidBlockName,
    eWasErased,
    eWasOpenForRead,
    eWasOpenForWrite,
    eWasNotOpenForWrite,
    eHadMultipleReaders,
    eAtMaxReaders,
    eInvalidOwnerObject,
    eSelfReference,
    eDegenerateGeometry,
    eInvalidExtents,
    eFileNotFound,
    eFileAccessErr,
    eFileSharingViolation,
    eFilerError,
    eDwgNotRecoverable,
    eInvalidDwgVersion,
    eNoInputFiler,
    eFontNotFound,
    eOnLockedLayer,
};

// The status's name ("eWasOpenForWrite"), for messages.
ZRX_EXPORT const char* errorStatusName(ErrorStatus es);
}  // namespace Zcad
