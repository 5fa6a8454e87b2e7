#include "console/ReportFormats.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr char kDecimalComma = ',';

std::string padded(const std::string& s, size_t width, bool right)
{
    const std::string fill(width > codePoints(s) ? width - codePoints(s) : 0, ' ');
    return right ? fill + s : s + fill;
}

bool isNumber(const ReportCell& cell) { return cell.kind != ReportCell::Kind::Text; }

std::string replaced(const std::string& s, const std::vector<std::pair<char, std::string>>& map)
{
    std::string out;
    for (const char c : s) {
        const auto it = std::find_if(map.begin(), map.end(), [c](const auto& m) { return m.first == c; });
        if (it == map.end())
            out += c;
        else
            out += it->second;
    }
    return out;
}

std::string htmlEscaped(const std::string& s)
{
    return replaced(s, {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}});
}

std::string markdownEscaped(const std::string& s)
{
    return replaced(s, {{'\\', "\\\\"},
                        {'|', "\\|"},
                        {'<', "&lt;"},
                        {'>', "&gt;"},
                        {'&', "&amp;"},
                        {'*', "\\*"},
                        {'_', "\\_"},
                        {'`', "\\`"},
                        {'\n', " "},
                        {'\r', " "}});
}

// A field: quoted when it holds the separator, a quote or a line break; a
// text a spreadsheet would take for a formula gets a leading apostrophe,
// so that a drawing's texts never run as formulas.
std::string csvField(const ReportCell& cell)
{
    std::string s = cellText(cell, kDecimalComma);
    if (cell.kind == ReportCell::Kind::Text && !s.empty() &&
        std::string_view("=+-@\t\r").find(s[0]) != std::string::npos)
        s = "'" + s;
    if (s.find_first_of(";\"\r\n") == std::string::npos)
        return s;
    std::string quoted = "\"";
    for (const char c : s)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string csvLine(const std::vector<ReportCell>& cells)
{
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i ? ";" : "") + csvField(cells[i]);
    return line + "\r\n";
}

std::vector<ReportCell> headingCells(const ReportTable& table)
{
    std::vector<ReportCell> cells;
    for (const auto& h : table.headings)
        cells.push_back({ReportCell::Kind::Text, h, 0, {}});
    return cells;
}

constexpr const char* kBom = "\xEF\xBB\xBF";

std::string base64(const std::string& bytes)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size())
            group |= uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (i + 2 < bytes.size())
            group |= uint32_t(static_cast<unsigned char>(bytes[i + 2]));
        out += kDigits[group >> 18 & 63];
        out += kDigits[group >> 12 & 63];
        out += i + 1 < bytes.size() ? kDigits[group >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
    }
    return out;
}

// The picture cell of row r: the SVG as a data address, so that the page
// stays one file and each picture keeps its own names of glyphs.
std::string pictureCell(const ReportTable& table, size_t r, const std::map<std::string, std::string>& pictures)
{
    if (r >= table.pictures.size())
        return "<td></td>";
    const auto it = pictures.find(table.pictures[r]);
    if (it == pictures.end())
        return "<td></td>";
    return "<td class=\"p\"><img alt=\"\" src=\"data:image/svg+xml;base64," + base64(it->second) + "\"></td>";
}

bool hasPictures(const ReportTable& table, const std::map<std::string, std::string>& pictures)
{
    return std::any_of(table.pictures.begin(), table.pictures.end(),
                       [&](const std::string& handle) { return pictures.count(handle) != 0; });
}

}  // namespace

