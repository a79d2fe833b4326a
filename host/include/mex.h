/* Our own stand-in for the MEX interface that the modules use (arrays, allocation, printing,
 * errors and calls back into the client), with the standard names. It exists so that the modules
 * can be unit-tested, fault-injected and sanitized without a client; nothing here is copied from
 * any client's headers. Complex arrays use separate real and imaginary blocks. */
#ifndef TOOLBOX_HOST_MEX_H
#define TOOLBOX_HOST_MEX_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mxArray_host mxArray;
typedef size_t mwSize;
typedef size_t mwIndex;
typedef int mxChar16; /* only used by the host itself */

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

typedef enum {
    mxUNKNOWN_CLASS = 0,
    mxCELL_CLASS,
    mxSTRUCT_CLASS,
    mxLOGICAL_CLASS,
    mxCHAR_CLASS,
    mxVOID_CLASS,
    mxDOUBLE_CLASS,
    mxSINGLE_CLASS,
    mxINT8_CLASS,
    mxUINT8_CLASS,
    mxINT16_CLASS,
    mxUINT16_CLASS,
    mxINT32_CLASS,
    mxUINT32_CLASS,
    mxINT64_CLASS,
    mxUINT64_CLASS,
    mxFUNCTION_CLASS
} mxClassID;

/* arrays */
mxArray *mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity flag);
mxArray *mxCreateNumericMatrix(mwSize m, mwSize n, mxClassID cls, mxComplexity flag);
mxArray *mxCreateString(const char *text);
void mxDestroyArray(mxArray *a);

mwSize mxGetM(const mxArray *a);
mwSize mxGetN(const mxArray *a);
mwSize mxGetNumberOfElements(const mxArray *a);
mwSize mxGetElementSize(const mxArray *a);
mxClassID mxGetClassID(const mxArray *a);

int mxIsNumeric(const mxArray *a);
int mxIsSparse(const mxArray *a);
int mxIsComplex(const mxArray *a);
int mxIsChar(const mxArray *a);
int mxIsDouble(const mxArray *a);
int mxIsLogical(const mxArray *a);
int mxIsEmpty(const mxArray *a);

double *mxGetPr(const mxArray *a);
double *mxGetPi(const mxArray *a);
void *mxGetData(const mxArray *a);
void *mxGetImagData(const mxArray *a);
void mxSetPr(mxArray *a, double *pr);
void mxSetPi(mxArray *a, double *pi);
double mxGetScalar(const mxArray *a);
int mxGetString(const mxArray *a, char *buf, mwSize buflen);

/* memory: reclaimed by the host when the call ends, as the client does */
void *mxCalloc(mwSize n, mwSize size);
void *mxMalloc(mwSize n);
void mxFree(void *p);

/* services */
int mexPrintf(const char *fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
void mexErrMsgTxt(const char *msg)
#if defined(__GNUC__)
    __attribute__((noreturn))
#endif
    ;
int mexCallMATLAB(int nlhs, mxArray *plhs[], int nrhs, mxArray *prhs[], const char *name);

/* the one export of every module */
void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]);

#ifdef __cplusplus
}
#endif

#endif
