/* A C host that finds the matcher by name, as a plug-in loader would. */
#include <wordseek.h>

#include <stddef.h>
#include <string.h>

int32_t WordseekLookupAndQuery(const char* text, const char* keywords, int32_t caseFlag,
                               int32_t andFlag);

/* Returns QueryMemo's answer, or 1 (never an answer) when the lookup fails. */
int32_t WordseekLookupAndQuery(const char* text, const char* keywords, int32_t caseFlag,
                               int32_t andFlag)
{
    WordseekQueryMemoFn query;
    void* address = QueryFunction("QueryMemo");
    if (address == NULL)
        return 1;
    memcpy(&query, &address, sizeof query);
    return query(text, keywords, caseFlag, andFlag);
}
