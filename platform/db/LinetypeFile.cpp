#include "platform/db/LinetypeFile.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <optional>

#include "ZcDbDatabase.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/core/InputFile.h"
#include "platform/db/ObjectAccess.h"
#include "platform/editor/Transcript.h"
#include "platform/win/TextEncodings.h"
#include "platform/win/WindowsPath.h"

using namespace platform;

namespace {

// The host's limit of dashes in one linetype.
constexpr size_t kMaxDashes = 12;

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

std::optional<double> number(std::string_view s)
{
    s = trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// A rotation as the file gives it: degrees, or with a unit letter d, r or g.
std::optional<double> rotation(std::string_view s)
{
    s = trim(s);
    double toRadians = std::numbers::pi / 180.0;
    if (!s.empty()) {
        switch (upper(s.back())) {
        case 'D':
            s.remove_suffix(1);
            break;
        case 'R':
            toRadians = 1.0;
            s.remove_suffix(1);
            break;
        case 'G':
            toRadians = std::numbers::pi / 200.0;
            s.remove_suffix(1);
            break;
        default:
            break;
        }
    }
    const auto v = number(s);
    if (!v)
        return std::nullopt;
    return *v * toRadians;
}

// The fields of a pattern line, split at commas outside brackets and quotes.
std::optional<std::vector<std::string_view>> fields(std::string_view line)
{
    std::vector<std::string_view> out;
    size_t start = 0;
    int depth = 0;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '[')
            ++depth;
        else if (!quoted && c == ']')
            --depth;
        else if (!quoted && depth == 0 && c == ',') {
            out.push_back(trim(line.substr(start, i - start)));
            start = i + 1;
        }
        if (depth < 0 || depth > 1)
            return std::nullopt;
    }
    if (depth != 0 || quoted)
        return std::nullopt;
    out.push_back(trim(line.substr(start)));
    return out;
}

// A complex element in brackets; a text is kept, anything else is a problem.
std::optional<LinetypeTextElement> element(std::string_view spelled, std::string& problem)
{
    std::string_view inner = trim(spelled.substr(1, spelled.size() - 2));
    if (inner.empty() || inner.front() != '"') {
        problem = "element kształtu " + std::string(spelled) + " wymaga skompilowanego pliku kształtów (.shx), którego tu się nie czyta";
        return std::nullopt;
    }
    const size_t close = inner.find('"', 1);
    if (close == std::string_view::npos) {
        problem = "tekst elementu nie ma cudzysłowu zamykającego";
        return std::nullopt;
    }
    LinetypeTextElement text;
    text.text = std::string(inner.substr(1, close - 1));
    std::string_view rest = trim(inner.substr(close + 1));
    if (rest.empty() || rest.front() != ',') {
        problem = "element tekstowy podaje styl tekstu po tekście";
        return std::nullopt;
    }
    rest.remove_prefix(1);
    size_t index = 0;
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view item = trim(rest.substr(0, comma));
        if (index == 0) {
            text.style = std::string(item);
            if (text.style.empty()) {
                problem = "element tekstowy podaje styl tekstu po tekście";
                return std::nullopt;
            }
        } else {
            const size_t eq = item.find('=');
            const char key = item.size() > 1 && eq == 1 ? upper(item[0]) : '\0';
            const std::string_view value = eq == std::string_view::npos ? std::string_view() : item.substr(eq + 1);
            std::optional<double> v;
            switch (key) {
            case 'S':
                v = number(value);
                if (v && *v > 0.0)
                    text.scale = *v;
                else
                    v.reset();
                break;
            case 'R':
            case 'A':
                v = rotation(value);
                if (v) {
                    text.rotation = *v;
                    text.absoluteRotation = key == 'A';
                }
                break;
            case 'X':
                v = number(value);
                if (v)
                    text.offsetX = *v;
                break;
            case 'Y':
                v = number(value);
                if (v)
                    text.offsetY = *v;
                break;
            case 'U':
                problem = "obrót U= (tekst zawsze pionowo) nie jest obsługiwany; należy użyć R= lub A=";
                return std::nullopt;
            default:
                break;
            }
            if (!v) {
                problem = std::string("\"").append(item).append("\" nie jest liczbą S=, R=, A=, X= ani Y=");
                return std::nullopt;
            }
        }
        ++index;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return text;
}

