// Fuzzes structural changes of a seeded sheet: the input's bytes choose the
// steps (inserts and deletes single and bulk, sorts, moves, merges, hiding,
// count changes, trees, binds, formulas, ids) and after every step the sheet
// must agree with the model of tests/grid/StructureModel.h: blocks whole with
// their owner's text, trees inside the sheet with valid levels, binds and
// formulas naming the lines they named, ids unique. Nothing may crash.
#include "tests/grid/StructureModel.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    structuremodel::ByteSource source(data, size);
    structuremodel::StructureModel model(source);
    const std::string broken = model.Run(200);
    if (!broken.empty()) {
        std::fprintf(stderr, "%s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
