#pragma once

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/Types.h"

#include <functional>
#include <memory>
#include <string_view>

namespace fw {

class Application;

// The routine through which the runtime makes every call into the system: it calls function
// with argument and returns the RuntimeException the call raised, or nullptr. Any other
// exception propagates out of it.
using ExceptionHelper =
    std::function<std::shared_ptr<RuntimeException>(void (*function)(void*), void* argument)>;

// Start-up and the event loop, in the order the main routine calls them.
void RuntimeInit(int& argc, char** argv);
void _RuntimeSetExceptionHelper(ExceptionHelper helper);
// Initialises the framework and calls startup back once, before any event is delivered.
void _RunFrameworkInitialization(const std::function<void()>& startup);
void _RuntimeInitExternalClasses();
void _InitPluginEntrypoints();
void _RuntimeRegisterAppObject(std::shared_ptr<Application> app);
// Runs the event loop until Quit.
void _RuntimeRun();
// Hands an exception that escaped the system to the runtime's unhandled-exception handling.
void _UnhandledException(std::exception_ptr exception);
// Shuts the runtime down; the exit status.
Int32 RuntimeExit();

// Ends the event loop (QuitMenuItem, tests).
void Quit(Int32 exitStatus = 0);

// The exception boundary. Every call from Qt into system code goes through it: the call runs
// through the registered helper; an exception it raises never unwinds into Qt's event
// dispatch, and one no system code caught is reported to the user in a message box naming its
// class and message (after the current event), and the application keeps running.
void CallIntoSystem(const std::function<void()>& call);
// The same for a call with a result; fallback when the call raised.
template <class R> R CallIntoSystemOr(R fallback, const std::function<R()>& call) {
    R result = fallback;
    CallIntoSystem([&] { result = call(); });
    return result;
}

} // namespace fw
