#include "console/BillOfQuantities.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <set>
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

// Layer names compare as the host compares them, without regard to case.
int destinationOfLayer(const std::string& layer, const std::array<std::string, 4>& layers)
{
    for (int i = 0; i < 4; ++i)
        if (strcasecmp(layers[i].c_str(), layer.c_str()) == 0)
            return i;
    return -1;
}

// A sign board's block: symbol, "_", text, "_", size letter (a space for
// the boards without sizes), and "_" more for a left-pointing board.
struct BoardName {
    std::string symbol;
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
        return BoardName{symbol, trimmed(rest.substr(rest.size() - 1))};
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

struct SignKey {
    std::string symbol, size, generation;
    bool operator<(const SignKey& o) const
    {
        if (symbol != o.symbol)
            return naturalLess(symbol, o.symbol);
        if (size != o.size)
            return sizeRank(size) != sizeRank(o.size) ? sizeRank(size) < sizeRank(o.size) : size < o.size;
        return naturalLess(generation, o.generation);
    }
};

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

class ReportMaker {
public:
    explicit ReportMaker(const DrawingContents& drawing) : m_drawing(drawing) {}

    Report make()
    {
        pairSigns();
        for (size_t i = 0; i < refs().size(); ++i)
            take(i);
        Report report;
        report.tables = {signTable(), lineTable(), arrowTable(), lightTable()};
        report.warnings = std::move(m_warnings);
        return report;
    }

private:
    const std::vector<PlacedReference>& refs() const { return m_drawing.references; }

    std::string who(const PlacedReference& r) const
    {
        const std::string symbol = attribute(r, "Symbol");
        return (r.block == kVerticalDescription || r.block == kHorizontalDescription ? "Opis " : "Blok ") + r.handle +
               " (" + (symbol.empty() ? r.block : symbol) + ")";
    }

    void warn(const PlacedReference& r, const std::string& what) { m_warnings.push_back(who(r) + ": " + what); }

    int layerDestination(const PlacedReference& r) { return destinationOfLayer(r.layer, m_drawing.destinationLayers); }

    // A description's destination: its own text, else its layer's. Warns
    // about a layer that matches no destination and about an unknown text.
    int descriptionDestination(const PlacedReference& r)
    {
        const int byLayer = layerDestination(r);
        if (byLayer < 0)
            warn(r, "warstwa \"" + r.layer + "\" nie odpowiada żadnemu przeznaczeniu");
        const std::string given = attribute(r, "Przeznaczenie");
        const int byText = destinationOfText(given);
        if (byText >= 0)
            return byText;
        if (byLayer >= 0)
            warn(r,
                 "przeznaczenie \"" + given + "\" nieznane, przyjęto przeznaczenie warstwy: " + kDestinations[byLayer]);
        else
            warn(r, "przeznaczenie \"" + given + "\" nieznane; nie policzono");
        return byLayer;
    }

    int referenceDestination(const PlacedReference& r)
    {
        const int d = layerDestination(r);
        if (d < 0)
            warn(r, "warstwa \"" + r.layer + "\" nie odpowiada żadnemu przeznaczeniu; nie policzono");
        return d;
    }

    // A figure of a description, or nothing with a warning.
    std::optional<Quantity> figure(const PlacedReference& r, const char* tag, std::string_view unit)
    {
        const std::string given = attribute(r, tag);
        auto q = parseQuantity(given, unit);
        if (!q)
            warn(r, std::string("atrybut ") + tag + " = \"" + given + "\" nie jest liczbą; pominięto w sumach");
        return q;
    }