void parsePattern(std::string_view line, LinetypeDefinition& def)
{
    const auto parts = fields(line);
    if (!parts) {
        def.problem = "niedomknięty nawias lub cudzysłów we wzorze";
        return;
    }
    if ((*parts)[0].size() != 1 || upper((*parts)[0][0]) != 'A') {
        def.problem = "wiersz wzoru zaczyna się od wyrównania A";
        return;
    }
    for (size_t i = 1; i < parts->size(); ++i) {
        const std::string_view part = (*parts)[i];
        if (!part.empty() && part.front() == '[') {
            if (def.dashes.empty()) {
                def.problem = "element w nawiasach stoi po kresce, przy której jest rysowany";
                return;
            }
            std::string problem;
            auto text = element(part, problem);
            if (!text) {
                def.problem = problem;
                return;
            }
            def.texts.back() = std::move(*text);
            continue;
        }
        const auto v = number(part);
        if (!v) {
            def.problem = std::string("\"").append(part).append("\" nie jest długością kreski");
            return;
        }
        def.dashes.push_back(*v);
        def.texts.emplace_back();
    }
    if (def.dashes.size() > kMaxDashes) {
        def.problem = "więcej niż " + std::to_string(kMaxDashes) + " kresek";
    } else if (!def.dashes.empty() && def.dashes.front() < 0.0) {
        def.problem = "przy wyrównaniu A wzór zaczyna się od kreski lub kropki, nie od przerwy";
    } else if (!def.dashes.empty()) {
        double length = 0.0;
        for (double d : def.dashes)
            length += std::fabs(d);
        if (!(length > 0.0))
            def.problem = "wzór ma zerową długość";
    }
}

// Adds a record to the linetype table whatever its open state: the host
// loads linetypes while its callers hold the table open for read.
Zcad::ErrorStatus addToTable(ZcDbDatabase* db, ZcDbLinetypeTableRecord* record)
{
    auto* table = ZcDbObjectAccess::peekAs<ZcDbLinetypeTable>(db->linetypeTableId());
    if (!table)
        return Zcad::eNullObjectPointer;
    if (table->isWriteEnabled())
        return table->add(record);
    if (table->isReadEnabled()) {
        ZcDbObjectAccess::markOpened(table, ZcDb::kForWrite);
        const Zcad::ErrorStatus es = table->add(record);
        table->close();  // ends only the write access taken here
        return es;
    }
    ZcDbLinetypeTable* opened = nullptr;
    if (Zcad::ErrorStatus es = db->getLinetypeTable(opened, ZcDb::kForWrite); es != Zcad::eOk)
        return es;
    const Zcad::ErrorStatus es = opened->add(record);
    opened->close();
    return es;
}

Zcad::ErrorStatus addLinetype(ZcDbDatabase* db, const LinetypeDefinition& def, std::string& problem)
{
    auto* record = new ZcDbLinetypeTableRecord;
    Zcad::ErrorStatus es = record->setName(def.name.c_str());
    if (es != Zcad::eOk) {
        problem = "\"" + def.name + "\" nie może być nazwą typu linii";
        record->close();
        return es;
    }
    record->setComments(def.description.c_str());
    record->setNumDashes(int(def.dashes.size()));
    for (size_t i = 0; i < def.dashes.size(); ++i) {
        record->setDashLengthAt(int(i), def.dashes[i]);
        if (!def.texts[i])
            continue;
        const LinetypeTextElement& t = *def.texts[i];
        ZcDbObjectId style;
        const auto* styles = ZcDbObjectAccess::peekAs<ZcDbTextStyleTable>(db->textStyleTableId());
        if (!styles || styles->getAt(t.style.c_str(), style) != Zcad::eOk) {
            problem = "jego element tekstowy używa stylu tekstu \"" + t.style + "\", którego nie ma w rysunku";
            record->close();
            return Zcad::eKeyNotFound;
        }
        ZcDbLinetypeTableRecord::DashElement e;
        e.isText = true;
        e.text = t.text;
        e.style = style;
        e.scale = t.scale;
        e.rotation = t.rotation;
        e.absoluteRotation = t.absoluteRotation;
        e.offsetX = t.offsetX;
        e.offsetY = t.offsetY;
        record->setElementAt(int(i), e);
    }
    es = addToTable(db, record);
    record->close();  // deletes it when the table did not take it
    return es;
}

}  // namespace

