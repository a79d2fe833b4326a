// Symmetric data windows used for smoothing.
#ifndef TOOLBOX_WINDOWS_H
#define TOOLBOX_WINDOWS_H

void window_bartlett(double* w, int n);
void window_hann(double* w, int n);
void window_hamming(double* w, int n);

#endif
