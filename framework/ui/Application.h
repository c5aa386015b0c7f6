#pragma once

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"

#include <memory>
#include <string>
#include <string_view>

namespace fw {

class FolderItem;
class MenuBar;

// The application object: one per run, registered with the runtime
// (_RuntimeRegisterAppObject), which keeps it until RuntimeExit. Every event defaults to
// doing nothing (a Boolean event to False).
class Application : public Object {
public:
    Application();
    ~Application() override;

    std::string_view ClassFullName() const override { return "Application"; }

    // The application's menu bar.
    std::shared_ptr<fw::MenuBar> MenuBar() const { return m_menuBar; }
    void MenuBar(std::shared_ptr<fw::MenuBar> bar) { m_menuBar = std::move(bar); }

    // Raised when the event loop starts and after it has ended.
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_EnableMenuItems() {}
    virtual void Event_NewDocument() {}
    virtual void Event_OpenDocument(std::shared_ptr<FolderItem> /*item*/) {}
    // Desktop events of another platform; never raised here.
    virtual bool Event_HandleAppleEvent(Object* /*event*/, const std::string& /*eventClass*/,
                                        const std::string& /*eventId*/) {
        return false;
    }
    virtual void Event_Activate() {}
    virtual void Event_Deactivate() {}
    // An exception no system code caught; True means handled, so the runtime reports nothing.
    virtual bool Event_UnhandledException(RuntimeException& /*error*/) { return false; }
    virtual bool Event_CancelClose() { return false; }

private:
    std::shared_ptr<fw::MenuBar> m_menuBar;
};

using ApplicationPtr = std::shared_ptr<Application>;

// The registered application object, or nullptr.
ApplicationPtr ApplicationObject();

} // namespace fw
