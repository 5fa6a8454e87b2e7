#include "signs/SignBoard.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "frame/StringTable.h"
#include "resource.h"

namespace {

// A symbol-table record name holds at most this many bytes.
constexpr size_t kMaxBlockNameBytes = 255;
// Characters the host reserves in record names.
constexpr std::string_view kReservedNameCharacters = "<>/\\\":;?|,=`*";

struct SizeClassRow {
    char letter;
    double stripeWidth;
    double textHeight;
    double boardHeight;
};

// E-5 board sizes; "Średnie" and "Małe" share a board and differ in name only.
constexpr SizeClassRow kSizeClasses[] = {
    {'W', 30.0, 282.0, 650.0},
    {'D', 25.0, 210.0, 450.0},
    {'S', 25.0, 132.0, 300.0},
    {'M', 25.0, 132.0, 300.0},
};

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

uint32_t fnv1a(std::string_view text)
{
    uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool isReserved(unsigned char c)
{
    return isControl(c) || kReservedNameCharacters.find(char(c)) != std::string_view::npos;
}

// Length of the UTF-8 sequence a lead byte starts, 0 for a byte that
// cannot start one.
size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The text with reserved characters and broken UTF-8 left out, cut at a
// character boundary to at most maxBytes.
std::string readablePart(const std::string& text, size_t maxBytes)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = sequenceLength(lead);
        bool whole = length != 0 && i + length <= text.size();
        for (size_t k = 1; whole && k < length; ++k)
            whole = isContinuation(static_cast<unsigned char>(text[i + k]));
        if (!whole) {
            ++i;
            continue;
        }
        if (length == 1 && isReserved(lead)) {
            ++i;
            continue;
        }
        if (out.size() + length > maxBytes)
            break;
        out.append(text, i, length);
        i += length;
    }
    return out;
}

}  // namespace

D_SignBoard::D_SignBoard(SignKind kind) : generation(LoadTarvoString(IDS_GENERATION_I))
{
    boardColour.setRGB(255, 255, 255);
    textColour.setRGB(0, 0, 255);
    switch (kind) {
    case SignKind::E17a:
    case SignKind::E18a:
    case SignKind::E4:
        symbol = kind == SignKind::E17a ? "E-17a" : kind == SignKind::E18a ? "E-18a" : "E-4";
        boardColour.setRGB(0, 153, 38);
        textColour.setRGB(255, 255, 255);
        textMargin = 100.0;
        break;
    case SignKind::E21:
        symbol = "E-21";
        textMargin = 100.0;
        break;
    case SignKind::E5:
        symbol = "E-5";
        SetSizeClass('S');
        break;
    }
}

void D_SignBoard::SetSizeClass(char letter)
{
    sizeClass = letter;
    for (const SizeClassRow& row : kSizeClasses) {
        if (row.letter == upper(letter)) {
            stripeWidth = row.stripeWidth;
            textHeight = row.textHeight;
            boardHeight = row.boardHeight;
        }
    }
    textMargin = 4.0 * stripeWidth;
}

void D_SignBoard::MakeSignBlockName(const std::string& boardText)
{
    text = boardText;
    const std::string suffix = std::string("_") + sizeClass + (pointsLeft ? "_" : "");
    const std::string plain = symbol + "_" + text + suffix;
    if (IsValidBlockName(plain)) {
        blockName = plain;
        return;
    }
    char hash[16];
    std::snprintf(hash, sizeof hash, "~%08X", static_cast<unsigned>(fnv1a(text)));
    const size_t fixed = symbol.size() + 1 + std::string_view(hash).size() + suffix.size();
    blockName = symbol + "_" + readablePart(text, kMaxBlockNameBytes - fixed) + hash + suffix;
}

bool IsValidBlockName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxBlockNameBytes)
        return false;
    if (readablePart(name, kMaxBlockNameBytes) != name)
        return false;
    return true;
}

std::string SignText(std::string_view typed)
{
    std::string shown;
    shown.reserve(typed.size());
    for (const char c : typed)
        if (!isControl(static_cast<unsigned char>(c)))
            shown += c;
    const size_t first = shown.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return shown.substr(first, shown.find_last_not_of(' ') - first + 1);
}
