#include "app/Startup.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Window1.h"
#include "framework/core/Types.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/Window.h"
#include "listbox/TambrelListBox.h"
#include "pickers/wCal.h"
#include "pickers/wTim.h"

#include <exception>
#include <string>

namespace {

// RuntimeExit's result, the process's exit status.
fw::Int32 exitStatus = 0;

} // namespace

int Main(int argc, char** argv) {
    // The program takes no command line: the runtime sees the program's name only. Qt keeps
    // the arguments for the whole run, so they live in static storage.
    static std::string programName;
    static char* runtimeArgv[2] = {nullptr, nullptr};
    static int runtimeArgc = 1;
    programName = argc > 0 && argv != nullptr && argv[0] != nullptr ? argv[0] : "tambrel-demo";
    runtimeArgv[0] = programName.data();
    runtimeArgc = 1;
    fw::RuntimeInit(runtimeArgc, runtimeArgv);
    Initialize();
    _Main();
    Finalize();
    exitStatus = fw::RuntimeExit();
    return exitStatus;
}

void Initialize() {
    fw::RegisterFrameworkClasses();
    App::RegisterClass();
    Window1::RegisterClass();
    MenuBar1::RegisterClass();
    TambrelListBox::RegisterClass();
    wCal::RegisterClass();
    wTim::RegisterClass();
}

void _Main() {
    try {
        fw::_RuntimeSetExceptionHelper(&_CallFunctionWithExceptionHandling);
        fw::_RunFrameworkInitialization(&_Startup);
        fw::_RuntimeRun();
    } catch (...) {
        fw::_UnhandledException(std::current_exception());
    }
}

std::shared_ptr<fw::RuntimeException> _CallFunctionWithExceptionHandling(void (*function)(void*),
                                                                         void* argument) {
    if (function == nullptr) {
        function = [](void*) {
            throw fw::NilObjectException("The runtime called into the system without a routine");
        };
    }
    return fw::CallCapturingRuntimeException(function, argument);
}

void _Startup() {
    fw::_RuntimeInitExternalClasses();
    fw::_InitPluginEntrypoints();
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
    _MakeDefaultView();
}

void _InitFileTypes() {}

void _NewAppInstance() {
    auto app = std::make_shared<App>();
    app->Constructor();
    app->MenuBar(MenuBar1::Instance());
    fw::_RuntimeRegisterAppObject(app);
}

void _ApplicationAddMenuHandlers() {}

void _MakeDefaultView() {
    Window1::Instance();
}

void Finalize() {
    // The framework's window lists go first (the event loop's end closed the windows already,
    // unless start-up failed half-way), the shared menu bar last.
    fw::CloseAllWindows();
    MenuBar1::_implicitInstance = nullptr;
}
