// The control's persistent state and its two stored forms.
//
// The control keeps no property of its own beyond its version number,
// 0x10000; a sheet's content moves only through the file, string and stream
// members. A container stores the number either in a stream (IPersistStream-
// Init: the number as 4 bytes, little-endian, and nothing more) or in a
// property bag (IPersistPropertyBag: a 4-byte integer named "_Version"). The
// COM layer reads the raw stream bytes or the bag's value and hands them to
// the readers here, which check them and change the state only when they hold
// the control's own version number.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstddef>

// What a reader found.
enum class PersistStatus {
    Loaded,        // the control's version number
    Nothing,       // nothing stored (an empty stream, no value in the bag): the defaults stand
    Truncated,     // a stream shorter than the version number
    WrongVersion,  // a number that is not the control's version
    NotANumber,    // a bag value that is no number
};

// Loaded and Nothing are successes; the others leave the state as it was.
inline bool PersistSucceeded(PersistStatus status)
{
    return status == PersistStatus::Loaded || status == PersistStatus::Nothing;
}

// The value a property bag holds under the version's name.
struct CPersistBagValue {
    enum Kind {
        Missing,   // the bag has no such value
        Number,    // an integer value (number)
        Text,      // a text value (text), as pages write their parameters
        Other,     // any other kind of value
    };
    Kind kind = Missing;
    LONG number = 0;
    CString text;
};

class CControlPersist {
public:
    // The version number the control writes.
    static const DWORD kVersion = 0x10000;
    // Bytes of the stream form.
    static const size_t kStreamSize = 4;
    // Name of the version number in a property bag.
    static const char* VersionName() { return "_Version"; }

    // The version number the last successful load found (0: none yet, or
    // the last load found nothing stored).
    DWORD LoadedVersion() const { return m_loadedVersion; }

    // Reads the stream form from the first bytes of data (size bytes there;
    // bytes after the version number belong to whatever follows it in the
    // container's stream and are not looked at).
    PersistStatus LoadStream(const BYTE* data, size_t size);
    // The stream form of the version number.
    static void SaveStream(BYTE out[kStreamSize]);

    // Reads the property-bag form. A text is a decimal number with optional
    // blanks around it and an optional sign.
    PersistStatus LoadBag(const CPersistBagValue& value);
    // The value the control writes into a bag.
    static LONG BagNumber() { return static_cast<LONG>(kVersion); }

    // A new control (InitNew): nothing loaded.
    void Reset() { m_loadedVersion = 0; }

private:
    PersistStatus Take(DWORD version);
    PersistStatus TakeNothing();

    DWORD m_loadedVersion = 0;
};
