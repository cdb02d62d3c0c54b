#include "toolkit/crash_report.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cfenv>
#include <cstdlib>
#include <ctime>
#include <thread>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

#include "toolkit/operation_error.h"
#include "toolkit/product.h"

namespace {

constexpr int kAddressDigits = 2 * sizeof(void*);
constexpr std::size_t kMaxDescription = 512;
constexpr int kMaxFrames = 256;
// A memory fault this close to the stack pointer ran into the end of the stack.
constexpr std::uintptr_t kStackSlack = 64 * 1024;
constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP};

// Text built in place and cut at the end of its buffer, which always holds a
// terminated string. Nothing here allocates, so fault handlers can use it.
class clTextBuffer {
public:
    clTextBuffer(char* data, std::size_t size) : data(data), size(size) {
        if (size > 0) data[0] = '\0';
    }

    clTextBuffer& Text(std::string_view text) {
        for (const char c : text)
            Put(c);
        return *this;
    }
    // value in upper-case hexadecimal, digits wide (more when it needs more).
    clTextBuffer& Hex(std::uint64_t value, int digits) {
        char reversed[16];
        int count = 0;
        do {
            reversed[count++] = "0123456789ABCDEF"[value & 0xF];
            value >>= 4;
        } while (value != 0);
        for (int pad = count; pad < digits; ++pad)
            Put('0');
        while (count > 0)
            Put(reversed[--count]);
        return *this;
    }
    // value in decimal, at least digits wide with leading fill.
    clTextBuffer& Decimal(long long value, int digits = 0, char fill = '0') {
        char reversed[24];
        int count = 0;
        const bool negative = value < 0;
        unsigned long long rest = negative ? 0ULL - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
        do {
            reversed[count++] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        if (negative) reversed[count++] = '-';
        for (int pad = count; pad < digits; ++pad)
            Put(fill);
        while (count > 0)
            Put(reversed[--count]);
        return *this;
    }
    clTextBuffer& Address(std::uintptr_t address) { return Hex(address, kAddressDigits); }

    const char* Data() const { return data; }
    std::size_t Length() const { return used; }

private:
    void Put(char c) {
        if (used + 1 >= size) return;
        data[used++] = c;
        data[used] = '\0';
    }

    char* data;
    std::size_t size;
    std::size_t used = 0;
};

// The reporter's program-wide state. The handlers only read it, except for
// the last fault, which the one thread that reports writes.
char reportPath[4096] = "qarvel.error";
bool showMessages = false;
std::atomic<pid_t> reportingThread{0};
clException lastFault;
const ucontext_t* lastContext = nullptr;  // valid while the fault handler runs
bool haveFault = false;
char reportBuffer[16384];
char messageBuffer[4096];
alignas(16) char signalStack[128 * 1024];

void WriteAll(int fd, const char* data, std::size_t length) {
    while (length > 0) {
        const ssize_t written = write(fd, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        data += written;
        length -= static_cast<std::size_t>(written);
    }
}

void WriteAll(int fd, const clTextBuffer& text) {
    WriteAll(fd, text.Data(), text.Length());
}

const char* SignalName(int signal) {
    switch (signal) {
        case SIGSEGV:
            return "SIGSEGV";
        case SIGBUS:
            return "SIGBUS";
        case SIGFPE:
            return "SIGFPE";
        case SIGILL:
            return "SIGILL";
        case SIGTRAP:
            return "SIGTRAP";
        default:
            return "signal";
    }
}

bool IsMemoryFault(const clException& fault) {
    return fault.code > 0 && (fault.signal == SIGSEGV || fault.signal == SIGBUS);
}

// The local date and time as ctime writes it: "Wed Jun 30 21:49:08 1993\n".
void AppendLocalTime(clTextBuffer& text) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        text.Text("(unknown time)\n");
        return;
    }
    text.Text(kDays[std::clamp(local.tm_wday, 0, 6)]).Text(" ");
    text.Text(kMonths[std::clamp(local.tm_mon, 0, 11)]).Decimal(local.tm_mday, 3, ' ');
    text.Text(" ").Decimal(local.tm_hour, 2).Text(":").Decimal(local.tm_min, 2);
    text.Text(":").Decimal(local.tm_sec, 2).Text(" ").Decimal(local.tm_year + 1900LL).Text("\n");
}

