// What LittleCMS's CGATS reader must not be handed. The reader of Debian 12
// (LittleCMS 2.14) opens any file a "$INCLUDE" line names, even when reading
// from memory, and reads past its own tables when NUMBER_OF_FIELDS or
// NUMBER_OF_SETS changes after the format or the data it sized has begun.
// Every CGATS text from outside passes this check first.
#pragma once

#include <cstddef>

// True when the text holds none of those: no INCLUDE word, and in each table
// (ended by END_DATA) at most one NUMBER_OF_FIELDS, before BEGIN_DATA_FORMAT,
// and at most one NUMBER_OF_SETS, before BEGIN_DATA. Words are compared as
// the reader compares them, without regard to case; a word inside a comment
// or a string counts too, so the check errs on the side of refusing.
bool cgatsPrecheck(const void* data, std::size_t size);
