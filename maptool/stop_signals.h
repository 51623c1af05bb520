// What the tool does when it is told to stop (SIGTERM, SIGINT, SIGHUP): the file it is writing
// goes, so a stopped run leaves no partial file behind, and one line says so.
#pragma once

#include <string>

// From now on, a stop signal removes the temporary file being written, prints
// "velloran-map: OUTPUT: stopped by SIGNAL; nothing was written" on standard error and ends the
// program as that signal does. `output` is the file the run writes ("" when it writes none).
void removeOutputOnStopSignals(const std::string& output);
