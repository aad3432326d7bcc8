#include "writefailure.h"

#include "programstate.h"
#include "textfile.h"

QString writeFailureText(const ProgramState &state, const WriteResult &result)
{
    return state.caption(writeFailedCaption, "This file could not be written:") % u'\n' % result.message();
}
