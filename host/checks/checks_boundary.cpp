// Checks of the entry points, the information record, the hook table and the
// hooks that concern the plug-in as a whole.
#include <cstring>
#include <memory>

#include "checks/check_support.h"

using contract::Address;

namespace {

void EntryPoints(CheckContext& c)
{
    const PluginBinary& p = c.host.plugin;
    c.Expect(p.getReferenceNumber() == 0, "DLLGetReferenceNumber before DLLInitPrivate answered " +
                                              std::to_string(p.getReferenceNumber()) + ", expected 0");
    c.Expect(p.getSdkVersion() == 100, "DLLGetSDKVersion before DLLInitPrivate answered " +
                                           std::to_string(p.getSdkVersion()));
    const int32_t answer = p.initPrivate(c.host.table.data(), 7);
    c.Expect(answer == 7, "DLLInitPrivate(table, 7) answered " + std::to_string(answer));
    c.Expect(p.getReferenceNumber() == 7, "DLLGetReferenceNumber after DLLInitPrivate(table, 7) answered " +
                                              std::to_string(p.getReferenceNumber()));
    c.Expect(p.getSdkVersion() == 100, "DLLGetSDKVersion after DLLInitPrivate answered " +
                                           std::to_string(p.getSdkVersion()));
    c.Expect(c.host.calls.empty(), "the three entry points called the host: " + Join(c.host.calls));
}

void InitPrivateCopiesTheTable(CheckContext& c)
{
    // Hand over a table on the heap, then wipe and free it before any hook.
    auto table = std::make_unique<std::array<Address, contract::SERVICE_SLOTS>>(c.host.table);
    c.host.plugin.initPrivate(table->data(), c.host.referenceNumber);
    table->fill(nullptr);
    table.reset();
    c.host.Init();
    c.host.ClearRecords();
    c.host.Key(72);
    RunFrame(c, Scene{});
    c.Expect(c.host.calls == TRACKING_CALLS,
             "after the host freed its table the plug-in made the calls " + Join(c.host.calls));
}

void InitPrivateReplacesTableAndNumber(CheckContext& c)
{
    c.host.Boot();
    auto second = c.host.table;
    second[contract::NEW_OBJECT] = SecondTableNewObjectService();
    const int32_t answer = c.host.plugin.initPrivate(second.data(), 0x77);
    c.Expect(answer == 0x77, "the second DLLInitPrivate answered " + std::to_string(answer));
    c.Expect(c.host.plugin.getReferenceNumber() == 0x77, "the second number was not stored");
    c.host.ClearRecords();
    void* out = &out;
    c.host.HookAt<contract::CreateFn>(contract::CREATE)(contract::CAMERA_CLASS_CODE,
                                                        contract::CAMERA_TYPE_CODE, &out);
    c.Expect(c.host.calls == std::vector<std::string>{"HostNewObject(second table)"},
             "CameraCreate after a second DLLInitPrivate made the calls " + Join(c.host.calls));
    c.Expect(c.host.newObjectNumbers == std::vector<int32_t>{0x77},
             "HostNewObject did not receive the second number");
}

struct InfoText {
    size_t offset;
    const char* field;
    const char* text;  // null: any text of 1 to 127 characters
};

void InformationRecord(CheckContext& c)
{
    c.host.InitPrivate();
    const int32_t answer = c.host.Init();
    c.Expect(answer == 1, "DLLInit answered " + std::to_string(answer));
    const uint8_t* info = c.host.info.data();
    const InfoText texts[] = {
        {contract::INFO_TITLE, "title", "Lumvet Camera DLL"},
        {contract::INFO_TAG, "tag", "KZPA"},
        {contract::INFO_AUTHOR, "author", nullptr},
        {contract::INFO_VERSION_TEXT, "versionText", "1.00"},
        {contract::INFO_CONTACT, "contact", nullptr},
    };
    for (const InfoText& t : texts) {
        const char* field = reinterpret_cast<const char*>(info + t.offset);
        const size_t length = strnlen(field, contract::INFO_TEXT_FIELD);
        if (!c.Expect(length < contract::INFO_TEXT_FIELD, std::string(t.field) + " has no terminator"))
            continue;
        const std::string text(field, length);
        if (t.text)
            c.Expect(text == t.text, std::string(t.field) + " is \"" + text + "\", expected \"" + t.text + "\"");
        else
            c.Expect(length > 0, std::string(t.field) + " is empty");
        for (size_t i = t.offset + length + 1; i < t.offset + contract::INFO_TEXT_FIELD; ++i)
            if (!c.Expect(info[i] == 0xC3, std::string(t.field) + ": byte " + std::to_string(i) +
                                               " behind the terminator was written"))
                break;
    }
    const uint8_t version[4] = {100, 0, 0, 0};
    c.Expect(memcmp(info + contract::INFO_VERSION_NUMBER, version, 4) == 0,
             "versionNumber is not 100 as a little-endian 32-bit integer");
    for (size_t i = contract::INFO_SIZE; i < c.host.info.size(); ++i)
        if (!c.Expect(info[i] == 0xC3, "byte " + std::to_string(i) + " of the record was written"))
            break;
}

void HookSlots(CheckContext& c)
{
    c.host.InitPrivate();
    c.host.Init();
    size_t next = 0;
    for (size_t slot = 0; slot < c.host.hooks.size(); ++slot) {
        const bool installed = next < std::size(contract::INSTALLED_HOOKS) &&
                               contract::INSTALLED_HOOKS[next] == int(slot);
        if (installed) {
            ++next;
            c.Expect(c.host.hooks[slot] != HookMarker() && c.host.hooks[slot] != nullptr,
                     "hook slot " + std::to_string(slot) + " was not filled");
        } else {
            c.Expect(c.host.hooks[slot] == HookMarker(),
                     "hook slot " + std::to_string(slot) + " was written");
        }
    }
}

void Registration(CheckContext& c)
{
    c.host.InitPrivate();
    for (int32_t hostAnswer : {1, 0, -1}) {
        c.host.ClearRecords();
        c.host.registerAnswer = hostAnswer;
        c.host.hooks.fill(HookMarker());
        c.host.info.fill(0xC3);
        bool filled = false;
        c.host.onRegister = [&] {
            filled = c.host.info[contract::INFO_VERSION_NUMBER] == 100 &&
                     c.host.info[contract::INFO_CONTACT] != 0xC3;
            for (int slot : contract::INSTALLED_HOOKS) filled = filled && c.host.hooks[size_t(slot)] != HookMarker();
        };
        const int32_t answer = c.host.Init();
        const std::string at = "host answering " + std::to_string(hostAnswer) + ": ";
        c.Expect(answer == 1, at + "DLLInit answered " + std::to_string(answer));
        c.Expect(c.host.calls == std::vector<std::string>{"HostRegisterType"},
                 at + "DLLInit made the calls " + Join(c.host.calls));
        c.Expect(filled, at + "the record and the seven hook slots were not filled at registration");
        c.Expect(!c.host.registrations.empty() &&
                     c.host.registrations[0] == std::array<uint32_t, 3>{c.host.registrationContext,
                                                                        contract::CAMERA_CLASS_CODE,
                                                                        contract::CAMERA_TYPE_CODE},
                 at + "registration with the wrong context or codes");
    }
}

void CreateInstances(CheckContext& c)
{
    c.host.InitPrivate();
    c.host.Init();
    c.host.ClearRecords();
    auto create = c.host.HookAt<contract::CreateFn>(contract::CREATE);
    void* first = nullptr;
    void* second = nullptr;
    create(contract::CAMERA_CLASS_CODE, contract::CAMERA_TYPE_CODE, &first);
    create(contract::CAMERA_CLASS_CODE, contract::CAMERA_TYPE_CODE, &second);
    c.Expect(c.host.newObjectNumbers == std::vector<int32_t>(2, c.host.referenceNumber),
             "HostNewObject was not called twice with the reference number");
    if (!c.Expect(c.host.objects.size() == 2 && first == c.host.objects[0].get() &&
                      second == c.host.objects[1].get(),
                  "out does not hold the records HostNewObject answered"))
        return;
    for (void* record : {first, second}) {
        const uint8_t* bytes = static_cast<const uint8_t*>(record);
        c.Expect(memcmp(bytes, "tvml", 4) == 0, "the record's first word is not \"lmvt\" little-endian");
        for (size_t i = 4; i < SimHost::OBJECT_RECORD_SIZE; ++i)
            if (!c.Expect(bytes[i] == 0xB0, "byte " + std::to_string(i) + " of the instance record was written"))
                break;
    }
}

void CreateIgnoresOtherCodes(CheckContext& c)
{
    c.host.InitPrivate();
    c.host.Init();
    c.host.ClearRecords();
    auto create = c.host.HookAt<contract::CreateFn>(contract::CREATE);
    const uint32_t pairs[][2] = {{contract::CAMERA_CLASS_CODE, 0x6C6D7675u},
                                 {0x63616D66u, contract::CAMERA_TYPE_CODE},
                                 {contract::CAMERA_TYPE_CODE, contract::CAMERA_CLASS_CODE},
                                 {0x656D6163u, 0x74766D6Cu},
                                 {0, 0}};
    for (const auto& pair : pairs) {
        void* out = &out;
        create(pair[0], pair[1], &out);
        c.Expect(out == &out, "CameraCreate(" + std::to_string(pair[0]) + ", " +
                                  std::to_string(pair[1]) + ") wrote through out");
    }
    c.Expect(c.host.calls.empty(), "CameraCreate with other codes called " + Join(c.host.calls));
}

void CreateWithoutARecord(CheckContext& c)
{
    c.host.InitPrivate();
    c.host.Init();
    c.host.newObjectAnswersNull = true;
    void* out = &out;
    c.host.HookAt<contract::CreateFn>(contract::CREATE)(contract::CAMERA_CLASS_CODE,
                                                        contract::CAMERA_TYPE_CODE, &out);
    c.Expect(out == nullptr, "out does not hold the null that HostNewObject answered");
}

void DisplayName(CheckContext& c)
{
    c.host.InitPrivate();
    c.host.Init();
    c.host.ClearRecords();
    auto getName = c.host.HookAt<contract::GetNameFn>(contract::GET_NAME);
    const std::string name("Lumvet Camera\0\0\0\0\0\0\0", 20);
    for (uint32_t count : {0u, 1u, 4u, 12u, 13u, 14u, 20u}) {
        char buffer[40];
        memset(buffer, 0x7A, sizeof buffer);
        char* answer = getName(0xABCD, buffer, count);
        const std::string at = "count " + std::to_string(count) + ": ";
        c.Expect(answer == buffer, at + "did not answer the destination");
        c.Expect(std::string(buffer, count) == name.substr(0, count), at + "wrong bytes written");
        for (size_t i = count; i < sizeof buffer; ++i)
            if (!c.Expect(buffer[i] == 0x7A, at + "byte " + std::to_string(i) + " was written"))
                break;
    }
    c.Expect(c.host.calls.empty(), "CameraGetName called the host: " + Join(c.host.calls));
}

void ZeroAndKill(CheckContext& c)
{
    c.host.Boot();
    c.host.ClearRecords();
    using ZeroWithArguments = PluginFn<int32_t(uint32_t, uint32_t, uint32_t)>;
    const int32_t zero = c.host.HookAt<contract::ZeroFn>(contract::ZERO)();
    const int32_t zeroWithArguments =
        c.host.HookAt<ZeroWithArguments>(contract::ZERO)(1, 0xFFFFFFFFu, 77);
    c.Expect(zero == 0 && zeroWithArguments == 0, "CameraZero did not answer 0");
    c.host.plugin.kill();
    c.Expect(c.host.calls.empty(), "CameraZero or DLLKill called the host: " + Join(c.host.calls));
    c.Expect(c.host.plugin.getReferenceNumber() == c.host.referenceNumber,
             "DLLKill changed the reference number");
}

void BootInTheHostsOrder(CheckContext& c)
{
    c.host.Boot();
    c.Expect(c.host.displayName == "Lumvet Camera", "display name \"" + c.host.displayName + "\"");
    c.Expect(c.host.instance != nullptr && c.host.objects.size() == 1,
             "the registered type gave no instance");
    c.Expect(c.host.bindings.size() == 9, std::to_string(c.host.bindings.size()) + " keys bound");
    c.Expect(c.host.camerasOn[c.host.userObject].count(contract::CAMERA_TYPE_CODE) == 1,
             "CameraStart did not attach the camera type to the user's aircraft");
}

const std::vector<Check> CHECKS = {
    {"entry-points", &EntryPoints},
    {"init-private-copies-the-table", &InitPrivateCopiesTheTable},
    {"init-private-replaces-table-and-number", &InitPrivateReplacesTableAndNumber},
    {"information-record", &InformationRecord},
    {"hook-slots", &HookSlots},
    {"registration", &Registration},
    {"create-instances", &CreateInstances},
    {"create-ignores-other-codes", &CreateIgnoresOtherCodes},
    {"create-without-a-record", &CreateWithoutARecord},
    {"display-name", &DisplayName},
    {"zero-and-kill", &ZeroAndKill},
    {"boot-in-the-hosts-order", &BootInTheHostsOrder},
};

}  // namespace

const std::vector<Check>& BoundaryChecks()
{
    return CHECKS;
}
