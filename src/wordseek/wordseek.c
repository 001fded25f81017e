/* Byte-wise keyword matching. Nothing here knows about multibyte encodings: a match
 * may start anywhere, and folding touches only the ASCII letters, so a byte of a
 * UTF-8 sequence (always 0x80 or above) or a full-width letter compares exactly. */
#include "wordseek.h"

#include <string.h>

static unsigned char FoldByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? (unsigned char)(c - 0x20) : c;
}

/* Keyword bytes are never NUL, so reaching the end of the text before the end of
 * the keyword is a mismatch; the explicit test keeps the walk inside the text. */
static int StartsWithNoCase(const unsigned char* text, const unsigned char* keyword)
{
    for (; *keyword != 0; ++keyword, ++text) {
        if (*text == *keyword)
            continue;
        if (*text == 0 || FoldByte(*text) != FoldByte(*keyword))
            return 0;
    }
    return 1;
}

static int ContainsNoCase(const char* text, const char* keyword)
{
    const unsigned char* t = (const unsigned char*)text;
    const unsigned char* k = (const unsigned char*)keyword;
    for (; *t != 0; ++t) {
        if (StartsWithNoCase(t, k))
            return 1;
    }
    return 0;
}

static int Contains(const char* text, const char* keyword, int32_t caseFlag)
{
    if (caseFlag != 0)
        return ContainsNoCase(text, keyword);
    return strstr(text, keyword) != NULL;
}

WORDSEEK_API int32_t QueryMemo(const char* text, const char* keywords, int32_t caseFlag,
                               int32_t andFlag)
{
    int32_t answer = 0;
    const char* keyword;
    if (text == NULL)
        text = "";
    if (keywords == NULL)
        return 0;
    /* An AND search ends at the first keyword missing, an OR search at the first
     * one found; otherwise the last keyword's result is the answer. */
    for (keyword = keywords; *keyword != '\0'; keyword += strlen(keyword) + 1) {
        int found = Contains(text, keyword, caseFlag);
        answer = found ? -1 : 0;
        if ((andFlag != 0) != (found != 0))
            break;
    }
    return answer;
}

WORDSEEK_API void* QueryFunction(const char* name)
{
    /* ISO C has no cast from a function pointer to void*; copying the bytes is the
     * portable form of what dlsym() hands out. */
    WordseekQueryMemoFn function = QueryMemo;
    void* address = NULL;
    if (name == NULL || strcmp(name, "QueryMemo") != 0)
        return NULL;
    memcpy(&address, &function, sizeof address);
    return address;
}

_Static_assert(sizeof(WordseekQueryMemoFn) == sizeof(void*),
               "QueryFunction hands out a function address as void*");
