#pragma once
// What the program asks of the application as a whole: its title, the busy
// pointer over every window, event processing, message boxes and the end.

#include <cstdint>
#include <functional>
#include <string>

namespace forms {

// The title shown for the running program and on every message box.
std::string appTitle();
void setAppTitle(const std::string& title);

// 11 shows the busy pointer over every window of the program; 0 gives each
// window back its own pointer.
void setScreenMousePointer(int pointer);
int screenMousePointer();
// Screen size in twips (15 per pixel).
float screenWidthTwips();
float screenHeightTwips();
constexpr int TwipsPerPixel = 15;

// Handles every pending window event, then returns. Handlers run nested.
void doEvents();
// Blocks until a window event arrives or the monotonic clock reaches deadlineMs,
// handles what has arrived, and returns. Never spins.
void waitForEvents(std::int64_t deadlineMs);

// Message box styles: 0 OK only, 16 OK with the critical-stop icon (32, 48 and
// 64 give the question, exclamation and information icons).
// Returns 1 (OK).
int msgBox(const std::string& text, int style = 0);
// The same message, shown without waiting for OK: for news that comes while
// the score plays, whose loop runs beneath the handler that tells it.
void showNotice(const std::string& text, int style = 0);
// Tests answer message boxes without showing them: the hook receives each
// text and style (notices too) and the box is not shown.
void setMessageBoxHook(std::function<void(const std::string& text, int style)> hook);

// Asks a question with Yes and No buttons; true for Yes. Tests answer through
// the hook, and the box is not shown.
bool askYesNo(const std::string& text);
void setQuestionHook(std::function<bool(const std::string& text)> hook);

// Ends the process at once: no further handler runs, no window is asked.
[[noreturn]] void endProgram(int exitCode = 0);
// Tests replace the end of the process with their own action (which must not
// return to the caller normally: it throws).
void setEndProgramHook(std::function<void(int exitCode)> hook);

}  // namespace forms
