// Fuzzes the readers of the control's persistent state as a container hands
// them over: the bytes of a stream, and a property bag's value as a text and
// as a number. A reader answers the version number only for exactly its own
// form, and leaves the state as it was whenever it fails.
#include "base/CString.h"
#include "control/ControlPersist.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const DWORD kLoaded = CControlPersist::kVersion;

// A state that already holds the version, as a control that loaded once.
CControlPersist LoadedState()
{
    CControlPersist persist;
    BYTE good[CControlPersist::kStreamSize];
    CControlPersist::SaveStream(good);
    if (persist.LoadStream(good, sizeof good) != PersistStatus::Loaded)
        __builtin_trap();
    return persist;
}

// The state after a load: the version on success with a value, nothing on
// success without one, unchanged on failure.
void Check(const CControlPersist& persist, PersistStatus status, DWORD before)
{
    switch (status) {
    case PersistStatus::Loaded:
        if (persist.LoadedVersion() != kLoaded)
            __builtin_trap();
        break;
    case PersistStatus::Nothing:
        if (persist.LoadedVersion() != 0)
            __builtin_trap();
        break;
    default:
        if (persist.LoadedVersion() != before || PersistSucceeded(status))
            __builtin_trap();
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(data);

    // The stream: only exactly the four bytes of the version load.
    for (int start = 0; start < 2; ++start) {
        CControlPersist persist = start == 0 ? CControlPersist() : LoadedState();
        const DWORD before = persist.LoadedVersion();
        const PersistStatus status = persist.LoadStream(size > 0 ? bytes : nullptr, size);
        Check(persist, status, before);
        BYTE own[CControlPersist::kStreamSize];
        CControlPersist::SaveStream(own);
        const bool isOwn = size >= sizeof own && std::memcmp(bytes, own, sizeof own) == 0;
        if ((status == PersistStatus::Loaded) != isOwn)
            __builtin_trap();
        if ((status == PersistStatus::Truncated) != (size > 0 && size < sizeof own))
            __builtin_trap();
    }

    // The bag's value as a text, as a page's parameter arrives.
    CPersistBagValue text;
    text.kind = CPersistBagValue::Text;
    text.text = CString(reinterpret_cast<const char*>(data), static_cast<int>(size));
    for (int start = 0; start < 2; ++start) {
        CControlPersist persist = start == 0 ? CControlPersist() : LoadedState();
        const DWORD before = persist.LoadedVersion();
        const PersistStatus status = persist.LoadBag(text);
        Check(persist, status, before);
        if (status == PersistStatus::Nothing || status == PersistStatus::Truncated)
            __builtin_trap();   // a text is always a value
    }

    // The bag's value as a number, from the first four bytes.
    if (size >= 4) {
        CPersistBagValue number;
        number.kind = CPersistBagValue::Number;
        std::memcpy(&number.number, data, 4);
        CControlPersist persist = LoadedState();
        const PersistStatus status = persist.LoadBag(number);
        Check(persist, status, kLoaded);
        if ((status == PersistStatus::Loaded) != (static_cast<DWORD>(number.number) == kLoaded))
            __builtin_trap();
    }
    return 0;
}
