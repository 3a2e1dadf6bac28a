// Files built into lumvet-host, so that every build (the Windows ones under
// Wine included) writes a whole replay page without looking for anything at
// run time.
#pragma once
#include <string_view>

// The replay page's HTML, styles and script, with the places where the
// library and the flight go (flight/replay_page.html).
std::string_view ReplayPageTemplate();
// three.js as Debian's libjs-three installs it; empty when it was missing
// where this lumvet-host was built.
std::string_view ThreeJs();
// Where the build looked for three.js.
std::string_view ThreeJsPath();
