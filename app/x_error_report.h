#pragma once

// Xlib ends the process on any protocol error or a lost display, printing
// only its own terse lines. These handlers say first, under "ERROR" on
// stderr and in the log, what went wrong, then end the process with status 1
// (returning from Xlib's fatal handler is not allowed, nor is unwinding
// through Xlib).
void report_x_errors();

// Throws (with the display's name) when the X display cannot be opened: the
// GL plug-in needs it as it loads, and crashes without it.
void check_x_display();
