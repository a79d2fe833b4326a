// The six frequency laws of the test-signal generator. Each writes N samples of unit amplitude:
// re[n] = cos(phi(n)) and, when im is not null (analytic signal), im[n] = sin(phi(n)).
#ifndef TOOLBOX_FENWID_LAWS_H
#define TOOLBOX_FENWID_LAWS_H

void lin_law(double* re, double* im, double a, double b, int N);
void quad_law(double* re, double* im, double a, double b, int N);
void cubic_law(double* re, double* im, double a, double b, int N);
void hyp_law(double* re, double* im, double a, double b, int N);
void sin_law(double* re, double* im, double a, double b, int N, double c);
void step_law(double* re, double* im, double a, double b, int N, int K);

#endif
