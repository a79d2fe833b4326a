#include "slice.h"

#include "analyt.h"
#include "frame.h"

void load_signal(Complex* z, const double* re, const double* im, int n)
{
    if (im) {
        for (int i = 0; i < n; ++i) z[i] = Complex{re[i], im[i]};
        return;
    }
    for (int i = 0; i < n; ++i) z[i] = Complex{re[i], 0.0};
    analyt(z, static_cast<unsigned>(n));
}

Complex* working_array(long count, const char* routine, const char* msg)
{
    Complex* a = static_cast<Complex*>(mxCalloc(static_cast<mwSize>(count), sizeof(Complex)));
    if (!a) mex_error(routine, msg);
    return a;
}
