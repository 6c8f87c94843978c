// Complex numbers of the spectrum transform: two 32-bit floats; products and sums are taken in
// double precision and stored back as 32-bit.
#pragma once

#include <cmath>

namespace mz3 {

struct TComplex {
    float Re = 0.0f;
    float Im = 0.0f;
};

inline TComplex makeComplex(float re, float im) {
    return {re, im};
}
inline TComplex operator+(TComplex a, TComplex b) {
    return {a.Re + b.Re, a.Im + b.Im};
}
inline TComplex operator-(TComplex a, TComplex b) {
    return {a.Re - b.Re, a.Im - b.Im};
}
inline TComplex operator*(TComplex a, TComplex b) {
    return {static_cast<float>(double(a.Re) * b.Re - double(a.Im) * b.Im),
            static_cast<float>(double(a.Re) * b.Im + double(a.Im) * b.Re)};
}
inline TComplex operator*(TComplex a, float k) {
    return {a.Re * k, a.Im * k};
}
inline float magnitude(TComplex a) {
    return static_cast<float>(std::sqrt(double(a.Re) * a.Re + double(a.Im) * a.Im));
}

}  // namespace mz3

namespace mz3 {
// The transform reads and writes arrays of TComplex as pairs of floats.
static_assert(sizeof(TComplex) == 2 * sizeof(float) && alignof(TComplex) == alignof(float));
}  // namespace mz3
