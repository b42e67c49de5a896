#include "designer/dialogs/DataLinkPrompt.h"

#include "platform/Automation.h"
#include "platform/Database.h"

#include <vector>

const char kDataLinksClass[] = "{2206CDB2-19C1-11D1-89E0-00C04FD7A829}";

DataLinkOutcome PromptDataLink(const CString& strCurrent, long long nOwner, CString& strResult)
{
    const std::vector<AutomationValue> none;
    // The prompt builds ADO connection strings: without an ADO that answers
    // (Wine), what it builds could not be opened, and the picker serves.
    AutomationObjectPtr connection = CreateSystemAdoConnection();
    if (!connection)
        return DataLinkOutcome::Unavailable;
    AutomationObjectPtr links = PlatformCreateAutomationObject(kDataLinksClass);
    if (!links)
        return DataLinkOutcome::Unavailable;
    if (nOwner != 0)
        links->PutProperty("hWnd", AutomationValue::Int(nOwner));
    AutomationValue out;
    if (strCurrent.IsEmpty()) {
        // PromptNew: a new connection object, or nothing when cancelled.
        if (links->CallMethod("PromptNew", none, out) < 0)
            return DataLinkOutcome::Unavailable;
        AutomationValue text;
        if (out.kind != AutomationValue::kObject || out.object->GetProperty("ConnectionString", none, text) < 0 ||
            text.kind != AutomationValue::kText)
            return DataLinkOutcome::Cancelled;
        strResult = text.strText;
        return DataLinkOutcome::Chosen;
    }
    if (connection->PutProperty("ConnectionString", AutomationValue::Text(strCurrent)) < 0)
        return DataLinkOutcome::Unavailable;
    // PromptEdit: TRUE when the user confirmed the edited string.
    if (links->CallMethod("PromptEdit", {AutomationValue::Object(connection)}, out) < 0)
        return DataLinkOutcome::Unavailable;
    AutomationValue text;
    if (!out.IsTrue() || connection->GetProperty("ConnectionString", none, text) < 0 ||
        text.kind != AutomationValue::kText)
        return DataLinkOutcome::Cancelled;
    strResult = text.strText;
    return DataLinkOutcome::Chosen;
}
