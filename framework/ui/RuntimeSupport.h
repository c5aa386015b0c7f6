#pragma once

// Between the runtime and the window list; not for system code.
namespace fw::detail {

// How many calls into the system are running now (nested modal loops included).
int SystemCallDepth();

// Closed windows wait here until no system code runs (their methods or their controls'
// widgets may still be on the stack when they close); then the framework lets go of them.
bool HasClosedWindows();
void ScheduleClosedWindowRelease();

} // namespace fw::detail