size_t codePoints(const std::string& s)
{
    return size_t(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string cellText(const ReportCell& cell, char decimalMark)
{
    switch (cell.kind) {
    case ReportCell::Kind::Count: return std::to_string(cell.count);
    case ReportCell::Kind::Quantity: return formatQuantity(cell.quantity, decimalMark);
    case ReportCell::Kind::Text: break;
    }
    return cell.text;
}

std::string reportText(const Report& report)
{
    std::string out;
    for (const ReportTable& table : report.tables) {
        std::vector<size_t> widths(table.headings.size());
        for (size_t c = 0; c < widths.size(); ++c) {
            widths[c] = codePoints(table.headings[c]);
            for (const auto& row : table.rows)
                widths[c] = std::max(widths[c], codePoints(cellText(row[c], kDecimalComma)));
        }
        out += table.title + "\n" + std::string(codePoints(table.title), '=') + "\n";
        // Numbers and their headings to the right; the totals row (always
        // there) tells which columns hold numbers.
        auto line = [&](const std::vector<std::string>& texts) {
            std::string l;
            for (size_t c = 0; c < texts.size(); ++c)
                l += (c ? "  " : "") + padded(texts[c], widths[c], isNumber(table.rows.back()[c]));
            while (!l.empty() && l.back() == ' ')
                l.pop_back();
            out += l + "\n";
        };
        line(table.headings);
        for (const auto& row : table.rows) {
            std::vector<std::string> texts;
            for (const auto& cell : row)
                texts.push_back(cellText(cell, kDecimalComma));
            line(texts);
        }
        out += "\n";
    }
    if (report.warnings.empty())
        return out + "Ostrzeżenia: brak\n";
    out += "Ostrzeżenia (" + std::to_string(report.warnings.size()) + "):\n";
    for (const auto& w : report.warnings)
        out += "  " + w + "\n";
    return out;
}

std::string tableCsv(const ReportTable& table)
{
    std::string out = std::string(kBom) + csvLine(headingCells(table));
    for (const auto& row : table.rows)
        out += csvLine(row);
    return out;
}

std::string warningsCsv(const Report& report)
{
    std::string out(kBom);
    out += "Ostrzeżenie\r\n";
    for (const auto& w : report.warnings)
        out += csvLine({{ReportCell::Kind::Text, w, 0, {}}});
    return out;
}

std::string reportMarkdown(const Report& report, const std::string& title)
{
    std::string out = "# " + markdownEscaped(title) + "\n";
    for (const ReportTable& table : report.tables) {
        out += "\n## " + markdownEscaped(table.title) + "\n\n|";
        std::string rule = "|";
        for (size_t c = 0; c < table.headings.size(); ++c) {
            out += " " + markdownEscaped(table.headings[c]) + " |";
            rule += isNumber(table.rows.back()[c]) ? "---:|" : "---|";
        }
        out += "\n" + rule + "\n";
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const bool totals = r + 1 == table.rows.size();
            out += "|";
            for (const auto& cell : table.rows[r]) {
                const std::string t = markdownEscaped(cellText(cell, kDecimalComma));
                out += " " + (totals && !t.empty() ? "**" + t + "**" : t) + " |";
            }
            out += "\n";
        }
    }
    out += "\n## Ostrzeżenia\n\n";
    if (report.warnings.empty())
        out += "Brak.\n";
    for (const auto& w : report.warnings)
        out += "- " + markdownEscaped(w) + "\n";
    return out;
}

std::string reportHtml(const Report& report, const std::string& title,
                       const std::map<std::string, std::string>& pictures)
{
    std::string out = R"(<!DOCTYPE html>
<html lang="pl">
<head>
<meta charset="utf-8">
<title>)" + htmlEscaped(title) +
                      R"(</title>
<style>
body { font-family: sans-serif; margin: 2em; }
table { border-collapse: collapse; margin-bottom: 2em; }
th, td { border: 1px solid #888; padding: 0.2em 0.6em; }
th { background: #eee; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
tfoot td { font-weight: bold; }
td.p { text-align: center; padding: 0.2em; }
td.p img { max-width: 6em; max-height: 4em; vertical-align: middle; }
</style>
</head>
<body>
<h1>)" + htmlEscaped(title) +
                      "</h1>\n";
    for (const ReportTable& table : report.tables) {
        const bool drawn = hasPictures(table, pictures);
        out += "<h2>" + htmlEscaped(table.title) + "</h2>\n<table>\n<thead><tr>";
        if (drawn)
            out += "<th>Rysunek</th>";
        for (const auto& h : table.headings)
            out += "<th>" + htmlEscaped(h) + "</th>";
        out += "</tr></thead>\n<tbody>\n";
        for (size_t r = 0; r < table.rows.size(); ++r) {
            if (r + 1 == table.rows.size())
                out += "</tbody>\n<tfoot>\n";
            out += "<tr>";
            if (drawn)
                out += pictureCell(table, r, pictures);
            for (const auto& cell : table.rows[r])
                out += std::string(isNumber(cell) ? "<td class=\"n\">" : "<td>") +
                       htmlEscaped(cellText(cell, kDecimalComma)) + "</td>";
            out += "</tr>\n";
        }
        out += "</tfoot>\n</table>\n";
    }
    out += "<h2>Ostrzeżenia</h2>\n";
    if (report.warnings.empty())
        out += "<p>Brak.</p>\n";
    else {
        out += "<ul>\n";
        for (const auto& w : report.warnings)
            out += "<li>" + htmlEscaped(w) + "</li>\n";
        out += "</ul>\n";
    }
    return out + "</body>\n</html>\n";
}
