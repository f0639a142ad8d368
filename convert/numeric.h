#pragma once

#include <cstdint>

// The arithmetic the Base64 codec computes with: whole-number division on doubles, and bit
// operations on 32-bit integers.
namespace korimbo {

// x / y with the fraction dropped toward zero. A zero divisor (0.0 or -0.0) is a fatal error.
double IntegerDivide(double x, double y);

// x - y * q, q being x / y rounded toward zero; the sign is that of x. A zero divisor is a
// fatal error.
double Remainder(double x, double y);

// x rounded toward zero to 64 bits, of which the low 32 bits are the result. NaN and values
// beyond the 64-bit range give 0.
std::int32_t TruncateToInt(double x);

std::int32_t BitAnd(std::int32_t a, std::int32_t b);
std::int32_t BitOr(std::int32_t a, std::int32_t b);

// a shifted left by (n mod 32) bits within 32 bits.
std::int32_t ShiftLeft(std::int32_t a, std::int32_t n);

// a shifted right by (n mod 32) bits, the sign bit filling in.
std::int32_t ShiftRight(std::int32_t a, std::int32_t n);

} // namespace korimbo
