#include "convert/address_links.h"

#include <cstring>
#include <limits>
#include <new>

#include "convert/address.h"
#include "convert/base64.h"
#include "convert/buffer.h"

namespace korimbo {
namespace detail {
namespace {

// The link forms: prefix, markers around the address, suffix after the Base64 text.
struct LinkShape
{
    std::string_view prefix, front, back, suffix;
};

constexpr LinkShape kShapes[4] = {
    {},
    {kThunderPrefix, "AA", "ZZ", ""},
    {kFlashGetPrefix, "[FLASHGET]", "[FLASHGET]", "&1926"},
    {kWhirlwindPrefix, "", "", ""},
};

// Wrapped addresses up to this size are encoded from a copy on the stack.
constexpr std::size_t kShortLink = kShortEncode;

} // namespace

// The Base64 text of front + address + back is written straight behind the prefix, the address's
// bytes encoded where they are.
void BuildLink(std::int32_t kind, std::string_view address, std::string &out)
{
    const LinkShape &shape = kShapes[kind];
    ResizeBuffer(out, LinkLength(kind, address.size()));
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    const auto *bytes = reinterpret_cast<const unsigned char *>(address.data());
    // Copies that pass over empty parts, whose data may be null.
    const auto copy = [](unsigned char *at, std::string_view part) {
        if (!part.empty())
            std::memcpy(at, part.data(), part.size());
        return at + part.size();
    };
    const auto put = [&dst, &copy](std::string_view part) { dst = copy(dst, part); };
    put(shape.prefix);
    const std::size_t wrapped = shape.front.size() + address.size() + shape.back.size();
    if (wrapped <= kShortLink) {
        // A short address is wrapped in a copy and encoded in one call.
        unsigned char whole[kShortLink + kShortEncodeRoom];
        copy(copy(copy(whole, shape.front), address), shape.back);
        dst = Base64EncodeShort(whole, wrapped, dst);
        put(shape.suffix);
        return;
    }
    // The front marker and the address's first bytes make whole groups of three, so that the rest
    // of the address is encoded where it is; its last bytes and the back marker are the last groups.
    unsigned char edge[32];
    const std::size_t take = (3 - shape.front.size() % 3) % 3;
    copy(copy(edge, shape.front), address.substr(0, take));
    dst = Base64EncodeTo(edge, shape.front.size() + take, dst);
    const std::size_t body = (address.size() - take) / 3 * 3;
    dst = Base64EncodeTo(bytes + take, body, dst);
    const std::size_t rest = address.size() - take - body;
    copy(copy(edge, address.substr(take + body)), shape.back);
    dst = Base64EncodeTo(edge, rest + shape.back.size(), dst);
    put(shape.suffix);
}

} // namespace detail

std::size_t LinkLength(std::int32_t kind, std::size_t size)
{
    const detail::LinkShape &shape = detail::kShapes[kind];
    const std::size_t wrapped = shape.front.size() + shape.back.size();
    if (size > (std::numeric_limits<std::size_t>::max() - 2) / 4 * 3 - wrapped - 32)
        throw std::bad_alloc();
    return shape.prefix.size() + Base64EncodedLength(size + wrapped) + shape.suffix.size();
}

} // namespace korimbo
