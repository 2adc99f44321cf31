#include "app/x11/XConnection.h"

#include <cstdio>
#include <cstdlib>

namespace {
// Xlib's handlers are plain functions without a context: the one error slot is process-wide.
int firstError = Success;

int RecordError(Display*, XErrorEvent* event)
{
    if (firstError == Success) firstError = event->error_code;
    return 0;
}

int ConnectionLost(Display* display)
{
    std::fprintf(stderr, "fireworks: lost the connection to display %s\n", DisplayString(display));
    std::_Exit(2);
}
}  // namespace

XConnection::~XConnection()
{
    if (display != nullptr) XCloseDisplay(display);
}

bool XConnection::Open(const std::string& name)
{
    display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (display == nullptr) return false;
    XSetErrorHandler(RecordError);
    XSetIOErrorHandler(ConnectionLost);
    return true;
}

std::string XConnection::Name() const { return display != nullptr ? DisplayString(display) : ""; }

int XConnection::Sync()
{
    XSync(display, False);
    return TakeError();
}

int XConnection::TakeError()
{
    int error = firstError;
    firstError = Success;
    return error;
}
