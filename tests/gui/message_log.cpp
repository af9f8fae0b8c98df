#include "tests/gui/message_log.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

thread_local MessageLog* t_log = nullptr;

bool IsTopLevelDialog(HWND window)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0 && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

std::string MessageName(UINT message, WPARAM wParam)
{
    char text[64];
    switch (message) {
    case WM_COMMAND:
        std::snprintf(text, sizeof text, "WM_COMMAND(%u)", unsigned(LOWORD(wParam)));
        break;
    case WM_INITDIALOG: std::snprintf(text, sizeof text, "WM_INITDIALOG"); break;
    case WM_CLOSE: std::snprintf(text, sizeof text, "WM_CLOSE"); break;
    default: std::snprintf(text, sizeof text, "message 0x%04x", message); break;
    }
    return text;
}

std::string Describe(const ExpectedMessage& expected)
{
    std::string text = expected.flags & kPosted ? "posted " : expected.flags & kSent ? "sent " : "";
    text += MessageName(expected.message, expected.wParam);
    if (expected.flags & kAnyDialog) text += " to a dialog";
    if (expected.flags & kOptional) text += " (optional)";
    return text;
}

std::string Describe(const LoggedMessage& logged)
{
    std::string text = logged.posted ? "posted " : "sent ";
    text += MessageName(logged.message, logged.wParam);
    if (logged.toDialog) text += " to a dialog";
    return text;
}

bool Fits(const ExpectedMessage& expected, const LoggedMessage& logged)
{
    if (expected.message != logged.message) return false;
    if (bool(expected.flags & kAnyDialog) != logged.toDialog) return false;
    if ((expected.flags & kSent) && logged.posted) return false;
    if ((expected.flags & kPosted) && !logged.posted) return false;
    if ((expected.flags & kWParam) && expected.wParam != logged.wParam) return false;
    if ((expected.flags & kLParam) && expected.lParam != logged.lParam) return false;
    return true;
}

}  // namespace

ExpectedMessage SentCommand(int id) { return {WM_COMMAND, kSent | kWParam, WPARAM(id), 0}; }

ExpectedMessage PostedCommand(int id) { return {WM_COMMAND, kPosted | kWParam, WPARAM(id), 0}; }

ExpectedMessage DialogStarts() { return {WM_INITDIALOG, kSent | kAnyDialog, 0, 0}; }

MessageLog::MessageLog(std::vector<HWND> windows, std::vector<UINT> messages, bool withDialogs) :
    windows_(std::move(windows)), messages_(std::move(messages)), withDialogs_(withDialogs)
{
    previous_ = t_log;
    t_log = this;
    DWORD thread = GetCurrentThreadId();
    sentHook_ = SetWindowsHookExA(WH_CALLWNDPROC, SentHook, nullptr, thread);
    postedHook_ = SetWindowsHookExA(WH_GETMESSAGE, PostedHook, nullptr, thread);
    EXPECT_NE(sentHook_, nullptr);
    EXPECT_NE(postedHook_, nullptr);
}

MessageLog::~MessageLog()
{
    if (sentHook_ != nullptr) UnhookWindowsHookEx(sentHook_);
    if (postedHook_ != nullptr) UnhookWindowsHookEx(postedHook_);
    if (t_log == this) t_log = previous_;
}

LRESULT CALLBACK MessageLog::SentHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && t_log != nullptr) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        t_log->Record(sent->hwnd, sent->message, sent->wParam, sent->lParam, false);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageLog::PostedHook(int code, WPARAM wParam, LPARAM lParam)
{
    // PeekMessage without PM_REMOVE shows a message that will come again: log it once, as it
    // leaves the queue.
    if (code == HC_ACTION && wParam == PM_REMOVE && t_log != nullptr) {
        const auto* posted = reinterpret_cast<const MSG*>(lParam);
        t_log->Record(posted->hwnd, posted->message, posted->wParam, posted->lParam, true);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageLog::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool posted)
{
    bool chosen = std::find(windows_.begin(), windows_.end(), window) != windows_.end();
    bool dialog = !chosen && withDialogs_ && message == WM_INITDIALOG && IsTopLevelDialog(window);
    if (!chosen && !dialog) return;
    if (chosen && !messages_.empty() &&
        std::find(messages_.begin(), messages_.end(), message) == messages_.end())
        return;
    log_.push_back(LoggedMessage{window, message, wParam, lParam, posted, dialog});
}

std::string MessageLog::Describe() const
{
    std::string text = "the log:";
    for (const LoggedMessage& logged : log_) text += "\n  " + ::Describe(logged);
    if (log_.empty()) text += " (empty)";
    return text;
}

::testing::AssertionResult MessageLog::Matches(const std::vector<ExpectedMessage>& expected) const
{
    size_t next = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (next < log_.size() && Fits(expected[i], log_[next])) {
            ++next;
            continue;
        }
        if (expected[i].flags & kOptional) continue;
        return ::testing::AssertionFailure()
            << "entry " << i << ": expected " << ::Describe(expected[i]) << ", found "
            << (next < log_.size() ? ::Describe(log_[next]) : std::string("the end")) << "\n"
            << Describe();
    }
    if (next < log_.size())
        return ::testing::AssertionFailure()
            << "unexpected " << ::Describe(log_[next]) << " after the last expected entry\n"
            << Describe();
    return ::testing::AssertionSuccess();
}