    // Each description beside the board it describes: within a group
    // first, then the nearest free board of its symbol.
    void pairSigns()
    {
        std::vector<size_t> boards, descriptions;
        for (size_t i = 0; i < refs().size(); ++i) {
            if (refs()[i].block == kVerticalDescription)
                descriptions.push_back(i);
            else if (boardName(refs()[i].block))
                boards.push_back(i);
        }
        std::vector<bool> used(refs().size(), false);
        auto link = [&](size_t description, size_t board) {
            m_boardOf[description] = board;
            m_described.insert(board);
            used[board] = true;
        };
        std::map<int, std::vector<size_t>> boardsOfGroup;
        for (size_t b : boards)
            if (refs()[b].group >= 0)
                boardsOfGroup[refs()[b].group].push_back(b);
        for (size_t d : descriptions) {
            if (refs()[d].group < 0)
                continue;
            const std::string symbol = trimmed(attribute(refs()[d], "Symbol"));
            for (size_t b : boardsOfGroup[refs()[d].group])
                if (!used[b] && boardName(refs()[b].block)->symbol == symbol) {
                    link(d, b);
                    break;
                }
        }
        // Free boards of each symbol along x, searched outwards from the
        // description until no nearer board can follow.
        std::map<std::string, std::vector<size_t>> bySymbol;
        for (size_t b : boards)
            if (!used[b])
                bySymbol[boardName(refs()[b].block)->symbol].push_back(b);
        for (auto& [symbol, list] : bySymbol)
            std::stable_sort(list.begin(), list.end(), [&](size_t a, size_t b) { return refs()[a].x < refs()[b].x; });
        for (size_t d : descriptions) {
            if (m_boardOf.count(d))
                continue;
            const auto it = bySymbol.find(trimmed(attribute(refs()[d], "Symbol")));
            if (it == bySymbol.end())
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
            takeMarkingDescription(r);
        else if (const auto board = boardName(r.block)) {
            if (m_described.count(i))
                return;
            if (const int d = referenceDestination(r); d >= 0)
                m_signs[{board->symbol, board->size, ""}][d] += 1;
        } else if (const auto arrow = arrowBlock(r.block)) {
            if (const int d = referenceDestination(r); d >= 0)
                m_arrows[{arrow->row, arrow->isShort}][d] += 1;
        } else if (const int light = lightPosition(r.block); light >= 0) {
            m_lights[light] += 1;
        }
    }

    void takeSignDescription(size_t i)
    {
        const PlacedReference& r = refs()[i];
        const auto paired = m_boardOf.find(i);
        std::string size = trimmed(attribute(r, "Wielkość"));
        if (size.empty() && paired != m_boardOf.end())
            size = boardName(refs()[paired->second].block)->size;
        int d = descriptionDestination(r);
        if (d < 0 && paired != m_boardOf.end())
            d = layerDestination(refs()[paired->second]);
        if (d >= 0)
            m_signs[{trimmed(attribute(r, "Symbol")), size, trimmed(attribute(r, "Odblaskowość"))}][d] += 1;
    }

    void takeMarkingDescription(const PlacedReference& r)
    {
        const std::string symbol = trimmed(attribute(r, "Symbol"));
        const auto row = std::find_if(std::begin(kArrowRows), std::end(kArrowRows),
                                      [&](const ArrowRow& a) { return symbol == a.symbol; });
        if (row != std::end(kArrowRows)) {
            checkArrowDescription(r, *row);
            return;
        }
        const int d = descriptionDestination(r);
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
                            formatQuantity(*perMetre, ',') + " = " +
                            formatQuantity({int64_t((product + 500) / 1000)}, ',') + " m²");
        }
        if (d < 0)
            return;
        auto& sums = m_lines[catalogueKey(kLineRows, symbol)];
        if (length)
            sums[d].first += *length;
        if (area)
            sums[d].second += *area;
    }

    // Arrows are counted by their blocks; their descriptions only have to
    // agree with the catalogue.
    void checkArrowDescription(const PlacedReference& r, const ArrowRow& row)
    {
        descriptionDestination(r);
        const std::string given = trimmed(attribute(r, "Długość"));
        const bool twoSizes = *row.shortArea != '\0';
        bool isShort = false;
        if (twoSizes && given == lengthClass(true))
            isShort = true;
        else if (!(twoSizes ? given == lengthClass(false) : given.empty())) {
            warn(r, "Długość \"" + given + "\" nie jest klasą długości tej strzałki");
            return;
        }
        const auto area = figure(r, "Powierzchnia", "m2");
        const std::string_view catalogue = isShort ? row.shortArea : row.longArea;
        const Quantity expected = parseQuantity(catalogue, "m2").value_or(Quantity{});
        if (area && *area != expected)
            warn(r, "Powierzchnia " + formatQuantity(*area, ',') + " m² różni się od wartości katalogowej " +
                        formatQuantity(expected, ',') + " m²");
    }

    ReportTable signTable() const
    {
        ReportTable t{"Znaki pionowe", "Znaki pionowe", "znaki_pionowe", {"Symbol", "Wielkość", "Odblaskowość"}, {}};
        for (const char* d : kDestinations)
            t.headings.push_back(std::string(d) + " [szt.]");
        t.headings.push_back("Razem [szt.]");
        for (const auto& [key, counts] : m_signs) {
            std::vector<ReportCell> row = {text(key.symbol), text(key.size), text(key.generation)};
            int64_t total = 0;
            for (const int64_t n : counts) {
                row.push_back(count(n));
                total += n;
            }
            row.push_back(count(total));
            t.rows.push_back(std::move(row));
        }
        addTotals(t, 3, {ReportCell::Kind::Count});
        return t;
    }

    ReportTable lineTable() const
    {
        ReportTable t{"Oznakowanie poziome – linie", "Linie", "linie", {"Symbol"}, {}};
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
        ReportTable t{"Oznakowanie poziome – strzałki", "Strzałki", "strzalki", {"Symbol", "Długość"}, {}};
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
        }
        addTotals(t, 2, {ReportCell::Kind::Count, ReportCell::Kind::Quantity});
        return t;
    }

    ReportTable lightTable() const
    {
        ReportTable t{"Sygnalizacja świetlna", "Światła", "swiatla", {"Symbol", "Liczba [szt.]"}, {}};
        for (const auto& [position, n] : m_lights)
            t.rows.push_back({text(kTrafficLightRows[position].name), count(n)});
        addTotals(t, 1, {ReportCell::Kind::Count});
        return t;
    }

    const DrawingContents& m_drawing;
    std::map<size_t, size_t> m_boardOf;  // description → board
    std::set<size_t> m_described;        // boards that have a description
    std::map<SignKey, Counts> m_signs;
    std::map<CatalogueKey, std::array<std::pair<Quantity, Quantity>, 4>> m_lines;
    std::map<std::pair<size_t, bool>, Counts> m_arrows;  // (row, short) → counts
    std::map<int, int64_t> m_lights;
    std::vector<std::string> m_warnings;
};

}  // namespace

Report makeReport(const DrawingContents& drawing) { return ReportMaker(drawing).make(); }
