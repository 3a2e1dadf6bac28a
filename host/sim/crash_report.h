// A crash inside the plug-in would otherwise end in the system's own crash
// report (under Wine, a debugger's backtrace) and say nothing of what the host
// was doing. Once reporting is on, a crash prints one line: the context last
// set, then "crashed (exception CODE)", and ends the process with the given
// status. Windows only: elsewhere the parent process sees the signal.
#pragma once

enum class CrashStream { TO_STDOUT, TO_STDERR };

void ReportCrashes(CrashStream stream, int exitStatus);
// Kept in a buffer of its own (at most 255 characters), so that a crash can
// print it without touching the heap.
void SetCrashContext(const char* context);
