// Printing and errors: the command window is a string the driver hands back byte for byte.
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "state.h"

using namespace mexhost::detail;

extern "C" {

int mexPrintf(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    va_list copy;
    va_copy(copy, ap);
    int len = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (len > 0) {
        std::vector<char> buf(static_cast<size_t>(len) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, ap);
        state().printed.append(buf.data(), static_cast<size_t>(len));
    }
    va_end(ap);
    return len;
}

void mexErrMsgTxt(const char* msg)
{
    throw Raised{msg ? msg : ""};
}

}  // extern "C"
