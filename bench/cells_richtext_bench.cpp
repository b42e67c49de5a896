// Rich-text cells: 100,000 characters loaded into a locked cell's host and
// read back, through each way content comes in (plain text, RTF, inserted at
// the caret and at a position).
#include "cells/GridCellRichText.h"
#include "cells/InPlaceEditHooks.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Words(size_t count)
{
    std::string text;
    text.reserve(count);
    for (size_t i = 0; text.size() < count; ++i)
        text += (i % 12 == 11) ? ' ' : static_cast<char>('a' + i % 26);
    return text;
}

enum Path { kSetText, kSetRtf, kInsertText, kInsertTextEx };

void BM_RichText100k(benchmark::State& state)
{
    InstallInPlaceEditHooks();
    const std::string text = Words(100000);
    const std::string rtf = "{\\rtf1\\ansi " + text + "}";
    CGridCellSuperEdit cell;
    if (!cell.SELockContent()) {
        state.SkipWithError("no rich-text host");
        return;
    }
    // Text put in at the caret counts against the limit (32767 by default).
    cell.SECtrlSetTextLimit(1 << 20);
    for (auto _ : state) {
        switch (static_cast<Path>(state.range(0))) {
        case kSetText:
            cell.SECtrlSetText(text.c_str());
            break;
        case kSetRtf:
            cell.SECtrlSetRTF(rtf.c_str());
            break;
        case kInsertText:
            cell.SECtrlSetText("");
            cell.SECtrlInsertText(text.c_str());
            break;
        case kInsertTextEx:
            cell.SECtrlSetText("");
            cell.SECtrlInsertTextEx(0, text.c_str());
            break;
        }
        const CString back = cell.SECtrlGetText();
        if (static_cast<size_t>(back.GetLength()) != text.size())
            state.SkipWithError("the text did not come back whole");
        benchmark::DoNotOptimize(back);
    }
    cell.SEUnlockContent();
}
BENCHMARK(BM_RichText100k)
    ->Arg(kSetText)
    ->Arg(kSetRtf)
    ->Arg(kInsertText)
    ->Arg(kInsertTextEx)
    ->ArgName("path")
    ->Unit(benchmark::kMillisecond);

}  // namespace
