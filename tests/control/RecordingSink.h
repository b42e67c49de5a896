// An event sink that records every fired event and may answer by-reference
// arguments, as a host's handler would.
#pragma once

#include "control/KivoSheetEvents.gen.h"

#include <functional>
#include <string>
#include <vector>

struct FiredEvent {
    LONG dispid;
    std::string name;
    std::vector<CDispArg> args;
};

class RecordingSink : public CKivoSheetEventSink {
public:
    void FireEvent(const CMemberInfo& event, CDispArg* args) override
    {
        FiredEvent e{event.dispid, event.name, {}};
        if (answer)
            answer(event, args);
        for (int i = 0; i < event.argc; ++i)
            e.args.push_back(args[i]);
        fired.push_back(e);
    }

    std::vector<FiredEvent> fired;
    // Called before recording; may write by-reference arguments.
    std::function<void(const CMemberInfo&, CDispArg*)> answer;
};

// The value of an argument as a number, whatever its kind.
inline double ArgNumber(const CDispArg& a)
{
    switch (a.type) {
    case DispType::Short:
    case DispType::RefShort:
        return a.s;
    case DispType::Long:
    case DispType::RefLong:
        return a.l;
    case DispType::Double:
    case DispType::RefDouble:
        return a.d;
    default:
        return 0;
    }
}