void AppendRegisters(clTextBuffer& text, const ucontext_t* context) {
    text.Text("Registers:\n");
    if (context == nullptr) {
        text.Text("  (not recorded)\nFloating point:\n  (not recorded)\n");
        return;
    }
#if defined(__x86_64__)
    const greg_t* r = context->uc_mcontext.gregs;
    static constexpr struct {
        const char* name;
        int index;
    } kGeneral[4][4] = {
        {{"RAX", REG_RAX}, {"RBX", REG_RBX}, {"RCX", REG_RCX}, {"RDX", REG_RDX}},
        {{"RSI", REG_RSI}, {"RDI", REG_RDI}, {"RBP", REG_RBP}, {"RSP", REG_RSP}},
        {{"R8", REG_R8}, {"R9", REG_R9}, {"R10", REG_R10}, {"R11", REG_R11}},
        {{"R12", REG_R12}, {"R13", REG_R13}, {"R14", REG_R14}, {"R15", REG_R15}},
    };
    for (const auto& line : kGeneral) {
        const char* separator = "  ";
        for (const auto& reg : line) {
            text.Text(separator).Text(reg.name).Text("=");
            text.Address(static_cast<std::uintptr_t>(r[reg.index]));
            separator = " ";
        }
        text.Text("\n");
    }
    // CS, GS and FS share one word, 16 bits each.
    const auto segments = static_cast<std::uint64_t>(r[REG_CSGSFS]);
    text.Text("  RIP=").Address(static_cast<std::uintptr_t>(r[REG_RIP]));
    text.Text(" EFLAGS=").Hex(static_cast<std::uint64_t>(r[REG_EFL]), 8);
    text.Text(" CS=").Hex(segments & 0xFFFF, 4).Text(" GS=").Hex((segments >> 16) & 0xFFFF, 4);
    text.Text(" FS=").Hex((segments >> 32) & 0xFFFF, 4).Text("\n");
    text.Text("  ERR=").Hex(static_cast<std::uint64_t>(r[REG_ERR]), 8);
    text.Text(" TRAPNO=").Hex(static_cast<std::uint64_t>(r[REG_TRAPNO]), 8);
    text.Text(" CR2=").Address(static_cast<std::uintptr_t>(r[REG_CR2])).Text("\n");
    text.Text("Floating point:\n");
    const _libc_fpstate* fp = context->uc_mcontext.fpregs;
    if (fp == nullptr) {
        text.Text("  (not recorded)\n");
        return;
    }
    text.Text("  ControlWord: ").Hex(fp->cwd, 8).Text("\n");
    text.Text("  StatusWord: ").Hex(fp->swd, 8).Text("\n");
    text.Text("  TagWord: ").Hex(fp->ftw, 8).Text("\n");
    text.Text("  ErrorOffset: ").Address(fp->rip).Text("\n");
    text.Text("  ErrorOpcode: ").Hex(fp->fop, 8).Text("\n");
    text.Text("  DataOffset: ").Address(fp->rdp).Text("\n");
    text.Text("  MXCSR: ").Hex(fp->mxcsr, 8).Text("\n");
#elif defined(__aarch64__)
    const mcontext_t& m = context->uc_mcontext;
    for (int i = 0; i < 31; ++i) {
        text.Text(i % 4 == 0 ? "  " : " ").Text("X").Decimal(i).Text("=").Address(m.regs[i]);
        if (i % 4 == 3) text.Text("\n");
    }
    text.Text("\n  SP=").Address(m.sp).Text(" PC=").Address(m.pc);
    text.Text(" PSTATE=").Hex(m.pstate, 8).Text("\n  FAULT=").Address(m.fault_address);
    text.Text("\nFloating point:\n  (not recorded)\n");
#else
    text.Text("  (not recorded on this processor)\nFloating point:\n  (not recorded)\n");
#endif
}

