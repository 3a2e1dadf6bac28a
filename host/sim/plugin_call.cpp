#include "sim/plugin_call.h"

#include "asm_symbol.h"

namespace {

int stackOffset = 0;

}  // namespace

void plugin_call::SetStackOffset(int bytes)
{
    stackOffset = SKEWS_THE_STACK ? (bytes & 12) : 0;
}

int plugin_call::StackOffset()
{
    return stackOffset;
}

#if defined(__i386__)
// Written in assembly so that no frame of the host's compiler stands between
// the chosen stack pointer and the call: a compiled function may realign its
// own stack and so hide the offset from the plug-in.
#define CALL_AT_OFFSET LUMVET_ASM_SYMBOL(lumvet_call_at_offset)
asm(".text\n"
    ".globl " CALL_AT_OFFSET "\n"
    CALL_AT_OFFSET ":\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    pushl %ebx\n"
    "    movl 8(%ebp), %eax\n"    // fn
    "    movl 12(%ebp), %esi\n"   // words
    "    movl 16(%ebp), %ecx\n"   // count
    "    movl 20(%ebp), %edx\n"   // offset
    "    andl $12, %edx\n"
    // New stack pointer: below the words and the saved registers, down to a
    // 16-byte boundary, then up by the offset (at most 12, so the words stay
    // below what this frame saved).
    "    leal 0(,%ecx,4), %edi\n"
    "    movl %esp, %ebx\n"
    "    subl %edi, %ebx\n"
    "    subl $16, %ebx\n"
    "    andl $-16, %ebx\n"
    "    addl %edx, %ebx\n"
    "    movl %ebx, %esp\n"
    "    movl %esp, %edi\n"
    "    cld\n"
    "    rep movsl\n"
    "    call *%eax\n"
    // The callee left its arguments (caller cleans up); the frame pointer
    // finds what this frame saved, whatever the callee did to the stack.
    "    leal -12(%ebp), %esp\n"
    "    popl %ebx\n"
    "    popl %edi\n"
    "    popl %esi\n"
    "    popl %ebp\n"
    "    ret\n");
#endif
