#include "toolkit/crash_report.h"

#include <cstring>
#include <regex>

#include <gtest/gtest.h>
#include <ucontext.h>

#include "support/temp_folder.h"

namespace {

using clAccess = clException::clAccess;

std::string Describe(const clException& fault) {
    char buffer[600];
    const std::size_t length = DescribeFault(fault, buffer, sizeof buffer);
    EXPECT_EQ(length, std::strlen(buffer));
    return buffer;
}

// Puts the report into a fresh folder for the life of the object.
class clReportFolder {
public:
    clReportFolder() { SetCrashReportFolder(folder.Path().string()); }
    ~clReportFolder() { SetCrashReportFolder(""); }
    std::string Report() const { return ReadFileBytes(folder.Path() / "qarvel.error"); }
    const std::filesystem::path& Path() const { return folder.Path(); }

private:
    clTempFolder folder;
};

}  // namespace

TEST(CrashReportTest, DescribesEachFault) {
    constexpr std::uintptr_t at = 0x401A2B;
    constexpr std::uintptr_t addr = 0x10;
    static_assert(sizeof(void*) == 8, "the texts below are written for 64-bit addresses");
    struct {
        int signal, code;
        clAccess access;
        bool stackOverflow;
        const char* text;
    } cases[] = {
        {SIGSEGV, SEGV_MAPERR, clAccess::Read, false,
         "Access violation at 0000000000401A2B: reading from address 0000000000000010"},
        {SIGSEGV, SEGV_ACCERR, clAccess::Write, false,
         "Access violation at 0000000000401A2B: writing to address 0000000000000010"},
        {SIGSEGV, SEGV_MAPERR, clAccess::Execute, false,
         "Access violation at 0000000000401A2B: accessing (8) address 0000000000000010"},
        {SIGSEGV, SEGV_MAPERR, clAccess::Unknown, false,
         "Access violation at 0000000000401A2B: accessing address 0000000000000010"},
        {SIGSEGV, SEGV_MAPERR, clAccess::Write, true, "Stack overflow at 0000000000401A2B"},
        {SIGBUS, BUS_ADRALN, clAccess::Read, false, "Datatype misalignment at 0000000000401A2B"},
        {SIGBUS, BUS_ADRERR, clAccess::Read, false, "In page error at 0000000000401A2B"},
        {SIGFPE, FPE_INTDIV, clAccess::Unknown, false,
         "Integer divide by zero at 0000000000401A2B"},
        {SIGFPE, FPE_INTOVF, clAccess::Unknown, false, "Integer overflow at 0000000000401A2B"},
        {SIGFPE, FPE_FLTDIV, clAccess::Unknown, false,
         "Floating point divide by zero at 0000000000401A2B"},
        {SIGFPE, FPE_FLTOVF, clAccess::Unknown, false,
         "Floating point overflow at 0000000000401A2B"},
        {SIGFPE, FPE_FLTUND, clAccess::Unknown, false,
         "Floating point underflow at 0000000000401A2B"},
        {SIGFPE, FPE_FLTRES, clAccess::Unknown, false,
         "Floating point inexact result at 0000000000401A2B"},
        {SIGFPE, FPE_FLTINV, clAccess::Unknown, false,
         "Floating point invalid operation at 0000000000401A2B"},
        {SIGFPE, FPE_FLTSUB, clAccess::Unknown, false, "Array bounds exceeded at 0000000000401A2B"},
        {SIGFPE, 99, clAccess::Unknown, false, "Exception code 00000008 at 0000000000401A2B"},
        {SIGILL, ILL_ILLOPN, clAccess::Unknown, false, "Illegal instruction at 0000000000401A2B"},
        {SIGILL, ILL_PRVOPC, clAccess::Unknown, false,
         "Privileged instruction at 0000000000401A2B"},
        {SIGTRAP, TRAP_BRKPT, clAccess::Unknown, false, "Breakpoint at 0000000000401A2B"},
        {SIGTRAP, SI_KERNEL, clAccess::Unknown, false, "Breakpoint at 0000000000401A2B"},
        {SIGTRAP, TRAP_TRACE, clAccess::Unknown, false, "Single step at 0000000000401A2B"},
        // Sent by kill or raise: no fault, whatever the signal.
        {SIGSEGV, SI_USER, clAccess::Read, false, "Exception code 0000000B at 0000000000401A2B"},
        {SIGFPE, SI_TKILL, clAccess::Unknown, false, "Exception code 00000008 at 0000000000401A2B"},
    };
    for (const auto& c : cases) {
        clException fault;
        fault.signal = c.signal;
        fault.code = c.code;
        fault.instruction = at;
        fault.address = addr;
        fault.access = c.access;
        fault.stackOverflow = c.stackOverflow;
        EXPECT_EQ(Describe(fault), std::string(c.text) + "\n") << c.signal << " " << c.code;
    }
}

