// The connection to the X server, and what becomes of X's errors. Xlib reports a failed request
// later and through a handler; by default that handler prints the request and ends the program.
// Here every error is recorded instead, so the caller can ask after a round trip whether its window
// still exists. A lost connection still ends the program, with one line saying so and exit code 2.
#pragma once
#include <X11/Xlib.h>

#include <string>

class XConnection {
public:
    XConnection() = default;
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    // name empty: $DISPLAY. False when no server answers.
    bool Open(const std::string& name);
    Display* Get() const { return display; }
    // The display's name as Xlib resolved it, for messages.
    std::string Name() const;

    // Waits until the server has handled every request sent so far, then returns and forgets the
    // error code of the first of them that failed (Success when none did).
    int Sync();
    // The first error since the last Sync or TakeError, without a round trip; forgets it.
    int TakeError();

private:
    Display* display = nullptr;
};
