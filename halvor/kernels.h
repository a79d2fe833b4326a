// Compact kernels over the P-by-N table of lag bins (rows) by Doppler bins (columns). Each row
// is reached through its own row reference; the table must be all zero when a builder starts,
// and a builder only stores values inside the kernel's support.
#ifndef TOOLBOX_HALVOR_KERNELS_H
#define TOOLBOX_HALVOR_KERNELS_H

#include <cstddef>

// Square support |u| < |D|, |v| < |D|, decay c.
void csk_kernel(double** table, int P, int N, double c, double D);

// Elliptic support, lag width D and Doppler width E, decay c.
void ckd_kernel(double** table, int P, int N, double c, double D, double E);

// K rotated elliptic terms (angles theta in degrees, widths D and E), each overwriting the
// earlier ones inside its own support. Also writes the non-negative quadrant of the table to
// "check.txt" in the current folder.
void mfk_kernel(double** table, int P, int N, double c, const double* theta, const double* D,
                const double* E, size_t K);

#endif