TEST(CrashReportTest, DescriptionIsCutToTheBuffer) {
    clException fault;
    fault.signal = SIGSEGV;
    fault.code = SEGV_MAPERR;
    fault.access = clAccess::Read;
    char small[20];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(DescribeFault(fault, small, sizeof small), sizeof small - 1);
    EXPECT_EQ(std::string(small), "Access violation at");
}

#if defined(__x86_64__)
// What the signal's record and the interrupted registers say about a fault:
// the page fault's error code tells a write from a read, and a fault next
// to the stack pointer is a stack overflow.
TEST(CrashReportTest, TranslatesTheSignalAndTheRegisters) {
    constexpr std::uintptr_t kStack = 0x7ffd00010000;
    struct {
        int signal, code;
        std::uintptr_t address;
        greg_t trap, error;
        clAccess access;
        bool stackOverflow;
    } cases[] = {
        {SIGSEGV, SEGV_MAPERR, 0, 14, 0x4, clAccess::Read, false},
        {SIGSEGV, SEGV_MAPERR, 0, 14, 0x6, clAccess::Write, false},
        {SIGSEGV, SEGV_ACCERR, 0x1000, 14, 0x15, clAccess::Execute, false},
        {SIGSEGV, SI_KERNEL, 0, 13, 0, clAccess::Unknown, false},  // general protection
        {SIGSEGV, SEGV_MAPERR, kStack - 8, 14, 0x6, clAccess::Write, true},
        {SIGSEGV, SEGV_MAPERR, kStack - 70000, 14, 0x6, clAccess::Write, false},
        {SIGFPE, FPE_INTDIV, 0x401A2B, 0, 0, clAccess::Unknown, false},
        {SIGSEGV, SI_USER, 0, 0, 0, clAccess::Unknown, false},
    };
    for (const auto& c : cases) {
        siginfo_t info{};
        info.si_signo = c.signal;
        info.si_code = c.code;
        info.si_addr = reinterpret_cast<void*>(c.address);
        ucontext_t context{};
        context.uc_mcontext.gregs[REG_RIP] = 0x401A2B;
        context.uc_mcontext.gregs[REG_RSP] = static_cast<greg_t>(kStack);
        context.uc_mcontext.gregs[REG_TRAPNO] = c.trap;
        context.uc_mcontext.gregs[REG_ERR] = c.error;
        const clException fault = TranslateFault(info, &context);
        EXPECT_EQ(fault.signal, c.signal);
        EXPECT_EQ(fault.instruction, 0x401A2Bu);
        EXPECT_EQ(fault.address, c.code > 0 ? c.address : 0) << c.code;
        EXPECT_EQ(fault.access, c.access) << c.code << " " << c.error;
        EXPECT_EQ(fault.stackOverflow, c.stackOverflow) << c.address;
    }
}
#endif

// Errors that are no machine fault: a short report, appended; two reports
// follow each other whole.
TEST(CrashReportTest, AppendsShortReports) {
    clReportFolder folder;
    WriteFileBytes(folder.Path() / "qarvel.error", "an older report\n");
    ASSERT_TRUE(WriteCrashReport(false));
    ASSERT_TRUE(WriteCrashReport(true));  // no fault recorded: no details either
    const std::regex report(
        "Qarvel 1\\.60 error - [A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] "
        "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\n"
        "Unidentified exception\\.\nStack dump:\n-----\n");
    const std::string text = folder.Report();
    ASSERT_TRUE(text.starts_with("an older report\n")) << text;
    const auto reports = std::distance(std::sregex_iterator(text.begin(), text.end(), report),
                                       std::sregex_iterator());
    EXPECT_EQ(reports, 2) << text;
}

TEST(CrashReportTest, WritesNothingWhenTheFileCannotBeOpened) {
    clReportFolder folder;
    SetCrashReportFolder((folder.Path() / "missing").string());
    EXPECT_FALSE(WriteCrashReport(false));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "missing"));
    SetCrashReportFolder("");
    EXPECT_EQ(CrashReportPath(), (std::filesystem::current_path() / "qarvel.error").string());
}
