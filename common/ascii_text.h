// Character tests for the texts the program reads: its arguments, the typed
// delay and picture names. Only ASCII letters have a case here, so a byte of a
// multi-byte character never matches an ASCII letter, folded or not.
#pragma once

// The C locale's white space: space, tab, line feed, vertical tab, form feed,
// carriage return.
bool IsSpace(char c);

// Whether the two texts are equal once ASCII letters are folded to one case.
bool EqualIgnoringCase(const char* a, const char* b);
