// Bartlett, Hann and Hamming windows, symmetric, of n points.
#include "windows.h"

#include <cmath>

static const double kTwoPi = 6.283185307179586;

void window_bartlett(double* w, int n)
{
    if (n <= 0) return;
    if (n == 1) {
        w[0] = 1.0;
        return;
    }
    const float c = static_cast<float>((n - 1) * 0.5);  // the centre is held in single precision
    for (int i = 0; i < n; ++i) w[i] = 1.0 - std::fabs((i - static_cast<double>(c)) / static_cast<double>(c));
}

void window_hann(double* w, int n)
{
    if (n <= 0) return;
    if (n == 1) {
        w[0] = 1.0;
        return;
    }
    for (int i = 0; i < n; ++i) w[i] = (1.0 - std::cos((i * kTwoPi) / static_cast<double>(n - 1))) * 0.5;
}

void window_hamming(double* w, int n)
{
    if (n <= 0) return;
    if (n == 1) {
        w[0] = 1.0;
        return;
    }
    for (int i = 0; i < n; ++i) w[i] = 0.54 - std::cos((i * kTwoPi) / static_cast<double>(n - 1)) * 0.46;
}
