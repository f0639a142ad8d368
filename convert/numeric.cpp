#include "convert/numeric.h"

#include <cmath>

#include "convert/runtime.h"

namespace korimbo {

double IntegerDivide(double x, double y)
{
    if (y == 0.0)
        FatalRuntimeError(0, "不能整除于零");
    return std::trunc(x / y);
}

double Remainder(double x, double y)
{
    if (y == 0.0)
        FatalRuntimeError(0, "不能求余数于零");
    return std::fmod(x, y);
}

std::int32_t TruncateToInt(double x)
{
    // Beyond +-2^63 (and for NaN) a 64-bit conversion has no value; 0 is what the low 32 bits of
    // the processor's "integer indefinite" answer hold.
    if (!(std::fabs(x) < 9223372036854775808.0))
        return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(x)));
}

std::int32_t BitAnd(std::int32_t a, std::int32_t b)
{
    return a & b;
}

std::int32_t BitOr(std::int32_t a, std::int32_t b)
{
    return a | b;
}

std::int32_t ShiftLeft(std::int32_t a, std::int32_t n)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) << (n & 31));
}

std::int32_t ShiftRight(std::int32_t a, std::int32_t n)
{
    return a >> (n & 31);
}

} // namespace korimbo
