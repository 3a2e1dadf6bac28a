// lumvet-host check: the conformance suite, each check on a freshly loaded
// plug-in in a process of its own.
#pragma once
#include <cstdint>
#include <string>

struct CheckOptions {
    std::string plugin;
    std::string filter;     // ECMAScript regex searched in each check's name
    bool list = false;
    bool onlyFailed = false;
    bool inProcess = false;
    uint32_t seed = 1;      // for the checks that press random keys
    std::string single;     // internal: run this one check here and report it
    std::string self;       // this program's path, to start a check's process (--self: internal)
};

// Prints the module loaded, PASS/FAIL lines and "N passed, M failed";
// answers the exit status: 0 exactly when every selected check passed, 1
// when one failed, 2 when the plug-in could not be loaded or a check could
// not be run (a check that did not run is neither passed nor failed).
int RunChecks(CheckOptions options);
