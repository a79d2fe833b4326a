// Analytic signal of a complex sequence with zero imaginary parts, in place.
#ifndef TOOLBOX_ANALYT_H
#define TOOLBOX_ANALYT_H

#include "fourier.h"

void analyt(Complex* x, unsigned n);

#endif
