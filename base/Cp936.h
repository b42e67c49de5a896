// Code page 936 (GBK): character stepping, comparison, ASCII-only case mapping
// and conversion to and from UTF-16.
//
// A byte 0x81..0xFE is a lead byte; followed by any further byte of the text it
// forms one two-byte character (the stepping functions do not judge whether the
// pair is a valid code). A lead byte at the very end of a text is a character
// of one byte. Every function takes explicit lengths or stops at NUL and never
// reads outside the text.
//
// Conversion to UTF-16: bytes 0x00..0x7F map to themselves, 0x80 to the euro sign
// U+20AC, 0xFF to U+F8F5, pairs to their code (the user-defined areas AAA1-AFFE,
// F8A1-FEFE and A140-A7A0 to the private-use characters U+E000..U+E765). Anything
// else becomes U+FFFD: a lead byte whose next byte is not a possible trail byte
// (0x40..0x7E, 0x80..0xFE) gives U+FFFD and the next byte is read afresh; a
// well-formed pair with no character gives one U+FFFD; a lead byte at the end
// gives U+FFFD.
// Conversion from UTF-16: characters without a code become '?' (one per
// character; a valid surrogate pair counts as one character, a lone surrogate as
// one). U+F8F5 becomes 0xFF again, so every byte text that is valid code page 936
// survives the round trip.
#pragma once

#include <string>

namespace cp936 {

inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }
// A byte that may follow a lead byte in a valid pair.
inline bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// Bytes (1 or 2) of the character at pos in s[0, len); 0 when pos is outside.
int CharLength(const char* s, int len, int pos);
// Position of the next character after pos (never past len).
int NextChar(const char* s, int len, int pos);
// Start of the character before pos (0 when pos <= 0); scans from the start,
// because a trail byte cannot be told from a lead byte by looking backwards.
int PrevChar(const char* s, int len, int pos);
// Whether pos is the start of a character (pos == len counts as one).
bool IsCharBoundary(const char* s, int len, int pos);
// Number of characters in s[0, len).
int CharCount(const char* s, int len);

// Three-way compare of character units (a two-byte character is lead << 8 | trail,
// so every two-byte character sorts after every single byte). Answers <0, 0, >0.
int MbsCompare(const char* a, int alen, const char* b, int blen);
int MbsCompare(const char* a, const char* b);          // NUL-terminated; NULL as ""
// As MbsCompare with ASCII letters compared as lower case.
int MbsCompareNoCase(const char* a, int alen, const char* b, int blen);
int MbsCompareNoCase(const char* a, const char* b);

// ASCII letters of single-byte characters only; trail bytes are left alone.
void ToUpper(char* s, int len);
void ToLower(char* s, int len);
void ToUpper(std::string& s);
void ToLower(std::string& s);

// Conversions (see above). len < 0 means up to the terminating NUL.
std::u16string ToUtf16(const char* s, int len = -1);
std::u16string ToUtf16(const std::string& s);
std::string FromUtf16(const char16_t* s, int len = -1);
std::string FromUtf16(const std::u16string& s);

// One character: DecodeByte gives the UTF-16 unit of a single byte, DecodePair
// that of a lead/trail pair (0xFFFD when there is none); EncodeChar gives the
// code page bytes of one UTF-16 unit: a single byte answers a value < 0x100, a
// pair answers lead << 8 | trail, no code answers 0x10000.
char16_t DecodeByte(unsigned char b);
char16_t DecodePair(unsigned char lead, unsigned char trail);
unsigned EncodeChar(char16_t ch);
const unsigned kNoCode = 0x10000;

}  // namespace cp936
