#include "console/BillOfQuantities.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <strings.h>

#include "lights/TrafficLightCatalogue.h"
#include "markings/ArrowCatalogue.h"
#include "markings/LineCatalogue.h"

namespace {

constexpr const char* kVerticalDescription = "S_Znaki_OpisPionowe";
constexpr const char* kHorizontalDescription = "S_Znaki_OpisPoz";
// In the order of the destination lists and of the tables' columns.
constexpr const char* kDestinations[4] = {"Projektowany", "Tymczasowy", "Istniejący", "Usuwany"};
// Sign descriptions keep this many letters of the destination's name.
constexpr size_t kDestinationPrefix = 4;
// Disagreement of a marking's area with its length times its area per
// metre that the rounding of the three printed figures cannot explain:
// 0.01 m², in millionths of m² (thousandths times thousandths).
constexpr int64_t kAreaTolerance = 10'000;

constexpr const char* kBoardSymbols[] = {"E-4", "E-5", "E-17a", "E-18a", "E-21"};

using Counts = std::array<int64_t, 4>;

std::string attribute(const PlacedReference& r, const char* tag)
{
    const auto it = r.attributes.find(tag);
    return it == r.attributes.end() ? std::string() : it->second;
}

std::string trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A destination's name, or its first letters as a sign description holds it.
int destinationOfText(const std::string& text)
{
    const std::string t = trimmed(text);
    for (int i = 0; i < 4; ++i)
        if (t.size() >= kDestinationPrefix && std::string_view(kDestinations[i]).starts_with(t))
            return i;
    return -1;
}

// A sign board's block: symbol, "_", text, "_", size letter (a space for
// the boards without sizes), and "_" more for a left-pointing board.
struct BoardName {
    std::string symbol;
    std::string text;  // what the board says
    std::string size;
};

std::optional<BoardName> boardName(const std::string& block)
{
    for (const char* symbol : kBoardSymbols) {
        const std::string prefix = std::string(symbol) + "_";
        if (!block.starts_with(prefix))
            continue;
        std::string rest = block.substr(prefix.size());
        // A size letter is never "_": a last "_" marks a left-pointing board.
        if (!rest.empty() && rest.back() == '_')
            rest.pop_back();
        if (rest.size() < 2 || rest[rest.size() - 2] != '_')
            return std::nullopt;
        return BoardName{symbol, rest.substr(0, rest.size() - 2), trimmed(rest.substr(rest.size() - 1))};
    }
    return std::nullopt;
}

// Compares texts with their runs of digits taken as numbers: E-4 before
// E-17a, P-8I before P-19.
bool naturalLess(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])),
                   db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            const std::string za = na.substr(std::min(na.find_first_not_of('0'), na.size()));
            const std::string zb = nb.substr(std::min(nb.find_first_not_of('0'), nb.size()));
            if (za.size() != zb.size())
                return za.size() < zb.size();
            if (za != zb)
                return za < zb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// The sizes of the E-5 board from the largest; other sizes after them.
int sizeRank(const std::string& size)
{
    static const std::string order[] = {"W", "D", "S", "M"};
    for (int i = 0; i < 4; ++i)
        if (size == order[i])
            return i;
    return 4;
}

// A board as a sign maker makes it: symbol, text, size and its width ×
// height; then its reflective film.
struct SignKey {
    std::string symbol, text, size, dimensions, generation;
    bool operator<(const SignKey& o) const
    {
        if (symbol != o.symbol)
            return naturalLess(symbol, o.symbol);
        if (size != o.size)
            return sizeRank(size) != sizeRank(o.size) ? sizeRank(size) < sizeRank(o.size) : size < o.size;
        if (text != o.text)
            return naturalLess(text, o.text);
        if (dimensions != o.dimensions)
            return naturalLess(dimensions, o.dimensions);
        return naturalLess(generation, o.generation);
    }
};

