// The two ways the program runs, each with settings of its own: the interactive show (started with no
// option) and the screen saver (its full-screen run, its preview and its settings).
#pragma once

enum RunMode { Interactive = 1, ScreenSaver = 2 };
