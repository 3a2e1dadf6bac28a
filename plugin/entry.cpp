#include "entry.h"

#include <cstring>

#include "../camera/commands.h"
#include "../camera/placement.h"
#include "exports.h"
#include "host_services.h"

const char PLUGIN_TITLE[] = "Lumvet Camera DLL";
const char PLUGIN_TAG[] = "KZPA";
const char PLUGIN_AUTHOR[] = "Lumvet Camera developers";
const char PLUGIN_VERSION_TEXT[] = "1.00";
const char PLUGIN_CONTACT[] = "lumvet@example.org";
const char CAMERA_DISPLAY_NAME[] = "Lumvet Camera";

static_assert(sizeof(PLUGIN_AUTHOR) <= 128 && sizeof(PLUGIN_CONTACT) <= 128,
              "identity texts fit their 128-byte fields with the terminator");
static_assert(sizeof(CAMERA_DISPLAY_NAME) == 14, "the display name has 13 characters");

namespace {

template <typename Hook>
void Install(DLLHookTable* hooks, DLLHookSlot slot, Hook hook)
{
    hooks->slot[slot] = reinterpret_cast<HookAddress>(hook);
}

}  // namespace

extern "C" {

int32_t LUMVET_CALL DLLInit(DLLHookTable* hooks, DLLInfoRecord* info,
                            uint32_t registrationContext)
{
    // strcpy writes each text and one NUL: the rest of every field, and all
    // bytes from 644 on, keep what the host put there.
    strcpy(info->title, PLUGIN_TITLE);
    strcpy(info->tag, PLUGIN_TAG);
    strcpy(info->author, PLUGIN_AUTHOR);
    strcpy(info->versionText, PLUGIN_VERSION_TEXT);
    strcpy(info->contact, PLUGIN_CONTACT);
    info->versionNumber = SDK_VERSION;

    Install(hooks, HOOK_CREATE, &CameraCreate);
    Install(hooks, HOOK_BIND_KEYS, &CameraBindKeys);
    Install(hooks, HOOK_UPDATE, &CameraUpdate);
    Install(hooks, HOOK_ZERO, &CameraZero);
    Install(hooks, HOOK_GET_NAME, &CameraGetName);
    Install(hooks, HOOK_KEY, &CameraKey);
    Install(hooks, HOOK_START, &CameraStart);

    // Last, so the host finds the record and every hook in place when it
    // hears of the type. Whatever it answers, the plug-in is initialised.
    HostRegisterType(registrationContext, CAMERA_CLASS_CODE, CAMERA_TYPE_CODE);
    return 1;
}

void LUMVET_CALL DLLKill(void)
{
}

}  // extern "C"

void LUMVET_CALL CameraCreate(uint32_t classCode, uint32_t typeCode, void** out)
{
    if (classCode != CAMERA_CLASS_CODE) return;
    if (typeCode != CAMERA_TYPE_CODE) return;
    void* instance = HostNewObject();
    *out = instance;
    // A host that has no record to give answers null; writing through it
    // would crash the host's process, so the host just gets the null back.
    if (instance == nullptr) return;
    const uint32_t typeCodeWord = CAMERA_TYPE_CODE;
    memcpy(instance, &typeCodeWord, sizeof typeCodeWord);  // x86: little-endian
}

char* LUMVET_CALL CameraGetName(uint32_t, char* destination, uint32_t count)
{
    // strncpy is exactly the contract: the name's characters up to count,
    // then NUL bytes up to count, never more, no terminator when count <= 13.
    return strncpy(destination, CAMERA_DISPLAY_NAME, count);
}

int32_t LUMVET_CALL CameraZero(void)
{
    return 0;
}
