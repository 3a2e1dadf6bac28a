// A loadable module that exports none of the five entry points.
#if defined(_WIN32)
extern "C" __declspec(dllexport) int NotAPlugin(void) { return 0; }
#else
extern "C" __attribute__((visibility("default"))) int NotAPlugin(void) { return 0; }
#endif
