#include "designer/dialogs/TemplateTestDlg.h"

namespace {
long SecondsOfDay(const CClockTime& t) { return (t.hour * 60L + t.minute) * 60L + t.second; }
}  // namespace

long LoadElapsedMs(const CClockTime& start, const CClockTime& end)
{
    long ms = (SecondsOfDay(end) - SecondsOfDay(start)) * 1000L + end.millisecond - start.millisecond;
    if (ms < 0)
        ms += 24L * 60L * 60L * 1000L;
    return ms;
}

CString LoadTestText(const CClockTime& start, const CClockTime& end)
{
    CString s("第一次测试模板加载速度,由于需要启动ADO组件,会影响一定的速度.您可以再次运行以确认正常状态下的加载速度\r\n\n"
              "速度测试结果:\n\t");
    s.AppendFormat("开始时间:%.2d时:%.2d分:%.2d秒:%d毫秒\n\t", start.hour, start.minute, start.second,
                   start.millisecond);
    s.AppendFormat("结束时间:%.2d时:%.2d分:%.2d秒:%d毫秒\n\t", end.hour, end.minute, end.second, end.millisecond);
    s.AppendFormat("-------------------------------------------------------------\n\r总消耗时间: %d (毫秒)\n\t",
                   static_cast<int>(LoadElapsedMs(start, end)));
    return s;
}