void AppendDetails(clTextBuffer& text, const clException& fault, const ucontext_t* context) {
    char description[kMaxDescription];
    DescribeFault(fault, description, sizeof description);
    text.Text("Description: ").Text(description);
    text.Text("Exception code: ").Hex(static_cast<std::uint32_t>(fault.signal), 8);
    text.Text(" (").Text(SignalName(fault.signal)).Text(")\n");
    text.Text("Exception flags: ").Hex(static_cast<std::uint32_t>(fault.code), 8).Text("\n");
    text.Text("Exception address: ").Address(fault.instruction).Text("\n");
    // A memory fault's parameters: how memory was touched (0 read, 1 write,
    // 8 instruction fetch) and where.
    if (IsMemoryFault(fault)) {
        text.Text("Exception parameters: 2\n");
        text.Text("    ").Address(static_cast<std::uint64_t>(fault.access)).Text("\n");
        text.Text("    ").Address(fault.address).Text("\n");
    } else {
        text.Text("Exception parameters: 0\n");
    }
    text.Text("Context flags: ");
    text.Hex(context ? static_cast<std::uint64_t>(context->uc_flags) : 0, 8).Text("\n");
    AppendRegisters(text, context);
}

// The call chain from the faulting instruction outwards, one frame a line
// (module, symbol and address as the C library names them). The frames of
// the handler itself are left out when the faulting instruction is found.
void WriteStack(int fd, std::uintptr_t from) {
    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    int first = 0;
    for (int i = 0; i < count; ++i) {
        if (reinterpret_cast<std::uintptr_t>(frames[i]) == from) {
            first = i;
            break;
        }
    }
    for (int i = first; i < count; ++i) {
        WriteAll(fd, "  ", 2);
        backtrace_symbols_fd(&frames[i], 1, fd);
    }
}

void AppendRequest(clTextBuffer& text) {
    text.Text("Please report this problem to ").Text(kSupportAddress);
    text.Text(", together with the file 'qarvel.error' from your documents folder and a ");
    text.Text("screenshot of this message.\n\nThe program will now exit.");
}

void OnFault(int, siginfo_t* info, void* context) {
    ClaimCrashReport();
    lastFault = TranslateFault(*info, context);
    lastContext = static_cast<const ucontext_t*>(context);
    haveFault = true;
    WriteCrashReport(true);
    char description[kMaxDescription];
    const std::size_t length = DescribeFault(lastFault, description, sizeof description);
    clTextBuffer line(messageBuffer, sizeof messageBuffer);
    line.Text("qarvel: ").Text(std::string_view(description, length));
    WriteAll(STDERR_FILENO, line);
    if (showMessages) {
        FaultMessage(description, messageBuffer, sizeof messageBuffer);
        ShowCrashMessageProcess(messageBuffer);
    }
    _exit(255);
}

// Test faults: values the compiler cannot see through, so that each fault
// happens at run time where it is written.
volatile std::uintptr_t nowhere = 0;
volatile int zero = 0;
volatile int seven = 7;  // GCC turns 1 / x into a comparison
volatile double zeroPoint = 0.0;
volatile bool keepRecursing = true;
volatile int intSink = 0;
volatile double doubleSink = 0.0;

[[gnu::noinline]] int Recurse(int depth) {
    volatile char pad[4096];
    pad[0] = static_cast<char>(depth);
    if (keepRecursing) return Recurse(depth + 1) + pad[0];
    return pad[0];
}

}  // namespace

void SetCrashReportFolder(std::string_view folder) {
    static constexpr std::string_view kName = "qarvel.error";
    clTextBuffer path(reportPath, sizeof reportPath);
    char current[sizeof reportPath];
    if (folder.empty() && getcwd(current, sizeof current) != nullptr) folder = current;
    if (folder.empty() || folder.size() + kName.size() + 2 > sizeof reportPath) {
        path.Text(kName);
        return;
    }
    path.Text(folder);
    if (folder.back() != '/') path.Text("/");
    path.Text(kName);
}

std::string CrashReportPath() {
    return reportPath;
}

bool CrashMessagesShown() {
    return showMessages;
}