// An information board as it is ordered: its text, size and colours.
struct InfoBoardKey {
    std::string text, dimensions, boardColour, textColour;
    Quantity area;
    auto operator<=>(const InfoBoardKey&) const = default;
};

// Width × height in whole millimetres; "" for a block without extents.
std::string dimensionsText(const BlockFacts& facts)
{
    if (facts.width <= 0.0 || facts.height <= 0.0)
        return "";
    char text[64];
    std::snprintf(text, sizeof text, "%.0f × %.0f", facts.width, facts.height);
    return text;
}

// The area of the board's rectangle in m², from millimetres.
Quantity boardArea(const BlockFacts& facts) { return {int64_t(std::llround(facts.width * facts.height / 1000.0))}; }

// A catalogue position, then the symbol for what the catalogue lacks.
struct CatalogueKey {
    size_t position;
    std::string symbol;
    bool operator<(const CatalogueKey& o) const
    {
        return position != o.position ? position < o.position : naturalLess(symbol, o.symbol);
    }
};

template <class Rows>
CatalogueKey catalogueKey(const Rows& rows, const std::string& symbol)
{
    for (size_t i = 0; i < std::size(rows); ++i)
        if (symbol == rows[i].symbol)
            return {i, symbol};
    return {std::size(rows), symbol};
}

struct ArrowBlock {
    size_t row;
    bool isShort;
};

std::optional<ArrowBlock> arrowBlock(const std::string& block)
{
    for (size_t i = 0; i < std::size(kArrowRows); ++i) {
        const std::string symbol = kArrowRows[i].symbol;
        if (*kArrowRows[i].shortArea == '\0') {
            if (block == symbol)
                return ArrowBlock{i, false};
        } else if (block == symbol + "_D") {
            return ArrowBlock{i, false};
        } else if (block == symbol + "_K") {
            return ArrowBlock{i, true};
        }
    }
    return std::nullopt;
}

int lightPosition(const std::string& block)
{
    for (size_t i = 0; i < std::size(kTrafficLightRows); ++i)
        if (strcasecmp(block.c_str(), kTrafficLightRows[i].name) == 0)
            return int(i);
    return -1;
}

Quantity catalogueArea(const ArrowBlock& a)
{
    const char* text = a.isShort ? kArrowRows[a.row].shortArea : kArrowRows[a.row].longArea;
    return parseQuantity(text, "m2").value_or(Quantity{});
}

const char* lengthClass(bool isShort) { return isShort ? "Krótka" : "Długa"; }

ReportCell text(std::string t) { return {ReportCell::Kind::Text, std::move(t), 0, {}}; }
ReportCell count(int64_t n) { return {ReportCell::Kind::Count, "", n, {}}; }
ReportCell quantity(Quantity q) { return {ReportCell::Kind::Quantity, "", 0, q}; }

// A count column per destination and one for all.
void addCountHeadings(ReportTable& table)
{
    for (const char* d : kDestinations)
        table.headings.push_back(std::string(d) + " [szt.]");
    table.headings.push_back("Razem [szt.]");
}

// The counts of each destination and their sum, which is returned.
int64_t addCounts(std::vector<ReportCell>& row, const Counts& counts)
{
    int64_t total = 0;
    for (const int64_t n : counts) {
        row.push_back(count(n));
        total += n;
    }
    row.push_back(count(total));
    return total;
}

// Adds the totals row: "Razem", and the numbers of every column summed;
// the first textColumns columns hold texts, the rest numbers of their kind.
void addTotals(ReportTable& table, size_t textColumns, const std::vector<ReportCell::Kind>& numberKinds)
{
    std::vector<ReportCell> totals(table.headings.size(), text(""));
    totals[0] = text("Razem");
    for (size_t c = textColumns; c < totals.size(); ++c) {
        totals[c].kind = numberKinds[(c - textColumns) % numberKinds.size()];
        for (const auto& row : table.rows) {
            totals[c].count += row[c].count;
            totals[c].quantity += row[c].quantity;
        }
    }
    table.rows.push_back(std::move(totals));
}

