#include "common/ascii_text.h"

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool EqualIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (Lower(*a) != Lower(*b)) {
            return false;
        }
    }
    return *a == *b;
}