void InstallCrashReporter(const std::string& documentsFolder) {
    SetCrashReportFolder(documentsFolder);
    const auto given = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && value[0] != '\0';
    };
    showMessages = given("DISPLAY") || given("WAYLAND_DISPLAY") || given("QT_QPA_PLATFORM");
    // backtrace loads its unwinder on first use and localtime_r reads the
    // time zone: both must have happened before a fault handler needs them.
    void* frame[1];
    backtrace(frame, 1);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);

    stack_t stack{};
    stack.ss_sp = signalStack;
    stack.ss_size = sizeof signalStack;
    sigaltstack(&stack, nullptr);
    // SA_NODEFER: a fault inside the handler enters it again and ends the
    // program at once instead of being held back.
    struct sigaction action {};
    action.sa_sigaction = OnFault;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
    for (const int signal : kFaultSignals)
        sigaction(signal, &action, nullptr);
}

std::size_t DescribeFault(const clException& fault, char* buffer, std::size_t size) {
    clTextBuffer text(buffer, std::min(size, kMaxDescription));
    const auto at = [&](const char* what) {
        text.Text(what).Text(" at ").Address(fault.instruction);
    };
    const auto other = [&] {
        text.Text("Exception code ").Hex(static_cast<std::uint32_t>(fault.signal), 8);
        text.Text(" at ").Address(fault.instruction);
    };
    // A signal sent by another process or by raise() is no fault.
    if (fault.code <= 0) {
        other();
    } else if (fault.signal == SIGSEGV) {
        if (fault.stackOverflow) {
            at("Stack overflow");
        } else {
            at("Access violation");
            switch (fault.access) {
                case clException::clAccess::Read:
                    text.Text(": reading from address ");
                    break;
                case clException::clAccess::Write:
                    text.Text(": writing to address ");
                    break;
                case clException::clAccess::Unknown:
                    text.Text(": accessing address ");
                    break;
                default:
                    text.Text(": accessing (").Decimal(static_cast<int>(fault.access));
                    text.Text(") address ");
                    break;
            }
            text.Address(fault.address);
        }
    } else if (fault.signal == SIGBUS) {
        at(fault.code == BUS_ADRALN ? "Datatype misalignment" : "In page error");
    } else if (fault.signal == SIGILL) {
        const bool privileged = fault.code == ILL_PRVOPC || fault.code == ILL_PRVREG;
        at(privileged ? "Privileged instruction" : "Illegal instruction");
    } else if (fault.signal == SIGTRAP) {
        at(fault.code == TRAP_TRACE ? "Single step" : "Breakpoint");
    } else if (fault.signal == SIGFPE) {
        switch (fault.code) {
            case FPE_INTDIV:
                at("Integer divide by zero");
                break;
            case FPE_INTOVF:
                at("Integer overflow");
                break;
            case FPE_FLTDIV:
                at("Floating point divide by zero");
                break;
            case FPE_FLTOVF:
                at("Floating point overflow");
                break;
            case FPE_FLTUND:
                at("Floating point underflow");
                break;
            case FPE_FLTRES:
                at("Floating point inexact result");
                break;
            case FPE_FLTINV:
                at("Floating point invalid operation");
                break;
            case FPE_FLTSUB:
                at("Array bounds exceeded");
                break;
            default:
                other();
                break;
        }
    } else {
        other();
    }
    text.Text("\n");
    return text.Length();
}

