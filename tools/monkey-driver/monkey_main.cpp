// The monkey driver. Started by tools/monkey under Wine, it starts Quillon.exe itself and for the
// given time works it at random as a careless user would (see monkey_actions.h and
// monkey_popups.h), one seeded random stream for the whole run. Between actions it watches for
//   a crash: the program's process gone with a non-zero exit code, or Wine's crash dialog (a
//            dialog of another process) on the screen;
//   a hang:  the main window not answering a message within the hang time.
// A failure is written to the action log (with a screenshot beside it); the program is then
// ended and started again, unless --stop-on-failure. The program closing itself with exit
// code 0 (File > Exit, Alt+F4, its close box) is no failure: it is started again.
//
//   monkey_driver QUILLON.exe WORKDIR OUTDIR SECONDS SEED [--hang-seconds N] [--stop-on-failure]
//
// WORKDIR is the program's working folder (its samples\ and junk\ folders hold files to open;
// saved files land there); OUTDIR gets actions.log and the screenshots. Exit code: 0 when no
// failure was seen, 1 when one was, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver_input.h"
#include "driver_screen.h"
#include "driver_windows.h"
#include "monkey.h"
#include "monkey_actions.h"
#include "monkey_files.h"
#include "monkey_popups.h"

namespace {

constexpr DWORD kStartTimeout = 40000;

struct Run {
    std::string exe;
    std::string outDir;
    DWORD hangMs = 10000;
    bool stopOnFailure = false;
    PROCESS_INFORMATION process = {};
    int launches = 0;
    int closes = 0;      // the program closed itself (exit code 0)
    int failures = 0;
};

struct ForeignSearch {
    DWORD pid;
    HWND found = nullptr;
};

// Wine's crash dialog: a visible dialog of any process but the program's and ours.
BOOL CALLBACK MatchForeignDialog(HWND window, LPARAM data)
{
    ForeignSearch* search = reinterpret_cast<ForeignSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid || pid == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    if (ClassOf(window) != "#32770") return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindCrashDialog(DWORD pid)
{
    ForeignSearch search = {pid};
    EnumWindows(MatchForeignDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CloseProgram(Run& run)
{
    if (run.process.hProcess == nullptr) return;
    TerminateProcess(run.process.hProcess, 255);
    WaitForSingleObject(run.process.hProcess, 10000);
    CloseHandle(run.process.hProcess);
    CloseHandle(run.process.hThread);
    run.process = {};
}

bool Launch(Run& run, Monkey& monkey)
{
    std::string command = "\"" + run.exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ++run.launches;
    monkey.Note("start %s in %s (start %d)", run.exe.c_str(), monkey.workDir.c_str(), run.launches);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, monkey.workDir.c_str(),
                        &startup, &run.process)) {
        monkey.Note("FAILURE: cannot start the program (error %lu)", GetLastError());
        return false;
    }
    monkey.pid = run.process.dwProcessId;
    monkey.main = WaitForTopWindow("Quillon", monkey.pid, kStartTimeout);
    if (monkey.main == nullptr) {
        monkey.Note("FAILURE: no main window within %lu s", kStartTimeout / 1000);
        CloseProgram(run);
        return false;
    }
    SetForegroundWindow(monkey.main);
    Sleep(500);
    return true;
}

void Failure(Run& run, Monkey& monkey, const char* what, HWND crashDialog)
{
    ++run.failures;
    char shot[MAX_PATH];
    std::snprintf(shot, sizeof shot, "%s\\failure-%d.bmp", run.outDir.c_str(), run.failures);
    bool saved = SaveScreenshot(shot);
    monkey.Note("FAILURE %d: %s%s%s", run.failures, what, saved ? "; screen in " : "", saved ? shot : "");
    std::printf("monkey FAILURE %d after action %d: %s\n", run.failures, monkey.actions, what);
    std::fflush(stdout);
    if (crashDialog != nullptr) PostMessageA(crashDialog, WM_CLOSE, 0, 0);
    CloseProgram(run);
}

enum class Health { Fine, Closed, Failed };

// Looks at the program between two actions.
Health Check(Run& run, Monkey& monkey)
{
    if (HWND crash = FindCrashDialog(monkey.pid)) {
        std::string what = "crash: a dialog of another process came up (\"" + TextOf(crash) + "\")";
        Failure(run, monkey, what.c_str(), crash);
        return Health::Failed;
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(run.process.hProcess, 0) == WAIT_OBJECT_0) {
        GetExitCodeProcess(run.process.hProcess, &code);
        if (code == 0) {
            ++run.closes;
            monkey.Note("the program closed itself (exit code 0)");
            CloseProgram(run);
            return Health::Closed;
        }
        char what[96];
        std::snprintf(what, sizeof what, "crash: the program ended with exit code %#lx", code);
        Failure(run, monkey, what, nullptr);
        return Health::Failed;
    }
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(monkey.main, WM_NULL, 0, 0, SMTO_NORMAL, run.hangMs, &result) != 0)
        return Health::Fine;
    // Closing or crashing takes a moment: look again before calling it a hang.
    Sleep(3000);
    if (FindCrashDialog(monkey.pid) != nullptr || WaitForSingleObject(run.process.hProcess, 0) == WAIT_OBJECT_0)
        return Check(run, monkey);
    char what[96];
    if (!IsWindow(monkey.main)) {
        std::snprintf(what, sizeof what, "hang: the main window is gone but the process runs on");
    } else {
        std::snprintf(what, sizeof what, "hang: the main window did not answer within %lu s", run.hangMs / 1000);
    }
    Failure(run, monkey, what, nullptr);
    return Health::Failed;
}

// The keys go where the foreground is: a user's click would bring the program forward.
void KeepInFront(Monkey& monkey)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &pid);
    if (pid != monkey.pid) SetForegroundWindow(monkey.main);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: monkey_driver QUILLON.exe WORKDIR OUTDIR SECONDS SEED "
                             "[--hang-seconds N] [--stop-on-failure]\n");
        return 2;
    }
    Run run;
    Monkey monkey;
    run.exe = argv[1];
    monkey.workDir = argv[2];
    run.outDir = argv[3];
    DWORD seconds = DWORD(std::strtoul(argv[4], nullptr, 10));
    unsigned long seed = std::strtoul(argv[5], nullptr, 10);
    for (int i = 6; i < argc; ++i) {
        if (std::strcmp(argv[i], "--stop-on-failure") == 0) {
            run.stopOnFailure = true;
        } else if (std::strcmp(argv[i], "--hang-seconds") == 0 && i + 1 < argc) {
            run.hangMs = DWORD(std::strtoul(argv[++i], nullptr, 10)) * 1000;
        } else {
            std::fprintf(stderr, "monkey_driver: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    monkey.rng.seed(seed);
    std::string logPath = run.outDir + "\\actions.log";
    monkey.log = std::fopen(logPath.c_str(), "w");
    if (monkey.log == nullptr) {
        std::fprintf(stderr, "monkey_driver: cannot write %s\n", logPath.c_str());
        return 2;
    }
    FindOpenableFiles(monkey);
    monkey.start = GetTickCount();
    monkey.Note("seed %lu, %lu s, %zu files to open", seed, seconds, monkey.openable.size());
    const DWORD end = monkey.start + seconds * 1000;

    bool running = Launch(run, monkey);
    if (!running) ++run.failures;
    while (running && LONG(GetTickCount() - end) < 0) {
        Health health = Check(run, monkey);
        if (health == Health::Failed && run.stopOnFailure) break;
        if (health != Health::Fine) {
            running = Launch(run, monkey);
            if (!running) ++run.failures;
            continue;
        }
        if (HWND popup = ActivePopup(monkey.pid)) {
            PopupAction(monkey, popup);
        } else {
            KeepInFront(monkey);
            MainWindowAction(monkey);
        }
        Sleep(monkey.Between(20, 250));
    }
    if (running && run.process.hProcess != nullptr && Check(run, monkey) == Health::Fine) CloseProgram(run);
    // Nothing of ours stays pressed.
    const DWORD up[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP};
    SendMouseButtons(up, 2);
    DWORD elapsed = (GetTickCount() - monkey.start) / 1000;
    monkey.Note("end: %lu s, %d actions, %d starts, %d closed by the user's actions, %d sprite saves asked, "
                "%d failures", elapsed, monkey.actions, run.launches, run.closes, monkey.saves, run.failures);
    std::printf("monkey: seed %lu, %lu s, %d actions, %d starts (%d closed by the user's actions), "
                "%d sprite saves asked, %d failures\n",
                seed, elapsed, monkey.actions, run.launches, run.closes, monkey.saves, run.failures);
    std::fclose(monkey.log);
    return run.failures == 0 ? 0 : 1;
}
