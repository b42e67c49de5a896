#include "cellcontent/AttributeKeywords.h"

#include <string>
#include <unordered_set>

namespace {

const char* const kKeywords[] = {
    // Display formats.
    "datatype", "morethancolor", "morethan", "lessthan", "lessthancolor", "samecolor", "same", "seplen",
    "separator", "decimal", "displayminus", "symbol", "backsymbol", "chinesecaption", "pointfrontsymbol",
    "pointbacksymbol1", "pointbacksymbol2", "pointsymbol", "lastsymbol", "minusymbol", "accountingnone",
    "truevalue", "falsevalue", "yearsymbol", "monthsymbol", "daysymbol", "hoursymbol", "minutesymbol",
    "secondsymbol", "yearseq", "monthseq", "dayseq", "hourseq", "minuteseq", "secondseq", "yeardisplay",
    "monthdisplay", "daydisplay", "hourdisplay", "minutedisplay", "seconddisplay", "yeardecimal",
    "monthdecimal", "daydecimal", "hourdecimal", "minutedecimal", "seconddecimal", "dayhoursymbol",
    // Fonts.
    "charset", "fontname", "italic", "orientation", "strikeout", "weight", "fontsize", "underline",
    // Control settings, commands and queries shared by the cell types.
    "controltype", "inputtype", "limit", "inputmin", "inputmax", "style", "displaystyle", "datasource",
    "leavetype", "listheight", "ismatch",
    // List cells.
    "setitem", "delitem", "setcurrentitem", "getcurrentindex", "getcurrentitem", "delitemindex", "getitem",
    "getitemindex", "sort", "insertitem", "autodropdown",
    // Check cells.
    "setcheck", "getcheck", "enablecheck", "sidecolor", "tickcolor", "bgcolor", "size", "align", "showtext",
    "getcheckcount", "selectall", "cancelall", "invertselect", "itemspliter",
    // Date-time cells.
    "dttype", "dataformat", "splitertype", "datetimestyle",
    // Link cells.
    "openurl", "openmode", "urlcolor", "url",
    // Button cells.
    "btnwidth", "btntextalign", "btnimgindex", "btnimgfocusedindex", "btnimgpressedindex", "btnimghotindex",
    "btnimgdisabledindex", "textimagepos", "btntext", "disable", "arrangestyle", "ismarign", "getstate",
    "setstate", "getcount", "getstyle", "getsubstyle",
    // Tree cells.
    "treerow", "startrow", "treecolumn", "linecolor", "linestyle", "boxsize", "boxlinecolor", "boxlinestyle",
    "boxbgcolor", "showrectangle", "gettreelevel", "showline", "inserttree", "deletetree", "getrowcount",
    "haschild", "getstate", "collapsetree", "expandtree", "expandsubtrees", "getstartrow", "ischild",
    // Image cells.
    "index", "sizetype", "userheight", "userwidth", "offsetleft", "offsettop", "offsetright", "offsetbottom",
};

const int kKeywordCount = static_cast<int>(sizeof(kKeywords) / sizeof(kKeywords[0]));

// Built once, on first use; the table itself is constant data.
const std::unordered_set<std::string>& KeywordSet()
{
    static const std::unordered_set<std::string> set(kKeywords, kKeywords + kKeywordCount);
    return set;
}

}  // namespace

int GetAttributeKeywordCount()
{
    return kKeywordCount;
}

LPCTSTR GetAttributeKeyword(int index)
{
    if (index < 0 || index >= kKeywordCount)
        return nullptr;
    return kKeywords[index];
}

BOOL IsAttributeKeyword(LPCTSTR token)
{
    if (token == nullptr)
        return FALSE;
    return KeywordSet().count(token) != 0 ? TRUE : FALSE;
}
