#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <signal.h>

// Crash reports. A machine fault (a bad memory access, a division by zero, an
// illegal instruction) or an error that reaches the top of the program
// appends a report to "qarvel.error" in the player's documents folder; the
// game then shows what happened when it can show a window, and ends with exit
// status 255.
//
// The fault handlers run on their own stack and use only async-signal-safe
// calls: no allocation, no stdio, write(2) from static buffers.

// A machine fault: the signal and its code, the instruction that faulted and
// the address it touched. A signal handler cannot throw, so faults are not
// thrown: the handler keeps the last one, with the processor state, in
// program-wide storage and reports it from there.
struct clException {
    // How the faulting instruction touched memory (memory faults only).
    enum class clAccess { Read = 0, Write = 1, Execute = 8, Unknown = -1 };

    int signal = 0;
    int code = 0;                    // the signal's si_code; 0 or less: sent, not a fault
    std::uintptr_t instruction = 0;  // where it happened
    std::uintptr_t address = 0;      // what it touched
    clAccess access = clAccess::Unknown;
    bool stackOverflow = false;
};

// The hidden switch that starts the program only to show the crash message,
// whose text is the next word. A fault handler cannot show a window itself.
inline constexpr const char* kShowCrashMessageSwitch = "--show-crash-message";

// Installs the handlers of SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGTRAP on an
// alternate signal stack and forms the report file's path: "qarvel.error" in
// documentsFolder, or in the current folder when documentsFolder is empty.
// Crash messages are shown when a window can be shown (DISPLAY or
// WAYLAND_DISPLAY set, or QT_QPA_PLATFORM given). Call once, first thing.
//
// The floating-point exceptions stay masked: the libraries under the window
// compute harmless infinities and NaNs all the time.
void InstallCrashReporter(const std::string& documentsFolder);

// Changes the report file to "qarvel.error" in folder (the current folder
// when it is empty). Used by InstallCrashReporter and by the tests.
void SetCrashReportFolder(std::string_view folder);
std::string CrashReportPath();

// Whether InstallCrashReporter found a window system to show messages on.
bool CrashMessagesShown();

// What a fault says: a one-line description followed by a line break, cut to
// fit the buffer (at most 511 characters). Returns the length written.
std::size_t DescribeFault(const clException& fault, char* buffer, std::size_t size);

// The fault that a signal's record and the interrupted context describe.
// context is the handler's third argument (a ucontext_t), or null.
clException TranslateFault(const siginfo_t& info, const void* context);

// Appends one report to the report file: with details, the last fault's
// record, registers and a backtrace; without, "Unidentified exception." and
// an empty stack dump (also with details when there was no fault). When the
// file cannot be opened nothing is written. Returns whether it was written.
bool WriteCrashReport(bool withDetails);

// The texts of the crash message: a fault's (with its description, as
// DescribeFault writes it) and any other error's. Both ask the player to send
// the report to the support address.
std::size_t FaultMessage(const char* description, char* buffer, std::size_t size);
std::string UnidentifiedErrorMessage();

// Starts this program again with kShowCrashMessageSwitch and text, and waits
// until the player has closed the message. Async-signal-safe.
void ShowCrashMessageProcess(const char* text);

// Called by the one code path that ends the program after a crash. Returns
// for the first caller; a second crash on the same thread (inside the
// reporting itself) ends the program at once with status 255, and one on
// another thread waits for the first caller to end the program.
void ClaimCrashReport();

// Test use: faults on purpose. kind is "segv-read", "segv-write", "intdiv",
// "fpdiv", "illegal", "stack-overflow", "error" (throws an operation error)
// or "terminate" (an exception leaves a thread). Returns false for an unknown
// kind; the others do not return.
bool FaultForTest(std::string_view kind);
