#include "ui/logic/html_entities.h"

#include <array>
#include <utility>

namespace korimbo {
namespace {

constexpr std::array<std::pair<char, std::string_view>, 4> kReferences{{
    {'&', "&amp;"},
    {'"', "&quot;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
}};

} // namespace

std::string EscapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char byte : text) {
        std::string_view piece(&byte, 1);
        for (const auto &[character, reference] : kReferences)
            if (byte == character)
                piece = reference;
        out.append(piece);
    }
    return out;
}

std::string UnescapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto &[character, reference] : kReferences) {
                if (text.substr(i, reference.size()) == reference) {
                    out.push_back(character);
                    i += reference.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out.push_back(text[i++]);
    }
    return out;
}

} // namespace korimbo
