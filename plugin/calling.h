// How functions cross the boundary with the host, in both directions.
#pragma once

// Every entry point, hook and host service uses the caller-cleans-up
// convention: the caller pops the arguments, so the host may pass more
// arguments than a hook reads. On 32-bit x86 that is cdecl, spelled out so
// that no compiler default can change it; x86-64 platforms have one
// convention each, and it already leaves the stack to the caller.
#if defined(__i386__)
#define LUMVET_CALL __attribute__((cdecl))
#else
#define LUMVET_CALL
#endif

// On Windows the module definition file alone decides what is exported and
// under which name and ordinal. Elsewhere the shared object is built with
// hidden visibility and the five entry points are opened up one by one.
#if defined(_WIN32)
#define LUMVET_EXPORT
#else
#define LUMVET_EXPORT __attribute__((visibility("default")))
#endif

// Result type of the two services that answer a floating-point number
// (ground height, distance). The plug-in rounds both to float before use.
// On 32-bit x86 the answer arrives on the x87 stack whatever width the host
// computed it in; reading it as float rounds it to float in one step. On
// x86-64 it arrives in xmm0, and the host answers a double.
#if defined(__i386__)
typedef float HostFloat;
#else
typedef double HostFloat;
#endif