namespace platform {

std::vector<LinetypeDefinition> parseLinetypeText(std::string_view text)
{
    std::vector<LinetypeDefinition> defs;
    bool expectPattern = false;
    std::string pattern;  // a pattern line continued over lines that end in a comma
    int number = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        const size_t end = std::min(text.find('\n', pos), text.size());
        const std::string_view line = trim(text.substr(pos, end - pos));
        ++number;
        pos = end + 1;
        if (line.empty() || line.front() == ';') {
            if (end >= text.size())
                break;
            continue;
        }
        if (line.front() == '*') {
            if (expectPattern && defs.back().problem.empty())
                defs.back().problem = "po nazwie brak wiersza wzoru";
            LinetypeDefinition& def = defs.emplace_back();
            const size_t comma = line.find(',');
            def.name = std::string(trim(line.substr(1, comma == std::string_view::npos ? std::string_view::npos : comma - 1)));
            if (comma != std::string_view::npos)
                def.description = std::string(trim(line.substr(comma + 1)));
            def.line = number;
            if (def.name.empty())
                def.problem = "definicja zaczyna się od *NAZWA";
            expectPattern = true;
            pattern.clear();
        } else if (expectPattern) {
            pattern += line;
            if (pattern.back() != ',') {
                expectPattern = false;
                if (defs.back().problem.empty())
                    parsePattern(pattern, defs.back());
            }
        }
        // Lines outside a definition are ignored, as the host ignores them.
        if (end >= text.size())
            break;
    }
    if (expectPattern && !defs.empty() && defs.back().problem.empty())
        defs.back().problem = "po nazwie brak wiersza wzoru";
    return defs;
}

bool linetypeNameMatches(std::string_view name, std::string_view pattern)
{
    // Iterative matching with one backtracking point for the last '*'.
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || upper(pattern[p]) == upper(name[n]))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace platform

Zcad::ErrorStatus ZcDbDatabase::loadLineTypeFile(const char* ltname, const char* filename)
{
    if (!ltname || !*ltname || !filename || !*filename)
        return Zcad::eInvalidInput;
    const std::string path = localPath(filename);
    std::string error;
    const std::optional<std::string> bytes = readInputFile(path, error);
    if (!bytes) {
        std::error_code ec;
        return std::filesystem::exists(path, ec) ? Zcad::eFileAccessErr : Zcad::eFileNotFound;
    }
    const std::vector<LinetypeDefinition> defs = parseLinetypeText(utf8FromWindowsText(*bytes));

    const std::string_view wanted = ltname;
    const bool wildcard = wanted.find_first_of("*?") != std::string_view::npos;
    const auto* table = ZcDbObjectAccess::peekAs<ZcDbLinetypeTable>(linetypeTableId());
    if (!table)
        return Zcad::eNullObjectPointer;

    Zcad::ErrorStatus result = Zcad::eKeyNotFound;
    for (const LinetypeDefinition& def : defs) {
        if (!linetypeNameMatches(def.name, wanted))
            continue;
        if (table->has(def.name.c_str())) {
            // The drawing's own definition stays.
            if (!wildcard)
                return Zcad::eDuplicateKey;
            if (result == Zcad::eKeyNotFound)
                result = Zcad::eOk;
            continue;
        }
        std::string problem = def.problem;
        Zcad::ErrorStatus es = problem.empty() ? addLinetype(this, def, problem) : Zcad::eInvalidInput;
        if (es != Zcad::eOk) {
            transcript().print("\nTyp linii \"" + def.name + "\" z pliku " + path + " (wiersz " +
                               std::to_string(def.line) + ") nie został wczytany: " + problem + ".");
            if (!wildcard)
                return es;
            continue;
        }
        result = Zcad::eOk;
        if (!wildcard)
            return result;
    }
    return result;
}
