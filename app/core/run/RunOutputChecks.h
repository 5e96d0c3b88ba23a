// What a run writes besides its movies (its report, and the project file the command line saves
// first), checked before anything is converted or written: neither may replace an input of the
// run, a movie the run will make, or the other, and the report needs a folder to go into.
#pragma once

#include <string>

#include "project/ProjectFile.h"

class RunOutputs;

// Why a run of project may not write its project file at path, in the words the user reads:
// "Cannot create file <path>: it is an input of the run", "...: the movie of <input> goes there";
// empty when it may. inputs: a RunOutputs of the project's files.
std::string ProjectFileProblem(const PSoundProject& project, const RunOutputs& inputs,
                               const std::string& path);

// The same for its report at reportPath, which may not be the project file either (projectFile,
// when one is named by an absolute path), and needs a folder it can be written into (the output
// folder aside: the run makes that): "Cannot create file <path>: <folder>: No such file or
// directory".
std::string ReportFileProblem(const PSoundProject& project, const RunOutputs& inputs,
                              const std::string& reportPath, const std::string& projectFile);
