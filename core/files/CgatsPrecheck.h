// What LittleCMS's CGATS reader must not be handed. The reader of Debian 12
// (LittleCMS 2.14) opens any file an include directive names, even when
// reading from memory, and reads past its own tables when NUMBER_OF_FIELDS or
// NUMBER_OF_SETS changes after the format or the data it sized has begun.
// Every CGATS text from outside passes this check first.
#pragma once

#include <cstddef>
#include <string_view>

// True when the text holds none of those: no include directive, and in each
// table (ended by END_DATA) at most one NUMBER_OF_FIELDS, before
// BEGIN_DATA_FORMAT, and at most one NUMBER_OF_SETS, before BEGIN_DATA.
// Keywords are compared without regard to case, as the reader compares them.
// Comments (from '#' to the line's end) and double-quoted strings are text,
// not keywords, so a DESCRIPTOR or a comment may say "include". An include
// directive is INCLUDE, $INCLUDE or .INCLUDE opening a line, or the last two
// anywhere outside a comment or a string, where the reader would still act.
bool cgatsPrecheck(const void* data, std::size_t size);

// The text without a leading UTF-8 byte order mark, which editors on other
// systems put there and the reader does not expect.
std::string_view cgatsText(const void* data, std::size_t size);
