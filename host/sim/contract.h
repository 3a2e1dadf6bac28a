// The plug-in contract as the host sees it: slot numbers, byte offsets and
// signatures, written down from the contract itself. Nothing here comes from
// the plug-in's own headers, so a layout mistake there is not repeated here.
#pragma once
#include <cstddef>
#include <cstdint>

#include "sim/plugin_call.h"

namespace contract {

// Every entry point, hook and service leaves the arguments on the stack for
// the caller to remove: on 32-bit x86 that is cdecl, the compilers' default
// for plain functions (and what the host's services are); on 64-bit it is
// the platform's one convention. Arguments and results are 32-bit words on
// 32-bit x86, except the two floating-point answers of the services, which
// come back on the x87 stack.

constexpr int32_t SDK_VERSION = 100;
constexpr uint32_t CAMERA_CLASS_CODE = 0x63616D65u;  // "came"
constexpr uint32_t CAMERA_TYPE_CODE = 0x6C6D7674u;   // "lmvt"

constexpr int SERVICE_SLOTS = 310;
enum Service : int {
    NEW_OBJECT = 0,
    REGISTER_TYPE = 5,
    BIND_KEY = 68,
    FIND_SITE = 86,
    GET_USER_OBJECT = 114,
    GET_OBJECT_POSITION = 117,
    GET_GROUND_HEIGHT = 182,
    GET_DISTANCE = 213,
    GET_ACTIVE_CAMERA = 217,
    SHOW_TEXT = 228,
    HAS_CAMERA = 277,
    ADD_CAMERA = 278,
};
constexpr int USED_SERVICES[] = {0, 5, 68, 86, 114, 117, 182, 213, 217, 228, 277, 278};

constexpr int HOOK_SLOTS = 27;  // the least a hook table has
enum Hook : int {
    START = 0,
    CREATE = 4,
    BIND_KEYS = 5,
    KEY = 18,
    UPDATE = 24,
    ZERO = 25,
    GET_NAME = 26,
};
constexpr int INSTALLED_HOOKS[] = {0, 4, 5, 18, 24, 25, 26};

// Information record: five 128-byte text fields, then a 32-bit number.
constexpr size_t INFO_TEXT_FIELD = 128;
constexpr size_t INFO_TITLE = 0, INFO_TAG = 128, INFO_AUTHOR = 256, INFO_VERSION_TEXT = 384,
                 INFO_CONTACT = 512, INFO_VERSION_NUMBER = 640, INFO_SIZE = 644;

// Site record: 272 bytes, name at byte 24, three doubles at byte 232.
constexpr size_t SITE_SIZE = 272, SITE_NAME = 24, SITE_POSITION = 232;
constexpr size_t SITE_EXTRA_SIZE = 8;
constexpr size_t OBJECT_REF_SIZE = 12;

struct Position {
    double c[3];
};
struct Orientation {
    double pitch, heading, bank;
};
static_assert(sizeof(Position) == 24 && sizeof(Orientation) == 24, "three doubles each");

using Address = void (*)(void);

// Entry points, looked up by name. The host calls them through PluginFn.
using GetSdkVersionFn = PluginFn<int32_t(void)>;
using InitPrivateFn = PluginFn<int32_t(const Address* table, int32_t referenceNumber)>;
using GetReferenceNumberFn = PluginFn<int32_t(void)>;
using InitFn = PluginFn<int32_t(Address* hooks, uint8_t* info, uint32_t registrationContext)>;
using KillFn = PluginFn<void(void)>;

// Hooks, as the host calls them. The host may pass more arguments than a
// hook reads; these are the arguments the contract names.
using StartFn = PluginFn<void(void)>;
using CreateFn = PluginFn<void(uint32_t classCode, uint32_t typeCode, void** out)>;
using BindKeysFn = PluginFn<void(uint32_t context)>;
using KeyFn = PluginFn<void(int32_t code)>;
using UpdateFn = PluginFn<void(uint32_t, uint32_t, uint32_t, Position* position,
                               Orientation* orientation)>;
using ZeroFn = PluginFn<int32_t(void)>;
using GetNameFn = PluginFn<char*(uint32_t first, char* destination, uint32_t count)>;

}  // namespace contract
