#include "sim/crash_report.h"

#include <cstdio>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

char context[256] = "";
CrashStream stream = CrashStream::TO_STDERR;
int exitStatus = 1;

#if defined(_WIN32)
LONG WINAPI Report(EXCEPTION_POINTERS* exception)
{
    char line[320];
    const int length =
        std::snprintf(line, sizeof line, "%scrashed (exception 0x%08lX)\n", context,
                      static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
    DWORD written = 0;
    WriteFile(GetStdHandle(stream == CrashStream::TO_STDOUT ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), line,
              DWORD(length), &written, nullptr);
    TerminateProcess(GetCurrentProcess(), UINT(exitStatus));
    return EXCEPTION_EXECUTE_HANDLER;
}
#endif

}  // namespace

void ReportCrashes(CrashStream to, int status)
{
    stream = to;
    exitStatus = status;
#if defined(_WIN32)
    SetUnhandledExceptionFilter(&Report);
#endif
}

void SetCrashContext(const char* text)
{
    std::snprintf(context, sizeof context, "%s", text);
}
