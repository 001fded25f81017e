/* Wordseek: does a comment text contain a set of keywords?
 *
 * The library is stateless and thread-safe: every call reads its arguments only
 * while it runs, keeps no pointer to them and allocates nothing.
 * Matching works on bytes; the host decides the encoding (Tollamar passes UTF-8). */
#ifndef WORDSEEK_H
#define WORDSEEK_H

#include <stdint.h>

#if defined(__GNUC__) || defined(__clang__)
#define WORDSEEK_API __attribute__((visibility("default")))
#else
#define WORDSEEK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The signature of QueryMemo, for hosts that look it up through QueryFunction. */
typedef int32_t (*WordseekQueryMemoFn)(const char* text, const char* keywords,
                                       int32_t caseFlag, int32_t andFlag);

/* Returns -1 when the keywords occur in text, else 0.
 * text: NUL-terminated bytes owned by the caller; NULL counts as the empty text.
 * keywords: caller-owned block of NUL-terminated keywords laid end to end and ended
 *   by an empty string ("sea\0boat\0\0"); the list stops at the first empty string,
 *   and a block that starts with one (or NULL) matches nothing.
 * caseFlag: 0 compares bytes exactly; non-zero also takes a-z and A-Z as equal
 *   (ASCII letters only).
 * andFlag: non-zero needs every keyword; 0 needs one of them. */
WORDSEEK_API int32_t QueryMemo(const char* text, const char* keywords, int32_t caseFlag,
                               int32_t andFlag);

/* Returns the address of QueryMemo (a WordseekQueryMemoFn) when name is exactly
 * "QueryMemo", else NULL (NULL name included). name is owned by the caller; the
 * returned address belongs to the library and stays valid while it is loaded. */
WORDSEEK_API void* QueryFunction(const char* name);

#ifdef __cplusplus
}
#endif

#endif /* WORDSEEK_H */
