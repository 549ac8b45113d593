#pragma once

#include "EngineError.h"

#include <QString>

// Why an opening of the catalogue failed, as data: the windows tell the user.
struct OpeningFailure
{
    enum class Reason
    {
        None, // opened, or not tried yet
        NotFound,
        NoPermission,
        NotACatalogue,
        Damaged,      // `found` or `engine` says what was found instead of a sound catalogue
        NotConverted, // an Access file; `found` is the conversion's own reason
    };

    Reason reason = Reason::None;
    QString path; // the catalogue file as configured
    QString found;
    EngineError engine; // when it was the engine that failed
};