clException TranslateFault(const siginfo_t& info, const void* context) {
    clException fault;
    fault.signal = info.si_signo;
    fault.code = info.si_code;
    // For a signal that was sent, si_addr overlaps the sender's process id.
    if (fault.code > 0) fault.address = reinterpret_cast<std::uintptr_t>(info.si_addr);
    fault.instruction = fault.address;
    const auto* uc = static_cast<const ucontext_t*>(context);
    std::uintptr_t stackPointer = 0;
    if (uc != nullptr) {
#if defined(__x86_64__)
        const greg_t* r = uc->uc_mcontext.gregs;
        fault.instruction = static_cast<std::uintptr_t>(r[REG_RIP]);
        stackPointer = static_cast<std::uintptr_t>(r[REG_RSP]);
        // A page fault's error code: bit 1 a write, bit 4 an instruction fetch.
        constexpr greg_t kPageFault = 14;
        if (fault.signal == SIGSEGV && fault.code > 0 && r[REG_TRAPNO] == kPageFault) {
            const greg_t error = r[REG_ERR];
            fault.access = (error & 0x10)  ? clException::clAccess::Execute
                           : (error & 0x2) ? clException::clAccess::Write
                                           : clException::clAccess::Read;
        }
#elif defined(__aarch64__)
        fault.instruction = static_cast<std::uintptr_t>(uc->uc_mcontext.pc);
        stackPointer = static_cast<std::uintptr_t>(uc->uc_mcontext.sp);
#endif
    }
    if (fault.signal == SIGSEGV && fault.code > 0 && stackPointer != 0) {
        const std::uintptr_t distance = fault.address > stackPointer ? fault.address - stackPointer
                                                                     : stackPointer - fault.address;
        fault.stackOverflow = distance <= kStackSlack;
    }
    return fault;
}

bool WriteCrashReport(bool withDetails) {
    // O_NONBLOCK: a FIFO put in the report's place never holds the dying
    // program in open() waiting for a reader.
    const int fd =
        open(reportPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
    if (fd < 0) return false;
    clTextBuffer text(reportBuffer, sizeof reportBuffer);
    text.Text(kProductName).Text(" ").Text(kProductVersion).Text(" error - ");
    AppendLocalTime(text);
    const bool details = withDetails && haveFault;
    if (details)
        AppendDetails(text, lastFault, lastContext);
    else
        text.Text("Unidentified exception.\n");
    text.Text("Stack dump:\n");
    WriteAll(fd, text);
    if (details) WriteStack(fd, lastFault.instruction);
    WriteAll(fd, "-----\n", 6);
    return close(fd) == 0;
}

std::size_t FaultMessage(const char* description, char* buffer, std::size_t size) {
    clTextBuffer text(buffer, size);
    text.Text("The following error has occurred in ").Text(kProductName).Text(":\n\t");
    text.Text(description).Text("\n");
    AppendRequest(text);
    return text.Length();
}

std::string UnidentifiedErrorMessage() {
    char buffer[1024];
    clTextBuffer text(buffer, sizeof buffer);
    text.Text("An unidentified error has occurred in ").Text(kProductName).Text(".\n\n");
    AppendRequest(text);
    return std::string(text.Data(), text.Length());
}

void ShowCrashMessageProcess(const char* text) {
    // _Fork, unlike fork, takes no locks the crashed thread may hold.
    const pid_t child = _Fork();
    if (child == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        char name[] = "qarvel";
        char crashSwitch[64];
        clTextBuffer(crashSwitch, sizeof crashSwitch).Text(kShowCrashMessageSwitch);
        char* const argv[] = {name, crashSwitch, const_cast<char*>(text), nullptr};
        execve("/proc/self/exe", argv, environ);
        _exit(127);
    }
    if (child < 0) return;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

void ClaimCrashReport() {
    const pid_t self = gettid();
    pid_t owner = 0;
    if (reportingThread.compare_exchange_strong(owner, self)) return;
    if (owner == self) _exit(255);
    for (;;)
        pause();
}

bool FaultForTest(std::string_view kind) {
    if (kind == "segv-read") {
        intSink = *reinterpret_cast<volatile int*>(nowhere);
    } else if (kind == "segv-write") {
        *reinterpret_cast<volatile int*>(nowhere) = 1;
    } else if (kind == "intdiv") {
        intSink = seven / zero;
    } else if (kind == "fpdiv") {
        // Floating-point faults are masked in the program; this one is not.
        feenableexcept(FE_DIVBYZERO);
        doubleSink = 1.0 / zeroPoint;
    } else if (kind == "illegal") {
        __builtin_trap();
    } else if (kind == "stack-overflow") {
        intSink = Recurse(0);
    } else if (kind == "error") {
        throw clOperationError("clCrashReport::FaultForTest");
    } else if (kind == "terminate") {
        std::thread([] { throw clOperationError("clCrashReport::FaultForTest"); }).join();
    } else {
        return false;
    }
    return true;
}
