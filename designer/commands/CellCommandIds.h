// Command identifiers of the cell-control family: control types, display
// formats, the cell menu's own commands and the view's property commands.
#pragma once

namespace cellcmd {

const unsigned kControlEdit = 32867;
const unsigned kControlNumeric = 32868;
const unsigned kControlButton = 32869;
const unsigned kControlCheckBox = 32870;
const unsigned kControlCombo = 32871;
const unsigned kControlComboCheck = 32872;
const unsigned kControlDateTime = 32873;
const unsigned kControlUrl = 32874;
const unsigned kControlRichText = 32882;

const unsigned kFormatNumeric = 32875;
const unsigned kFormatCurrency = 32876;
const unsigned kFormatDateTime = 32877;
const unsigned kFormatBoolean = 32878;
const unsigned kFormatPercentage = 32879;
const unsigned kFormatScientific = 32880;

const unsigned kInsertImage = 33022;
const unsigned kPictureList = 33023;
const unsigned kInsertMemo = 33025;
const unsigned kDeleteMemo = 33026;
const unsigned kShowControlText = 32991;
const unsigned kShowFormatText = 33010;
const unsigned kDiagonalRight = 33034;
const unsigned kDiagonalLeft = 33036;
const unsigned kDoubleDiagonalRight = 33038;
const unsigned kDoubleDiagonalLeft = 33039;
const unsigned kFullBorder = 33040;

const unsigned kCellProperties = 32771;
const unsigned kGridProperties = 32774;

}  // namespace cellcmd
