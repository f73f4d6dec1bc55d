#pragma once
// a * b / c in 64 bits, rounded to the nearest integer (halves away from zero),
// as scroll bar thumbs are scaled. A zero divisor gives -1.

namespace lk63 {

int MulDiv(int a, int b, int c);

}  // namespace lk63
