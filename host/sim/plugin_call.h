// Every call the host makes into the plug-in (entry points and hooks) goes
// through a PluginFn. On 32-bit x86 it goes through a trampoline of the
// host's own that puts the stack pointer at a chosen offset from a 16-byte
// boundary at the call: a host built by another compiler keeps the stack
// aligned to 4 bytes only, and a plug-in must not rely on more. Elsewhere the
// platform's calling convention fixes the alignment and the call is direct.
#pragma once
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace plugin_call {

// Whether calls can be made at other stack offsets: on 32-bit x86 only.
constexpr bool SKEWS_THE_STACK =
#if defined(__i386__)
    true;
#else
    false;
#endif

// The offsets a 4-byte aligned caller can leave, in bytes: the value of the
// stack pointer modulo 16 just before the call pushes its return address.
// GCC's 32-bit code, built to assume an aligned stack, expects 0.
constexpr int STACK_OFFSETS[] = {0, 4, 8, 12};

// The offset of the calls that follow (0 until set; always 0 on 64-bit).
void SetStackOffset(int bytes);
int StackOffset();

}  // namespace plugin_call

#if defined(__i386__)
// The trampoline (plugin_call_i386.S): copies count 32-bit words to a stack
// whose pointer is offset bytes past a 16-byte boundary, calls fn, leaves
// the stack to itself (the callee does not pop: caller cleans up) and
// answers the result register.
extern "C" uint32_t lumvet_call_at_offset(const void* fn, const uint32_t* words, uint32_t count,
                                          uint32_t offset);
#endif

template <typename Signature>
class PluginFn;

// A plug-in function at an address, called with the contract's signature.
template <typename R, typename... A>
class PluginFn<R(A...)> {
public:
    PluginFn() = default;
    template <typename Address>
    explicit PluginFn(Address address) : address_(reinterpret_cast<const void*>(address))
    {
    }
    explicit operator bool() const { return address_ != nullptr; }

    R operator()(A... args) const
    {
#if defined(__i386__)
        static_assert(((sizeof(A) == 4) && ...), "every argument is a 32-bit word");
        if constexpr (!std::is_void_v<R>) static_assert(sizeof(R) == 4, "the result is a 32-bit word");
        const uint32_t words[sizeof...(A) + 1] = {Word(args)..., 0};
        const uint32_t result = lumvet_call_at_offset(address_, words, sizeof...(A),
                                                      uint32_t(plugin_call::StackOffset()));
        if constexpr (!std::is_void_v<R>) {
            R value;
            std::memcpy(&value, &result, sizeof value);
            return value;
        }
#else
        return reinterpret_cast<R (*)(A...)>(const_cast<void*>(address_))(args...);
#endif
    }

private:
    template <typename T>
    static uint32_t Word(T value)
    {
        uint32_t word;
        std::memcpy(&word, &value, sizeof word);
        return word;
    }
    const void* address_ = nullptr;
};
