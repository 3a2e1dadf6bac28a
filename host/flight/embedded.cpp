#include "flight/embedded.h"

#include "asm_symbol.h"

// Each file becomes a run of bytes in the read-only data between two
// symbols, through the assembler's .incbin: no generated source, and the
// build knows to redo this object when a file changes (OBJECT_DEPENDS).
#if defined(_WIN32)
#define LUMVET_RODATA ".section .rdata,\"dr\"\n"
#else
#define LUMVET_RODATA ".section .rodata\n"
#endif
#define LUMVET_EMBED(name, path)                           \
    asm(LUMVET_RODATA ".balign 16\n"                       \
        ".globl " LUMVET_ASM_SYMBOL(name) "\n"             \
        LUMVET_ASM_SYMBOL(name) ":\n"                      \
        ".incbin \"" path "\"\n"                           \
        ".globl " LUMVET_ASM_SYMBOL(name##_end) "\n"       \
        LUMVET_ASM_SYMBOL(name##_end) ":\n"                \
        ".byte 0\n"                                        \
        ".text\n")

LUMVET_EMBED(lumvet_replay_page, LUMVET_REPLAY_PAGE);
#if defined(LUMVET_THREE_JS)
LUMVET_EMBED(lumvet_three_js, LUMVET_THREE_JS);
#endif

extern "C" const char lumvet_replay_page[], lumvet_replay_page_end[];
#if defined(LUMVET_THREE_JS)
extern "C" const char lumvet_three_js[], lumvet_three_js_end[];
#endif

std::string_view ReplayPageTemplate()
{
    return {lumvet_replay_page, size_t(lumvet_replay_page_end - lumvet_replay_page)};
}

std::string_view ThreeJs()
{
#if defined(LUMVET_THREE_JS)
    return {lumvet_three_js, size_t(lumvet_three_js_end - lumvet_three_js)};
#else
    return {};
#endif
}

std::string_view ThreeJsPath()
{
    return LUMVET_THREE_JS_WANTED;
}
