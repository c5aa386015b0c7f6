#include "framework/ui/Runtime.h"

#include "framework/core/ClassRegistry.h"
#include "framework/ui/Application.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/PluginEntryPoints.h"
#include "framework/ui/RuntimeSupport.h"
#include "framework/ui/Window.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <string>
#include <typeinfo>

namespace fw {

namespace {

struct RuntimeState {
    std::unique_ptr<QApplication> ownedApp; // only when RuntimeInit made it
    ExceptionHelper helper;
    ApplicationPtr app;
    Int32 exitStatus = 0;
    int callDepth = 0;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

std::string Demangled(const std::type_info& type) {
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string result = status == 0 && name != nullptr ? name : type.name();
    std::free(name);
    return result;
}

void ShowReport(const std::string& className, const std::string& message) {
    if (QApplication::instance() == nullptr) {
        return;
    }
    std::string text = "An exception of class " + className + " was not handled.";
    if (!message.empty()) {
        text += "\n\n" + message;
    }
    QMessageBox box;
    box.setIcon(QMessageBox::Critical);
    box.setWindowTitle(QStringLiteral("Unhandled exception"));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

// Inside an event the report waits until the event is over: a nested loop inside a paint or a
// resize is no place for a dialog. Outside any event it shows at once.
void Report(const std::string& className, const std::string& message) {
    if (State().callDepth > 0 && QCoreApplication::instance() != nullptr) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [className, message] { ShowReport(className, message); },
            Qt::QueuedConnection);
        return;
    }
    ShowReport(className, message);
}

void ReportRuntimeException(RuntimeException& error) {
    if (ApplicationPtr app = State().app) {
        bool handled = false;
        // The application's handler is system code too; whatever it raises is reported plainly.
        try {
            handled = app->Event_UnhandledException(error);
        } catch (const RuntimeException& again) {
            Report(again.ClassName(), again.Message());
        } catch (const std::exception& again) {
            Report(Demangled(typeid(again)), again.what());
        } catch (...) {
            Report("(unknown)", "");
        }
        if (handled) {
            return;
        }
    }
    Report(error.ClassName(), error.Message());
}

void ReportCurrentException() {
    try {
        throw;
    } catch (RuntimeException& error) {
        ReportRuntimeException(error);
    } catch (const std::exception& error) {
        Report(Demangled(typeid(error)), error.what());
    } catch (...) {
        Report("(unknown)", "");
    }
}

// Counts one call into the system for as long as it runs, however it ends.
class CallDepthScope {
public:
    CallDepthScope() { ++State().callDepth; }
    ~CallDepthScope() { --State().callDepth; }
    CallDepthScope(const CallDepthScope&) = delete;
    CallDepthScope& operator=(const CallDepthScope&) = delete;
};

void Trampoline(void* argument) {
    (*static_cast<const std::function<void()>*>(argument))();
}

} // namespace

namespace detail {

int SystemCallDepth() {
    return State().callDepth;
}

} // namespace detail

void RuntimeInit(int& argc, char** argv) {
    if (QApplication::instance() == nullptr) {
        State().ownedApp = std::make_unique<QApplication>(argc, argv);
    }
    State().exitStatus = 0;
}

void _RuntimeSetExceptionHelper(ExceptionHelper helper) {
    State().helper = std::move(helper);
}

void _RunFrameworkInitialization(const std::function<void()>& startup) {
    // Called straight, before the loop runs: an exception goes back to the main routine,
    // which hands it to _UnhandledException.
    if (startup) {
        startup();
    }
}

// There are no external classes on this desktop.
void _RuntimeInitExternalClasses() {}

void _InitPluginEntrypoints() {
    InitPluginEntrypointTable();
}

void _RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
    State().app = std::move(app);
}

ApplicationPtr ApplicationObject() {
    return State().app;
}

void _RuntimeRun() {
    if (QApplication::instance() == nullptr) {
        return;
    }
    if (ApplicationPtr app = State().app) {
        CallIntoSystem([app] { app->Event_Open(); });
    }
    State().exitStatus = QApplication::exec();
    // Quitting closes what is still open, then the application hears of it.
    CloseAllWindows();
    if (ApplicationPtr app = State().app) {
        CallIntoSystem([app] { app->Event_Close(); });
    }
}

void _UnhandledException(std::exception_ptr exception) {
    if (!exception) {
        return;
    }
    try {
        std::rethrow_exception(exception);
    } catch (...) {
        ReportCurrentException();
    }
}

Int32 RuntimeExit() {
    CloseAllWindows();
    State().app.reset();
    if (State().ownedApp) {
        // Reports and window releases still queued go with the application.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        State().ownedApp.reset();
    }
    return State().exitStatus;
}

void Quit(Int32 exitStatus) {
    State().exitStatus = exitStatus;
    QCoreApplication::exit(exitStatus);
}

void CallIntoSystem(const std::function<void()>& call) {
    RuntimeState& state = State();
    {
        const CallDepthScope depth;
        try {
            std::shared_ptr<RuntimeException> raised;
            if (state.helper) {
                raised =
                    state.helper(&Trampoline, const_cast<void*>(static_cast<const void*>(&call)));
            } else {
                call();
            }
            if (raised) {
                ReportRuntimeException(*raised);
            }
        } catch (...) {
            ReportCurrentException();
        }
    }
    if (state.callDepth == 0 && detail::HasClosedWindows()) {
        detail::ScheduleClosedWindowRelease();
    }
}

void RegisterFrameworkClasses() {
    RegisterRectControlClasses();
    RegisterWindowClass(); // the list of open windows is ready from here on
    RegisterListboxClass();
    RegisterPopupMenuClass();
    RegisterBevelButtonClass();
    RegisterLabelClass();
    RegisterApplicationClass();
    // Classes without designed properties, so that every class's ancestry is known.
    auto& registry = ClassRegistry::Instance();
    registry.Register(ClassInfo{"MenuItem", "Object", {}});
    registry.Register(ClassInfo{"MenuBar", "MenuItem", {}});
    registry.Register(ClassInfo{"QuitMenuItem", "MenuItem", {}});
    registry.Register(ClassInfo{"Picture", "Object", {}});
}

} // namespace fw
