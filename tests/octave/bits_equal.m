## bits_equal (A, B): true when A and B have the same class, size and complexity and the same
## bits in every element (signed zeros and NaN payloads included).
function ok = bits_equal (a, b)
  ok = strcmp (class (a), class (b)) && isequal (size (a), size (b)) ...
       && iscomplex (a) == iscomplex (b) ...
       && isequal (typecast (real (a(:)), "uint64"), typecast (real (b(:)), "uint64"));
  if (ok && iscomplex (a))
    ok = isequal (typecast (imag (a(:)), "uint64"), typecast (imag (b(:)), "uint64"));
  endif
endfunction
