#include "convert/bytes.h"

#include <algorithm>

#include "convert/buffer.h"
#include "convert/runtime.h"

namespace korimbo {

ByteSet::ByteSet(std::string_view bytes) : bytes_(detail::MakeBuffer(bytes.size()))
{
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

ByteSet::ByteSet(std::string &&bytes)
{
    if (bytes.size() > detail::kMaxLength)
        FatalAllocationError(bytes.size());
    bytes_ = std::move(bytes);
}

int BytesLength(const ByteSet &set)
{
    return static_cast<int>(set.bytes().size());
}

ByteSet BytesLeft(const ByteSet &set, int n)
{
    if (n <= 0)
        return {};
    return ByteSet(set.bytes().substr(0, static_cast<std::size_t>(n)));
}

ByteSet BlankBytes(int n)
{
    if (n <= 0)
        return {};
    return ByteSet(detail::MakeBuffer(static_cast<std::size_t>(n)));
}

ByteSet ToBytes(const AnsiText &text)
{
    return ByteSet(text.bytes());
}

AnsiText ToText(const ByteSet &set)
{
    return AnsiText(set.bytes());
}

std::uint8_t ElementAt(const ByteSet &set, int index)
{
    detail::CheckIndex(index, set.bytes().size());
    return static_cast<std::uint8_t>(set.bytes()[static_cast<std::size_t>(index - 1)]);
}

std::uint8_t &ElementAt(ByteSet &set, int index)
{
    detail::CheckIndex(index, set.bytes_.size());
    return reinterpret_cast<std::uint8_t &>(set.bytes_[static_cast<std::size_t>(index - 1)]);
}

namespace detail {

void CheckIndex(int index, std::size_t length)
{
    if (index < 1)
        FatalRuntimeError(4, "数组成员引用下标必须大于等于1");
    if (static_cast<std::size_t>(index) > length)
        FatalRuntimeError(1, "数组成员引用下标超出定义范围");
}

ByteSet ConcatByteViews(std::initializer_list<std::string_view> parts)
{
    return ByteSet(JoinViews(parts));
}

} // namespace detail
} // namespace korimbo
