// Test-side values of every class and shape a user can pass.
#include "state.h"

namespace mexhost {

Array real(size_t m, size_t n, std::vector<double> values)
{
    Array a;
    a.m = m;
    a.n = n;
    a.re = values.empty() ? std::vector<double>(m * n, 0.0) : std::move(values);
    a.re.resize(m * n);
    return a;
}

Array column(std::vector<double> values)
{
    size_t n = values.size();
    return real(n, 1, std::move(values));
}

Array row(std::vector<double> values)
{
    size_t n = values.size();
    return real(1, n, std::move(values));
}

Array cplx(size_t m, size_t n, std::vector<double> re, std::vector<double> im)
{
    Array a = real(m, n, std::move(re));
    a.complex = true;
    a.im = std::move(im);
    a.im.resize(m * n);
    return a;
}

Array scalar(double v) { return real(1, 1, {v}); }
Array cscalar(double re, double im) { return cplx(1, 1, {re}, {im}); }

Array chars(const std::vector<std::string>& rows)
{
    Array a;
    a.cls = mxCHAR_CLASS;
    a.m = rows.size();
    a.n = rows.empty() ? 0 : rows[0].size();
    a.re.assign(a.m * a.n, 0.0);
    for (size_t r = 0; r < a.m; ++r)
        for (size_t c = 0; c < a.n && c < rows[r].size(); ++c)
            a.re[r + c * a.m] = static_cast<unsigned char>(rows[r][c]);
    return a;
}

Array str(const std::string& text)
{
    Array a = chars({text});
    if (text.empty()) a.m = 0;
    return a;
}

Array of_class(mxClassID cls, size_t m, size_t n, std::vector<double> values)
{
    Array a = real(m, n, std::move(values));
    a.cls = cls;
    return a;
}

Array sparse(size_t m, size_t n, std::vector<double> values)
{
    Array a = real(m, n, std::move(values));
    a.sparse = true;
    return a;
}

Array sparse_scalar(double v) { return sparse(1, 1, {v}); }

Array cell(size_t m, size_t n)
{
    Array a;
    a.cls = mxCELL_CLASS;
    a.m = m;
    a.n = n;
    return a;
}

Array strct(size_t m, size_t n)
{
    Array a = cell(m, n);
    a.cls = mxSTRUCT_CLASS;
    return a;
}

Array empty(size_t m, size_t n) { return real(m, n); }

}  // namespace mexhost
