// The framework stops a display mode with SIGTERM; a user at a terminal with ^C. Either ends the show
// after the current frame, with the window and the shared memory released as on any other end.
#pragma once

// Catches SIGTERM, SIGINT and SIGHUP from now on; a sleep in progress is cut short.
void CatchEndSignals();
bool EndRequested();
