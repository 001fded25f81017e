// QueryMemo on arbitrary bytes. The input is a flag byte, then the text up to the
// first NUL, then the keyword block (whatever follows, given its closing NULs here
// so the library is handed a well-formed block as its callers promise).

#include <wordseek.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A text that matches exactly also matches when letters fold.
void CheckFoldingOnlyWidens(const std::string& text, const std::string& block, int32_t andFlag)
{
    const int32_t exact = QueryMemo(text.c_str(), block.c_str(), 0, andFlag);
    const int32_t folded = QueryMemo(text.c_str(), block.c_str(), 1, andFlag);
    if ((exact != 0 && exact != -1) || (folded != 0 && folded != -1))
        std::abort();
    if (exact != 0 && folded == 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t nul = input.find('\0');
    const std::string text = input.substr(0, nul);
    std::string block = nul == std::string::npos ? std::string() : input.substr(nul + 1);
    block.append(2, '\0');

    CheckFoldingOnlyWidens(text, block, 0);
    CheckFoldingOnlyWidens(text, block, 1);
    // The flag byte also drives the raw flag values, which only count as zero or not.
    const int32_t caseFlag = static_cast<int8_t>(data[0]) >> 4;
    const int32_t andFlag = static_cast<int8_t>(data[0] << 4) >> 4;
    if (QueryMemo(text.c_str(), block.c_str(), caseFlag, andFlag) !=
        QueryMemo(text.c_str(), block.c_str(), caseFlag != 0, andFlag != 0))
        std::abort();
    // A null text is the empty text, which no keyword occurs in.
    if (QueryMemo(nullptr, block.c_str(), caseFlag, andFlag) != 0)
        std::abort();
    return 0;
}
