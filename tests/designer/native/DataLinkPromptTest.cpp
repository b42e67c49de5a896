// The connection dialogs' "创建" through the system's data-link prompt: a
// new data source when the string is empty, an edit of an ADO connection
// holding the string otherwise, and the picker's turn when the component is
// missing or its prompt fails. The component is a recording stand-in put in
// as the platform's automation handler.
#include "designer/dialogs/DataLinkPrompt.h"
#include "platform/Automation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<AutomationValue> Args;

struct Recorder {
    std::vector<std::string> calls;
    bool available = true;
    HRESULT promptResult = kAutomationOk;   // what the prompts answer
    bool confirm = true;                    // the user's choice
    bool ado = true;                        // whether ADO's connection can be made
};

class FakeConnection : public IAutomationObject {
public:
    explicit FakeConnection(Recorder* r) : m_r(r) {}
    std::string text;
    HRESULT GetProperty(LPCTSTR name, const Args&, AutomationValue& out) override
    {
        const std::string n = name;
        if (n == "State") {
            out = AutomationValue::Int(0);
            return kAutomationOk;
        }
        m_r->calls.push_back("get Connection." + n);
        out = AutomationValue::Text(text.c_str());
        return n == "ConnectionString" ? kAutomationOk : kAutomationUnknownName;
    }
    HRESULT PutProperty(LPCTSTR name, const AutomationValue& v) override
    {
        m_r->calls.push_back(std::string("put Connection.") + name + "=" + v.strText.GetString());
        text = v.strText.GetString();
        return kAutomationOk;
    }
    HRESULT CallMethod(LPCTSTR, const Args&, AutomationValue&) override { return kAutomationUnknownName; }

private:
    Recorder* m_r;
};

class FakeDataLinks : public IAutomationObject {
public:
    explicit FakeDataLinks(Recorder* r) : m_r(r) {}
    HRESULT GetProperty(LPCTSTR, const Args&, AutomationValue&) override { return kAutomationUnknownName; }
    HRESULT PutProperty(LPCTSTR name, const AutomationValue& v) override
    {
        m_r->calls.push_back(std::string("put DataLinks.") + name + "=" + std::to_string(v.nInt));
        return kAutomationOk;
    }
    HRESULT CallMethod(LPCTSTR name, const Args& args, AutomationValue& out) override
    {
        const std::string n = name;
        m_r->calls.push_back("call DataLinks." + n + "(" + std::to_string(args.size()) + ")");
        if (m_r->promptResult != kAutomationOk)
            return m_r->promptResult;
        if (n == "PromptNew") {
            if (m_r->confirm) {
                auto c = std::make_shared<FakeConnection>(m_r);
                c->text = "Provider=SQLOLEDB.1;Data Source=srv;";
                out = AutomationValue::Object(c);
            }
            return kAutomationOk;
        }
        if (n == "PromptEdit" && args.size() == 1 && args[0].kind == AutomationValue::kObject) {
            auto* c = dynamic_cast<FakeConnection*>(args[0].object.get());
            if (c != nullptr && m_r->confirm)
                c->text += "Initial Catalog=sales;";
            out = AutomationValue::Bool(m_r->confirm);
            return kAutomationOk;
        }
        return kAutomationUnknownName;
    }

private:
    Recorder* m_r;
};

class WithDataLinks {
public:
    explicit WithDataLinks(Recorder* r)
    {
        m_old = SetPlatformAutomationHandler([r](LPCTSTR id) -> AutomationObjectPtr {
            const std::string progId = id;
            r->calls.push_back("create " + progId);
            if (!r->available && progId != "ADODB.Connection")
                return nullptr;
            if (!r->ado && progId == "ADODB.Connection")
                return nullptr;
            if (progId == kDataLinksClass)
                return std::make_shared<FakeDataLinks>(r);
            if (progId == "ADODB.Connection")
                return std::make_shared<FakeConnection>(r);
            return nullptr;
        });
    }
    ~WithDataLinks() { SetPlatformAutomationHandler(m_old); }

private:
    PlatformAutomationHandler m_old;
};

}  // namespace

TEST(DataLinkPrompt, NewEditCancelAndThePickersTurn)
{
    struct Case {
        const char* name;
        const char* current;
        bool ado;
        bool available;
        HRESULT promptResult;
        bool confirm;
        DataLinkOutcome outcome;
        const char* result;
        std::vector<std::string> calls;
    };
    const HRESULT notImplemented = static_cast<HRESULT>(0x80004001u);
    const std::string ado = "create ADODB.Connection";
    const std::string links = "create {2206CDB2-19C1-11D1-89E0-00C04FD7A829}";
    const Case cases[] = {
        {"new", "", true, true, kAutomationOk, true, DataLinkOutcome::Chosen, "Provider=SQLOLEDB.1;Data Source=srv;",
         {ado, links, "put DataLinks.hWnd=77", "call DataLinks.PromptNew(0)", "get Connection.ConnectionString"}},
        {"new cancelled", "", true, true, kAutomationOk, false, DataLinkOutcome::Cancelled, "",
         {ado, links, "put DataLinks.hWnd=77", "call DataLinks.PromptNew(0)"}},
        {"edit", "Provider=SQLOLEDB.1;Data Source=srv;", true, true, kAutomationOk, true, DataLinkOutcome::Chosen,
         "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=sales;",
         {ado, links, "put DataLinks.hWnd=77", "put Connection.ConnectionString=Provider=SQLOLEDB.1;Data Source=srv;",
          "call DataLinks.PromptEdit(1)", "get Connection.ConnectionString"}},
        {"edit cancelled", "DSN=x;", true, true, kAutomationOk, false, DataLinkOutcome::Cancelled, "",
         {ado, links, "put DataLinks.hWnd=77", "put Connection.ConnectionString=DSN=x;",
          "call DataLinks.PromptEdit(1)"}},
        {"no ADO", "DSN=x;", false, true, kAutomationOk, true, DataLinkOutcome::Unavailable, "", {ado}},
        {"no component", "DSN=x;", true, false, kAutomationOk, true, DataLinkOutcome::Unavailable, "", {ado, links}},
        {"prompt fails", "", true, true, notImplemented, true, DataLinkOutcome::Unavailable, "",
         {ado, links, "put DataLinks.hWnd=77", "call DataLinks.PromptNew(0)"}},
    };
    for (const Case& c : cases) {
        Recorder r;
        r.ado = c.ado;
        r.available = c.available;
        r.promptResult = c.promptResult;
        r.confirm = c.confirm;
        WithDataLinks links(&r);
        CString result;
        EXPECT_EQ(static_cast<int>(c.outcome), static_cast<int>(PromptDataLink(c.current, 77, result))) << c.name;
        EXPECT_STREQ(c.result, result) << c.name;
        EXPECT_EQ(c.calls, r.calls) << c.name;
    }
}
