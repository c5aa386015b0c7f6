#pragma once

#include <functional>
#include <memory>
#include <string>

class QMessageBox;

namespace fw {
class Window;
}

// Answering modal loops from inside, for UI tests. Each call queues one expected modal
// interaction. A timer polls the modal widget on top (pop-up menu, message box, or a window
// running ShowModal) and answers it with the first queued expectation of its kind; answers
// of one kind go in the order queued. Answers work inside nested loops (a message box shown
// by a modal window's handler, and so on), so a test queues the whole chain up front. An
// expectation not met within its timeout (counted from when it was queued) fails the running
// test and closes whatever modal widget is up, so a test never hangs.
namespace fw::testing {

inline constexpr int kDefaultModalTimeoutMs = 5000;

// The next QMessageBox: act(box) runs, then, if the box is still open, its OK (or default, or
// first) button is clicked.
void AnswerNextMessageBox(std::function<void(QMessageBox&)> act = {},
                          int timeoutMs = kDefaultModalTimeoutMs);

// What a message box showed; answered becomes true once it was seen and dismissed.
struct MessageBoxRecord {
    bool answered = false;
    std::string title;
    std::string text;
};
// Records the next message box, then clicks OK.
std::shared_ptr<MessageBoxRecord> ExpectMessageBox(int timeoutMs = kDefaultModalTimeoutMs);

// The next pop-up menu (QMenu): clicks the action at index (separators count), or presses
// Escape when index is negative. A separator or disabled action cannot be chosen: the click
// does nothing, and the menu is then dismissed.
void AnswerNextPopupMenu(int index, int timeoutMs = kDefaultModalTimeoutMs);

// The next window running ShowModal: act(window) runs inside its modal loop; act is expected
// to close it (through its controls or Close()).
void OnNextModalWindow(std::function<void(fw::Window&)> act,
                       int timeoutMs = kDefaultModalTimeoutMs);

// Expectations not yet answered.
int PendingModalAnswers();
// Processes events until every queued expectation has been answered (true) or timeoutMs
// passed (false).
bool WaitForModalAnswers(int timeoutMs = kDefaultModalTimeoutMs);
// Drops every pending expectation (a fixture's TearDown).
void ClearModalAnswers();

// Fails the test and closes a modal widget that stays up for timeoutMs while nothing expects
// it. The test main installs it.
void InstallModalWatchdog(int timeoutMs = 15000);

} // namespace fw::testing
