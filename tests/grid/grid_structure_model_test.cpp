// Random sequences of structural changes on a seeded sheet, checked after
// every step against a model of where each logical line went (see
// StructureModel.h). A bounded number of fixed seeds runs here; the fuzz
// target structure_model_fuzz runs the same model on a fuzzer's choices.
#include "StructureModel.h"

#include <gtest/gtest.h>

TEST(StructureModel, RandomStructuralChangesKeepTheSheetWhole)
{
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        structuremodel::LcgSource source(seed * 2654435761u);
        structuremodel::StructureModel model(source);
        const std::string broken = model.Run(60);
        ASSERT_EQ("", broken) << "seed " << seed;
    }
}
