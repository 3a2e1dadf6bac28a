// The assembler's name for a C symbol, as a string literal: 32-bit Windows
// puts an underscore in front, other targets nothing. For top-level asm that
// defines symbols the C++ code declares extern "C".
#pragma once

#define LUMVET_STRING(x) #x
#define LUMVET_PREFIXED(prefix, name) LUMVET_STRING(prefix) #name
#define LUMVET_ASM_SYMBOL(name) LUMVET_PREFIXED(__USER_LABEL_PREFIX__, name)
