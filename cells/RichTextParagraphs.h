// Paragraph arithmetic over a rich-text document's text.
//
// The text is the text services' own (one character per paragraph break):
// every CR, every LF and every CR LF pair is one break. Paragraphs are
// numbered from 0; an empty text has none, any other text has one more than
// it has breaks (a text ending in a break ends with an empty paragraph).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <string>

namespace richtext {

// The number of paragraphs: 0 for an empty text, else breaks + 1.
LONG ParagraphCount(const std::u16string& text);
// The index of paragraph n's first character; -1 when it does not exist.
LONG ParagraphStart(const std::u16string& text, LONG n);
// Paragraph n's characters with its break; 0 when it does not exist.
LONG ParagraphLength(const std::u16string& text, LONG n);
// The paragraph holding position p: the breaks before it (a position past the
// end counts them all); -1 for a negative position.
LONG ParagraphOfPosition(const std::u16string& text, LONG p);
// The character range of paragraphs first..last (start, end); FALSE when
// first < 0, last < first or either paragraph does not exist.
BOOL ParagraphRange(const std::u16string& text, LONG first, LONG last, LONG& start, LONG& end);

// Characters start..end of the text converted to the ANSI code page into a
// caller's buffer of nBufferSize bytes: at most nBufferSize - 1 bytes, cut at
// a character boundary, then a zero. The number of bytes copied.
LONG CopyRange(const std::u16string& text, LONG start, LONG end, LPTSTR pszBuffer, int nBufferSize);

}  // namespace richtext