// A workbook cell holds at most 32,767 characters; counted here in bytes,
// so that no way of counting characters finds more.
constexpr size_t kCellLimit = 32'767;
constexpr std::string_view kShortenedMark = " […]";
// Texts of the drawing quoted in a warning: enough to find them.
constexpr size_t kQuotedLimit = 200;

// text cut at a character's boundary to at most limit bytes, the mark
// showing where, or text itself when it fits.
std::string shortened(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text;
    size_t cut = limit - kShortenedMark.size();
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + std::string(kShortenedMark);
}

std::string quotedText(const std::string& text) { return "\"" + shortened(text, kQuotedLimit) + "\""; }

// A symbol compared as a designer would read it: without spaces or case.
std::string folded(const std::string& symbol)
{
    std::string out;
    for (const char c : symbol)
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A description's symbol: the catalogue's spelling when it names a symbol
// of the catalogue, in whatever case or spacing; else as given, trimmed.
struct DescribedSymbol {
    std::string spelling;
    bool known = false;
    bool respelled = false;  // given in another case or with spaces
};

DescribedSymbol describedSymbol(const std::string& given, const std::vector<std::string>& catalogue)
{
    const std::string t = trimmed(given), f = folded(given);
    for (const std::string& name : catalogue)
        if (folded(name) == f)
            return {name, true, t != name};
    return {t, false, false};
}

using DestinationSet = unsigned;  // bit d: destination d

std::string destinationNames(DestinationSet set)
{
    std::string names;
    for (int d = 0; d < 4; ++d)
        if (set & (1u << d))
            names += (names.empty() ? "" : ", ") + std::string(kDestinations[d]);
    return names;
}

class ReportMaker {
public:
    explicit ReportMaker(const DrawingContents& drawing) : m_drawing(drawing)
    {
        m_signSymbols.assign(std::begin(kBoardSymbols), std::end(kBoardSymbols));
        for (const auto& row : kLineRows)
            m_markingSymbols.push_back(row.symbol);
        for (const auto& row : kArrowRows)
            m_markingSymbols.push_back(row.symbol);
    }

    Report make()
    {
        readSymbols();
        pairDescriptions();
        for (size_t i = 0; i < refs().size(); ++i)
            take(i);
        Report report;
        report.tables = {signTable(), lineTable(), arrowTable(), lightTable(), infoBoardTable()};
        report.warnings = std::move(m_warnings);
        fitCells(report);
        return report;
    }

private:
    const std::vector<PlacedReference>& refs() const { return m_drawing.references; }

    static bool isDescription(const PlacedReference& r)
    {
        return r.block == kVerticalDescription || r.block == kHorizontalDescription;
    }

    std::string who(const PlacedReference& r) const
    {
        const std::string symbol = attribute(r, "Symbol");
        return (isDescription(r) ? "Opis " : "Blok ") + r.handle + " (" +
               shortened(symbol.empty() ? r.block : symbol, kQuotedLimit) + ")";
    }

    void warn(const PlacedReference& r, const std::string& what) { m_warnings.push_back(who(r) + ": " + what); }

    // Layer names compare as the host compares them, without regard to case.
    DestinationSet layerDestinations(const std::string& layer) const
    {
        DestinationSet set = 0;
        for (int d = 0; d < 4; ++d)
            if (strcasecmp(m_drawing.destinationLayers[d].c_str(), layer.c_str()) == 0)
                set |= 1u << d;
        return set;
    }

    // The designer's destination of a counted object: its description's
    // when that names one, else its layer's. Warns when the two disagree,
    // when the layer is that of several destinations, and when neither
    // gives one (then -1: not counted).
    int destination(const PlacedReference* description, const PlacedReference& counted)
    {
        const DestinationSet layers = layerDestinations(counted.layer);
        const PlacedReference& subject = description ? *description : counted;
        const std::string layerName = "warstwa " + quotedText(counted.layer);
        int byText = -1;
        std::string given;
        if (description) {
            if (layerDestinations(description->layer) == 0)
                warn(*description,
                     "warstwa " + quotedText(description->layer) + " nie odpowiada żadnemu przeznaczeniu");
            given = attribute(*description, "Przeznaczenie");
            byText = destinationOfText(given);
        }
        if (byText >= 0) {
            if (layers != 0 && !(layers & (1u << byText)))
                warn(subject, "przeznaczenie opisu " + std::string(kDestinations[byText]) +
                                  " różni się od przeznaczenia warstwy " + quotedText(counted.layer) + " (" +
                                  destinationNames(layers) + "); przyjęto przeznaczenie opisu");
            return byText;
        }
        if (layers == 0) {
            warn(subject, description ? "przeznaczenie " + quotedText(given) + " nieznane; nie policzono"
                                      : layerName + " nie odpowiada żadnemu przeznaczeniu; nie policzono");
            return -1;
        }
        const int first = std::countr_zero(layers);
        if (description)
            warn(subject, "przeznaczenie " + quotedText(given) +
                              " nieznane, przyjęto przeznaczenie warstwy: " + kDestinations[first]);
        if (layers & (layers - 1))
            warn(subject, layerName + " odpowiada kilku przeznaczeniom (" + destinationNames(layers) + "); przyjęto " +
                              kDestinations[first]);
        return first;
    }

    // A figure of a description, or nothing with a warning.
    std::optional<Quantity> figure(const PlacedReference& r, const char* tag, std::string_view unit)
    {
        const std::string given = attribute(r, tag);
        auto q = parseQuantity(given, unit);
        if (!q)
            warn(r, std::string("atrybut ") + tag + " = " + quotedText(given) + " nie jest liczbą; pominięto w sumach");
        return q;
    }

    // The symbol of every description, and the key that pairs descriptions
    // with what they describe: "S" and the symbol for a sign board, "A" and
    // the symbol for an arrow.
    void readSymbols()
    {
        m_symbols.resize(refs().size());
        m_keys.resize(refs().size());
        for (size_t i = 0; i < refs().size(); ++i) {
            const PlacedReference& r = refs()[i];
            if (r.block == kVerticalDescription) {
                m_symbols[i] = describedSymbol(attribute(r, "Symbol"), m_signSymbols);
                m_keys[i] = "S" + m_symbols[i].spelling;
            } else if (r.block == kHorizontalDescription) {
                m_symbols[i] = describedSymbol(attribute(r, "Symbol"), m_markingSymbols);
                if (arrowRow(m_symbols[i].spelling))
                    m_keys[i] = "A" + m_symbols[i].spelling;
            } else if (const auto board = boardName(r.block)) {
                m_keys[i] = "S" + board->symbol;
            } else if (const auto arrow = arrowBlock(r.block)) {
                m_keys[i] = "A" + std::string(kArrowRows[arrow->row].symbol);
            }
        }
    }

    static const ArrowRow* arrowRow(const std::string& symbol)
    {
        const auto row = std::find_if(std::begin(kArrowRows), std::end(kArrowRows),
                                      [&](const ArrowRow& a) { return symbol == a.symbol; });
        return row == std::end(kArrowRows) ? nullptr : &*row;
    }

    // Each description beside the board or arrow it describes: within a
    // group first, then the nearest free one of its symbol.
    void pairDescriptions()
    {
        std::vector<size_t> targets, descriptions;
        for (size_t i = 0; i < refs().size(); ++i) {
            if (m_keys[i].empty())
                continue;
            (isDescription(refs()[i]) ? descriptions : targets).push_back(i);
        }
        std::vector<bool> used(refs().size(), false);
        auto link = [&](size_t description, size_t target) {
            m_partnerOf[description] = target;
            m_descriptionOf[target] = description;
            used[target] = true;
        };
        std::map<int, std::vector<size_t>> targetsOfGroup;
        for (size_t t : targets)
            if (refs()[t].group >= 0)
                targetsOfGroup[refs()[t].group].push_back(t);
        for (size_t d : descriptions) {
            if (refs()[d].group < 0)
                continue;
            for (size_t t : targetsOfGroup[refs()[d].group])
                if (!used[t] && m_keys[t] == m_keys[d]) {
                    link(d, t);
                    break;
                }
        }
        // Free targets of each key along x, searched outwards from the
        // description until no nearer one can follow.
        std::map<std::string, std::vector<size_t>> byKey;
        for (size_t t : targets)
            if (!used[t])
                byKey[m_keys[t]].push_back(t);
        for (auto& [key, list] : byKey)
            std::stable_sort(list.begin(), list.end(), [&](size_t a, size_t b) { return refs()[a].x < refs()[b].x; });
        for (size_t d : descriptions) {
            if (m_partnerOf.count(d))
                continue;
            const auto it = byKey.find(m_keys[d]);
            if (it == byKey.end())
                continue;
            const auto& list = it->second;
            const PlacedReference& r = refs()[d];
            const size_t start =
                std::lower_bound(list.begin(), list.end(), r.x, [&](size_t b, double x) { return refs()[b].x < x; }) -
                list.begin();
            double best = std::numeric_limits<double>::infinity();
            size_t chosen = list.size();
            auto consider = [&](size_t k) {
                const PlacedReference& b = refs()[list[k]];
                if (used[list[k]])
                    return std::abs(b.x - r.x) < best;
                const double dist = std::hypot(b.x - r.x, b.y - r.y);
                if (dist < best || (dist == best && chosen < list.size() && list[k] < list[chosen])) {
                    best = dist;
                    chosen = k;
                }
                return std::abs(b.x - r.x) < best;
            };
            for (size_t k = start; k < list.size() && consider(k); ++k) {
            }
            for (size_t k = start; k-- > 0 && consider(k);) {
            }
            if (chosen < list.size())
                link(d, list[chosen]);
        }
    }

    void take(size_t i)
    {
        const PlacedReference& r = refs()[i];
        if (r.block == kVerticalDescription)
            takeSignDescription(i);
        else if (r.block == kHorizontalDescription)
            takeMarkingDescription(i);
        else if (const auto board = boardName(r.block)) {
            if (m_descriptionOf.count(i))
                return;
            const SignKey key{board->symbol, board->text, board->size, dimensionsText(facts(r)), ""};
            if (const int d = destination(nullptr, r); d >= 0) {
                m_signs[key][d] += 1;
                m_signPictures.emplace(key, r.handle);
            }
        } else if (const auto arrow = arrowBlock(r.block)) {
            const auto described = m_descriptionOf.find(i);
            const PlacedReference* description =
                described == m_descriptionOf.end() ? nullptr : &refs()[described->second];
            if (const int d = destination(description, r); d >= 0) {
                m_arrows[{arrow->row, arrow->isShort}][d] += 1;
                m_arrowPictures.emplace(std::pair{arrow->row, arrow->isShort}, r.handle);
            }
        } else if (const int light = lightPosition(r.block); light >= 0) {
            m_lights[light] += 1;
            m_lightPictures.emplace(light, r.handle);
        } else if (const BlockFacts& info = facts(r); info.infoBoard) {
            const InfoBoardKey key{info.text, dimensionsText(info), info.boardColour, info.textColour, boardArea(info)};
            if (const int d = destination(nullptr, r); d >= 0) {
                m_infoBoards[key][d] += 1;
                m_infoBoardPictures.emplace(key, r.handle);
            }
        }
    }

    template <class Key>
    static std::string pictureOf(const std::map<Key, std::string>& pictures, const Key& key)
    {
        const auto it = pictures.find(key);
        return it == pictures.end() ? std::string() : it->second;
    }

    const BlockFacts& facts(const PlacedReference& r) const
    {
        static const BlockFacts kNone;
        const auto it = m_drawing.blocks.find(r.block);
        return it == m_drawing.blocks.end() ? kNone : it->second;
    }

    // Warns about what makes a description doubtful; false for one that
    // cannot be counted at all.
    bool checkDescription(size_t i)
    {
        const PlacedReference& r = refs()[i];
        if (r.attributes.empty()) {
            warn(r, "opis bez atrybutów; nie policzono");
            return false;
        }
        for (const std::string& tag : r.clashingTags)
            warn(r, "atrybut " + tag +
                        " powtórzony z innym tekstem; przyjęto pierwszy: " + quotedText(attribute(r, tag.c_str())));
        const DescribedSymbol& symbol = m_symbols[i];
        if (symbol.respelled)
            warn(r, "symbol " + quotedText(attribute(r, "Symbol")) + " policzono jako " + symbol.spelling);
        else if (!symbol.known)
            warn(r, "symbol " + quotedText(symbol.spelling) + " nieznany w katalogu");
        return true;
    }

    void takeSignDescription(size_t i)
    {
        if (!checkDescription(i))
            return;
        const PlacedReference& r = refs()[i];
        const auto paired = m_partnerOf.find(i);
        if (paired == m_partnerOf.end() && m_symbols[i].known)
            warn(r, "brak tablicy znaku obok opisu");
        std::string size = trimmed(attribute(r, "Wielkość"));
        std::string text, dimensions;
        if (paired != m_partnerOf.end()) {
            const PlacedReference& board = refs()[paired->second];
            const auto name = boardName(board.block);
            if (size.empty())
                size = name->size;
            text = name->text;
            dimensions = dimensionsText(facts(board));
        }
        const int d = destination(&r, paired == m_partnerOf.end() ? r : refs()[paired->second]);
        if (d < 0)
            return;
        const SignKey key{m_symbols[i].spelling, text, size, dimensions, trimmed(attribute(r, "Odblaskowość"))};
        m_signs[key][d] += 1;
        if (paired != m_partnerOf.end())
            m_signPictures.emplace(key, refs()[paired->second].handle);
    }

    void takeMarkingDescription(size_t i)
    {
        if (!checkDescription(i))
            return;
        const PlacedReference& r = refs()[i];
        const std::string& symbol = m_symbols[i].spelling;
        if (const ArrowRow* row = arrowRow(symbol)) {
            checkArrowDescription(i, *row);
            return;
        }
        const int d = destination(&r, r);
        const auto length = figure(r, "Długość", "m");
        const auto area = figure(r, "Powierzchnia", "m2");
        const auto perMetre = figure(r, "Powierzchnia_na_mb", "");
        if (length && area && perMetre) {
            // Length times area per metre is in millionths of m², beyond
            // 64 bits for the largest figures a description may hold.
            __extension__ using Wide = __int128;
            const Wide product = Wide(length->thousandths) * perMetre->thousandths;
            const Wide difference = Wide(area->thousandths) * 1000 - product;
            if (difference > kAreaTolerance || difference < -kAreaTolerance)
                warn(r, "Powierzchnia " + formatQuantity(*area, ',') +
                            " m² różni się od Długość × Powierzchnia_na_mb = " + formatQuantity(*length, ',') + " × " +
                            formatQuantity(*perMetre, ',') + " = " + formatProduct(*length, *perMetre, ',') + " m²");
        }
        if (d < 0)
            return;
        auto& sums = m_lines[catalogueKey(kLineRows, symbol)];
        if (length)
            sums[d].first += *length;
        if (area)
            sums[d].second += *area;
    }

    // Arrows are counted by their blocks, at their descriptions'
    // destinations; a description only has to have its arrow and agree
    // with the catalogue.
    void checkArrowDescription(size_t i, const ArrowRow& row)
    {
        const PlacedReference& r = refs()[i];
        if (!m_partnerOf.count(i))
            warn(r, "brak strzałki obok opisu; nie policzono");
        const std::string given = trimmed(attribute(r, "Długość"));
        const bool twoSizes = *row.shortArea != '\0';
        bool isShort = false;
        if (twoSizes && given == lengthClass(true))
            isShort = true;
        else if (!(twoSizes ? given == lengthClass(false) : given.empty())) {
            warn(r, "Długość " + quotedText(given) + " nie jest klasą długości tej strzałki");
            return;
        }
        const auto area = figure(r, "Powierzchnia", "m2");
        const std::string_view catalogue = isShort ? row.shortArea : row.longArea;
        const Quantity expected = parseQuantity(catalogue, "m2").value_or(Quantity{});
        if (area && *area != expected)
            warn(r, "Powierzchnia " + formatQuantity(*area, ',') + " m² różni się od wartości katalogowej " +
                        formatQuantity(expected, ',') + " m²");
    }

    // Texts a workbook cell cannot hold are shortened, visibly, in the
    // report itself, so that every format shows the same, and each is
    // warned about.
    static void fitCells(Report& report)
    {
        std::vector<std::string> notes;
        for (ReportTable& table : report.tables)
            for (size_t r = 0; r < table.rows.size(); ++r)
                for (size_t c = 0; c < table.rows[r].size(); ++c) {
                    ReportCell& cell = table.rows[r][c];
                    if (cell.kind != ReportCell::Kind::Text || cell.text.size() <= kCellLimit)
                        continue;
                    notes.push_back("Tabela \"" + table.title + "\", wiersz " + std::to_string(r + 1) + ", kolumna \"" +
                                    table.headings[c] + "\": tekst (" + std::to_string(cell.text.size()) +
                                    " bajtów) skrócono do " + std::to_string(kCellLimit));
                    cell.text = shortened(cell.text, kCellLimit);
                }
        for (std::string& w : report.warnings)
            w = shortened(w, kCellLimit);
        report.warnings.insert(report.warnings.end(), notes.begin(), notes.end());
    }

    ReportTable signTable() const
    {
        ReportTable t{"Znaki pionowe",
                      "Znaki pionowe",
                      "znaki_pionowe",
                      {"Symbol", "Tekst", "Wielkość", "Wymiary [mm]", "Odblaskowość"},
                      {},
                      {}};
        addCountHeadings(t);
        for (const auto& [key, counts] : m_signs) {
            std::vector<ReportCell> row = {text(key.symbol), text(key.text), text(key.size), text(key.dimensions),
                                           text(key.generation)};
            addCounts(row, counts);
            t.rows.push_back(std::move(row));
            t.pictures.push_back(pictureOf(m_signPictures, key));
        }
        addTotals(t, 5, {ReportCell::Kind::Count});
        return t;
    }

    ReportTable infoBoardTable() const
    {
        ReportTable t{"Tablice informacyjne",
                      "Tablice informacyjne",
                      "tablice_informacyjne",
                      {"Tekst", "Wymiary [mm]", "Kolor tablicy", "Kolor tekstu", "Powierzchnia [m²]"},
                      {},
                      {}};
        addCountHeadings(t);
        t.headings.push_back("Razem powierzchnia [m²]");
        for (const auto& [key, counts] : m_infoBoards) {
            std::vector<ReportCell> row = {text(key.text), text(key.dimensions), text(key.boardColour),
                                           text(key.textColour), quantity(key.area)};
            row.push_back(quantity(key.area * addCounts(row, counts)));
            t.pictures.push_back(pictureOf(m_infoBoardPictures, key));
            t.rows.push_back(std::move(row));
        }
        // One board's area (a text column to the totals) has no total; the
        // last column has the sum of the areas.
        addTotals(t, 5, {ReportCell::Kind::Count});
        t.rows.back().back().kind = ReportCell::Kind::Quantity;
        return t;
    }

    ReportTable lineTable() const
    {
        ReportTable t{"Oznakowanie poziome – linie", "Linie", "linie", {"Symbol"}, {}, {}};
        for (const char* d : kDestinations) {
            t.headings.push_back(std::string(d) + " długość [m]");
            t.headings.push_back(std::string(d) + " powierzchnia [m²]");
        }
        t.headings.push_back("Razem długość [m]");
        t.headings.push_back("Razem powierzchnia [m²]");
        for (const auto& [key, sums] : m_lines) {
            std::vector<ReportCell> row = {text(key.symbol)};
            Quantity length, area;
            for (const auto& [l, a] : sums) {
                row.push_back(quantity(l));
                row.push_back(quantity(a));
                length += l;
                area += a;
            }
            row.push_back(quantity(length));
            row.push_back(quantity(area));
            t.rows.push_back(std::move(row));
        }
        addTotals(t, 1, {ReportCell::Kind::Quantity});
        return t;
    }

    ReportTable arrowTable() const
    {
        ReportTable t{"Oznakowanie poziome – strzałki", "Strzałki", "strzalki", {"Symbol", "Długość"}, {}, {}};
        for (const char* d : kDestinations) {
            t.headings.push_back(std::string(d) + " [szt.]");
            t.headings.push_back(std::string(d) + " powierzchnia [m²]");
        }
        t.headings.push_back("Razem [szt.]");
        t.headings.push_back("Razem powierzchnia [m²]");
        for (const auto& [key, counts] : m_arrows) {
            const ArrowBlock arrow{key.first, key.second};
            const bool twoSizes = *kArrowRows[arrow.row].shortArea != '\0';
            std::vector<ReportCell> row = {text(kArrowRows[arrow.row].symbol),
                                           text(twoSizes ? lengthClass(arrow.isShort) : "")};
            int64_t total = 0;
            for (const int64_t n : counts) {
                row.push_back(count(n));
                row.push_back(quantity(catalogueArea(arrow) * n));
                total += n;
            }
            row.push_back(count(total));
            row.push_back(quantity(catalogueArea(arrow) * total));
            t.rows.push_back(std::move(row));
            t.pictures.push_back(pictureOf(m_arrowPictures, key));
        }
        addTotals(t, 2, {ReportCell::Kind::Count, ReportCell::Kind::Quantity});
        return t;
    }

    ReportTable lightTable() const
    {
        ReportTable t{"Sygnalizacja świetlna", "Światła", "swiatla", {"Symbol", "Liczba [szt.]"}, {}, {}};
        for (const auto& [position, n] : m_lights) {
            t.rows.push_back({text(kTrafficLightRows[position].name), count(n)});
            t.pictures.push_back(pictureOf(m_lightPictures, position));
        }
        addTotals(t, 1, {ReportCell::Kind::Count});
        return t;
    }

    const DrawingContents& m_drawing;
    std::vector<std::string> m_signSymbols, m_markingSymbols;  // the catalogues' spellings
    std::vector<DescribedSymbol> m_symbols;                    // of each description
    std::vector<std::string> m_keys;                           // for pairing; "" for none
    std::map<size_t, size_t> m_partnerOf;                      // description → board or arrow
    std::map<size_t, size_t> m_descriptionOf;                  // board or arrow → description
    std::map<SignKey, Counts> m_signs;
    std::map<CatalogueKey, std::array<std::pair<Quantity, Quantity>, 4>> m_lines;
    std::map<std::pair<size_t, bool>, Counts> m_arrows;  // (row, short) → counts
    std::map<int, int64_t> m_lights;
    std::map<InfoBoardKey, Counts> m_infoBoards;
    // A reference of each row, the first counted, to draw beside it.
    std::map<SignKey, std::string> m_signPictures;
    std::map<std::pair<size_t, bool>, std::string> m_arrowPictures;
    std::map<int, std::string> m_lightPictures;
    std::map<InfoBoardKey, std::string> m_infoBoardPictures;
    std::vector<std::string> m_warnings;
};

}  // namespace

Report makeReport(const DrawingContents& drawing) { return ReportMaker(drawing).make(); }
