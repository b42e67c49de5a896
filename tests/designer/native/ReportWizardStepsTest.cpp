// The report wizard's steps: captions and buttons of each step, Next moving
// only after a page's create succeeded and handing its names to the next
// page, Back and Skip kept within the steps, and the finish writing markers
// only when asked.
#include "designer/dialogs/ReportWizard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FakePages : IWizardPages {
    bool connectionOk = true, dataSetOk = true, bindOk = true, markers = true;
    std::vector<std::string> calls;

    bool CreateConnection(CString& conn) override
    {
        calls.push_back("CreateConnection");
        conn = "conn1";
        return connectionOk;
    }
    void SetConnection(const CString& conn) override { calls.push_back("SetConnection " + conn.Str()); }
    bool CreateDataSet(CString& conn, CString& ds) override
    {
        calls.push_back("CreateDataSet");
        conn = "conn1";
        ds = "DataSet1";
        return dataSetOk;
    }
    void LoadBindConnections(const CString& conn, const CString& ds) override
    {
        calls.push_back("LoadBindConnections " + conn.Str() + " " + ds.Str());
    }
    bool CreateBind(CString& bind) override
    {
        calls.push_back("CreateBind");
        bind = "Bind1";
        return bindOk;
    }
    void SetBind(const CString& bind) override { calls.push_back("SetBind " + bind.Str()); }
    bool MarkersChecked() override { return markers; }
    void WriteMarkers() override { calls.push_back("WriteMarkers"); }
};

TEST(ReportWizardSteps, TableOfCaptionsAndButtons)
{
    struct Row {
        const char* caption;
        bool skip, back, next, cancel;
        const char* nextText;
    } rows[] = {
        {"报表向导--向导说明(第1步/共5步)", false, false, true, true, "下一步(&N)"},
        {"报表向导--创建数据源(第2步/共5步)", true, true, true, true, "下一步(&N)"},
        {"报表向导--创建数据集(第3步/共5步)", true, true, true, true, "下一步(&N)"},
        {"报表向导--创建绑定对象(第4步/共5步)", true, true, true, true, "下一步(&N)"},
        {"报表向导--创建绑定字段(第5步/共5步)", false, true, true, false, "完成"},
    };
    CReportWizardDlg w;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(i, w.Step());
        const WizardStep& s = w.Current();
        EXPECT_STREQ(rows[i].caption, s.caption);
        EXPECT_EQ(rows[i].skip, s.showSkip);
        EXPECT_EQ(rows[i].back, s.showBack);
        EXPECT_EQ(rows[i].next, s.showNext);
        EXPECT_EQ(rows[i].cancel, s.enableCancel);
        EXPECT_STREQ(rows[i].nextText, s.nextText);
        w.Skip();
    }
    EXPECT_EQ(239u, w.DialogId());
    EXPECT_EQ(0u, WizardExplanation().Find("向导说明:\r\n\t本向导"));
}

TEST(ReportWizardSteps, NextMovesOnlyAfterSuccessfulCreate)
{
    FakePages pages;
    pages.connectionOk = false;
    CReportWizardDlg w;
    EXPECT_EQ(CReportWizardDlg::Moved, w.Next(pages));   // the explanation needs nothing
    EXPECT_TRUE(pages.calls.empty());
    EXPECT_EQ(CReportWizardDlg::Stayed, w.Next(pages));
    EXPECT_EQ(1, w.Step());
    pages.connectionOk = true;
    pages.dataSetOk = false;
    EXPECT_EQ(CReportWizardDlg::Moved, w.Next(pages));
    EXPECT_EQ(CReportWizardDlg::Stayed, w.Next(pages));
    EXPECT_EQ(2, w.Step());
    pages.dataSetOk = true;
    pages.bindOk = false;
    EXPECT_EQ(CReportWizardDlg::Moved, w.Next(pages));
    EXPECT_EQ(CReportWizardDlg::Stayed, w.Next(pages));
    EXPECT_EQ(3, w.Step());
    pages.bindOk = true;
    EXPECT_EQ(CReportWizardDlg::Moved, w.Next(pages));
    EXPECT_EQ(4, w.Step());
    EXPECT_EQ(CReportWizardDlg::Finished, w.Next(pages));
    EXPECT_EQ(4, w.Step());
    const std::vector<std::string> expected = {
        "CreateConnection", "CreateConnection", "SetConnection conn1", "CreateDataSet", "CreateDataSet",
        "LoadBindConnections conn1 DataSet1", "CreateBind", "CreateBind", "SetBind Bind1", "WriteMarkers"};
    EXPECT_EQ(expected, pages.calls);
}

TEST(ReportWizardSteps, BackAndSkipStayWithinTheStepsAndCreateNothing)
{
    FakePages pages;
    CReportWizardDlg w;
    w.Back();
    EXPECT_EQ(0, w.Step());
    for (int i = 0; i < 7; ++i)
        w.Skip();
    EXPECT_EQ(4, w.Step());
    w.Back();
    w.Back();
    EXPECT_EQ(2, w.Step());
    EXPECT_TRUE(pages.calls.empty());
    // Back from the binding step to the data source and Next again runs the
    // data source page's create once more (it updates the same connection).
    w.Back();
    EXPECT_EQ(CReportWizardDlg::Moved, w.Next(pages));
    EXPECT_EQ((std::vector<std::string>{"CreateConnection", "SetConnection conn1"}), pages.calls);
}

TEST(ReportWizardSteps, FinishWithoutMarkersWritesNothing)
{
    FakePages pages;
    pages.markers = false;
    CReportWizardDlg w;
    for (int i = 0; i < 4; ++i)
        w.Skip();
    EXPECT_EQ(CReportWizardDlg::Finished, w.Next(pages));
    EXPECT_TRUE(pages.calls.empty());
}

}  // namespace
