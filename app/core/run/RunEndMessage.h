// What the window tells at the end of a run about the files that gave no movie and the movies
// that come with a note.
#pragma once

#include <QString>

#include "run/RunResult.h"

// One message listing each file that gave no movie and why, then each note; empty when there is
// nothing to tell. Files a stop kept from their movie are left out: whoever stopped the run knows.
QString RunEndMessage(const AutomationResult& result);
