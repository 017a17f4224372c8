#pragma once

// Programming errors (a malformed constant, an impossible index) stop the program with the
// condition's text, in every build type: continuing would corrupt the instance.
[[noreturn]] void QuilAssertFailed(const char* text, const char* file, int line);

#define QUIL_ASSERT_TEXT(condition, text) ((condition) ? (void)0 : QuilAssertFailed(text, __FILE__, __LINE__))
#define QUIL_ASSERT(condition) QUIL_ASSERT_TEXT(condition, #condition)
