// The typed cell classes the editor-hook installer registers: the grid makes
// them from a type number, a control word and a class name, and the tests'
// stand-in cells step aside for them.
#include "cells/GridCellNumeric.h"
#include "cells/GridURLCell.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/GridCellButton.h"
#include "grid/GridCellCheck.h"

#include "GridTestUtil.h"
#include "StandInCells.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::MakeSheet;
using gridtest::ScopedStandIn;

namespace {

template <class Cell>
bool Is(CGridCellBase* cell)
{
    return dynamic_cast<Cell*>(cell) != nullptr;
}

TEST(TypedCellClasses, MadeByNumberWordAndName)
{
    InstallInPlaceEditHooks();
    struct Case {
        int type;
        const char* word;
        bool (*is)(CGridCellBase*);
    } cases[] = {
        {GCT_CHECKBOX, "checkbox", &Is<CGridCellCheck>},
        {GCT_BUTTON, "button", &Is<CGridCellButton>},
        {GCT_NUMERIC, "numeric", &Is<CGridCellNumeric>},
        {GCT_URL, "url", &Is<CGridURLCell>},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        auto grid = MakeSheet(5, 5, 1, 1);
        grid->SetCellText(1, 1, "kept");
        ASSERT_TRUE(grid->SetCellType(1, 1, c.type));
        EXPECT_TRUE(c.is(grid->GetCell(1, 1)));
        EXPECT_EQ(c.type, grid->GetCellType(1, 1));
        EXPECT_EQ("kept", gridtest::Text(*grid, 1, 1));

        const std::string control = std::string("<control controltype = \"") + c.word + "\" ></control>";
        ASSERT_TRUE(grid->SetCellControl(2, 2, control.c_str()));
        EXPECT_TRUE(c.is(grid->GetCell(2, 2)));
        EXPECT_EQ(c.word,
                  std::string(CXmlElement(grid->GetCellControl(2, 2), "control").GetAttribute("controltype")));

        ASSERT_TRUE(grid->SetCellType(3, 3, CRuntimeClass::FromName(GetCellTypeClassName(c.type))));
        EXPECT_TRUE(c.is(grid->GetCell(3, 3)));
    }
}

TEST(TypedCellClasses, StandInsStepAsideForTheRealClasses)
{
    InstallInPlaceEditHooks();
    EXPECT_TRUE(ScopedStandIn<GCT_CHECKBOX>::RealClassPresent());
    EXPECT_TRUE(ScopedStandIn<GCT_BUTTON>::RealClassPresent());
    EXPECT_TRUE(ScopedStandIn<GCT_NUMERIC>::RealClassPresent());
    EXPECT_TRUE(ScopedStandIn<GCT_URL>::RealClassPresent());
    ScopedStandIn<GCT_CHECKBOX> check;
    auto grid = MakeSheet(4, 4, 1, 1);
    ASSERT_TRUE(grid->SetCellType(1, 1, GCT_CHECKBOX));
    EXPECT_TRUE(Is<CGridCellCheck>(grid->GetCell(1, 1)));
}

}  // namespace
