// The grid's private clipboard stream ("KivoSheetClip"): the cells of a copied
// range with their tagged records, then optionally the range's column widths
// and row heights. All integers are little-endian int32.
//
//   for each existing non-fixed cell of the range, row by row:
//       kind (GridCellType), source row, source column, record size
//       (GetRecordSize), then the cell's tagged record unless the kind is 7
//       (tree cell) or the size is 0
//   1024                                   end of cells
//   2048 when sizes follow, else 2051
//   2049, count, count + 1 width entries   when widths are carried, else 2051
//   2050, count, count + 1 height entries  when heights are carried, else 2051
//   2112                                   end of stream
//
// A width or height entry is three values: the line's index in the source
// grid, its size in pixels, and 1; a reader uses only the size. The count is
// the number of entries minus one (last - first of the range).
//
// The record size is the cell's declared size, which a record whose inner
// level is empty exceeds by that level's size and end words (see
// GridCellBase.h): a reader finds a record's end by reading the record, and
// skips by the declared size only a record of a kind it cannot read.
#pragma once

namespace gridclip {

const int kEndOfCells = 1024;
const int kSizesFollow = 2048;
const int kWidths = 2049;
const int kHeights = 2050;
const int kNoSection = 2051;
const int kEndOfStream = 2112;

// Which size sections a stream carries, by the grid's size option.
inline bool CarriesWidths(int nSizeOption) { return nSizeOption == 2 || nSizeOption == 3; }
inline bool CarriesHeights(int nSizeOption) { return nSizeOption == 1 || nSizeOption == 3; }

}  // namespace gridclip
