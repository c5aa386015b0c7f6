#pragma once

#include "framework/core/Exceptions.h"

#include <memory>

// The life of the process: the main routine, class registration, the start-up steps the
// framework calls back and the release of the module objects at the end.

// The main routine: returns the process's exit status. Reads no command line.
int Main(int argc, char** argv);

// Registers the framework's classes, then the system's own.
void Initialize();

// Registers the exception helper, initialises the framework (which calls _Startup back) and
// runs the event loop, all under one handler: an exception escaping any of the three goes to
// the runtime's unhandled-exception handling and skips the rest.
void _Main();

// The runtime's way into the system: calls function with argument; returns nullptr, or the
// RuntimeException the call raised (the thrown object itself). Other exceptions propagate.
std::shared_ptr<fw::RuntimeException> _CallFunctionWithExceptionHandling(void (*function)(void*),
                                                                         void* argument);

// The system's start-up, called back once by the framework's initialisation.
void _Startup();
// The project has no file types.
void _InitFileTypes();
// Creates the application object, gives it the shared menu bar and registers it.
void _NewAppInstance();
// The application installs no menu handlers.
void _ApplicationAddMenuHandlers();
// Opens the default window.
void _MakeDefaultView();

// Releases the module-level objects, the shared menu bar last.
void Finalize();
