// The host's input functions on the command line.

#include <cstring>

#include "ZcDbDatabase.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/EntityPick.h"
#include "platform/editor/LineText.h"
#include "zcdbAdsName.h"
#include "zced.h"

using namespace platform;

namespace {

const char* const kExpectPoint = "punktu (x,y lub x,y,z albo click x,y), Enter lub *cancel*";
const char* const kExpectDistance = "liczby albo punktu, Enter lub *cancel*";
const char* const kExpectPick = "wskazania (pick x,y albo click x,y), Enter lub *cancel*";

// The keyword a typed word stands for: the whole keyword or the start of
// exactly one, in any case.
std::optional<std::string> matchKeyword(const InputLimits& limits, std::string_view word)
{
    for (const std::string& k : limits.keywords)
        if (equalsIgnoringCase(k, word))
            return k;
    std::optional<std::string> found;
    for (const std::string& k : limits.keywords)
        if (word.size() < k.size() && equalsIgnoringCase(std::string_view(k).substr(0, word.size()), word)) {
            if (found)
                return std::nullopt;
            found = k;
        }
    return found;
}

// What a prompt expects, for messages: the fixed text, or with the keywords
// of zcedInitGet (built only then).
class Expected {
public:
    Expected(const char* base, const InputLimits& limits) : m_base(base)
    {
        if (limits.keywords.empty())
            return;
        m_withKeywords = std::string(base) + " albo słowa:";
        for (const std::string& k : limits.keywords)
            m_withKeywords += " " + k;
    }
    operator std::string_view() const
    {
        return m_withKeywords.empty() ? std::string_view(m_base) : std::string_view(m_withKeywords);
    }

private:
    const char* m_base;
    std::string m_withKeywords;
};

unsigned withKeywords(unsigned accepted, const InputLimits& limits)
{
    return limits.keywords.empty() ? accepted : accepted | kAcceptText;
}

// RTKWORD for a keyword; a word that is none does not fit.
int keywordAnswer(const InputLimits& limits, const ScriptLine& line, std::string_view expected, bool& askAgain)
{
    askAgain = false;
    if (const auto k = matchKeyword(limits, line.text)) {
        commandLine().setLastKeyword(*k);
        return RTKWORD;
    }
    askAgain = commandLine().misfit(line, "oczekiwano " + std::string(expected));
    return RTCAN;
}

const char* const kAnswerRequired = "Wymagana odpowiedź.";

// Asks until the answer is a value line, which is returned. An answer that
// ends the input instead sets rc and gives none: Esc RTCAN, Enter RTNONE
// (refused and asked again when an answer is required), a keyword its result.
std::optional<ScriptLine> askForValue(CommandLine& cl, const char* prompt, unsigned accepted, const InputLimits& limits,
                                      std::string_view expected, int& rc, const ads_point base = nullptr)
{
    std::optional<ZcGePoint3d> basePoint;
    if (base)
        basePoint = ZcGePoint3d(base[0], base[1], base[2]);
    for (;;) {
        auto line = cl.ask(prompt ? prompt : "", withKeywords(accepted, limits), expected, basePoint);
        if (!line || line->kind == ScriptLine::Kind::Cancel) {
            rc = RTCAN;
            return std::nullopt;
        }
        if (line->kind == ScriptLine::Kind::Enter) {
            if (limits.flags & RSG_NONULL) {
                cl.refuse(kAnswerRequired);
                continue;
            }
            rc = RTNONE;
            return std::nullopt;
        }
        if (line->kind == ScriptLine::Kind::Text) {
            bool again = false;
            rc = keywordAnswer(limits, *line, expected, again);
            if (again)
                continue;
            return std::nullopt;
        }
        rc = RTNORM;
        return line;
    }
}

void copyPoint(const ZcGePoint3d& p, ads_point out)
{
    out[0] = p.x;
    out[1] = p.y;
    out[2] = p.z;
}

// The message for a distance the limits refuse, or null when it is allowed.
const char* refusal(int flags, double value)
{
    const bool noZero = flags & RSG_NOZERO, noNegative = flags & RSG_NONEG;
    if ((noZero && value == 0.0) || (noNegative && value < 0.0)) {
        if (noZero && noNegative)
            return "Wymagana wartość dodatnia różna od zera.";
        return noZero ? "Wymagana wartość różna od zera." : "Wymagana wartość nieujemna.";
    }
    return nullptr;
}

}  // namespace

int zcedInitGet(int flags, const char* keywords)
{
    InputLimits limits;
    limits.flags = flags;
    if (keywords) {
        std::string_view rest = keywords;
        for (std::string_view w = takeWord(rest); !w.empty(); w = takeWord(rest))
            limits.keywords.emplace_back(w);
    }
    commandLine().setInputLimits(std::move(limits));
    return RTNORM;
}

int zcedGetInput(char* str)
{
    if (!str)
        return RTERROR;
    const std::string& k = commandLine().lastKeyword();
    std::memcpy(str, k.c_str(), k.size() + 1);
    return RTNORM;
}

int zcedGetPoint(const ads_point base, const char* prompt, ads_point result)
{
    CommandLine& cl = commandLine();
    const InputLimits limits = cl.takeInputLimits();
    const Expected expected(kExpectPoint, limits);
    if (!result)
        return RTERROR;
    int rc = RTNORM;
    const auto line = askForValue(cl, prompt, kAcceptPoint, limits, expected, rc, base);
    if (!line)
        return rc;
    copyPoint(line->point, result);
    return RTNORM;
}

int zcedGetDist(const ads_point base, const char* prompt, ads_real* result)
{
    CommandLine& cl = commandLine();
    const InputLimits limits = cl.takeInputLimits();
    const Expected expected(kExpectDistance, limits);
    if (!result)
        return RTERROR;
    for (;;) {
        int rc = RTNORM;
        const auto line = askForValue(cl, prompt, kAcceptNumber | kAcceptPoint, limits, expected, rc, base);
        if (!line)
            return rc;
        double value = line->number;
        if (line->kind == ScriptLine::Kind::Point) {
            if (base) {
                value = ZcGePoint3d(base[0], base[1], base[2]).distanceTo(line->point);
            } else {
                // Without a base the point is one end; the other is asked for.
                const auto second = cl.ask("\nDrugi punkt", kAcceptPoint, kExpectPoint, line->point);
                if (!second || second->kind == ScriptLine::Kind::Cancel)
                    return RTCAN;
                if (second->kind == ScriptLine::Kind::Enter)
                    return RTNONE;
                value = line->point.distanceTo(second->point);
            }
        }
        if (const char* message = refusal(limits.flags, value)) {
            cl.refuse(message);
            continue;
        }
        *result = value;
        return RTNORM;
    }
}

int zcedEntSel(const char* prompt, ads_name ent, ads_point pt)
{
    CommandLine& cl = commandLine();
    const InputLimits limits = cl.takeInputLimits();
    const Expected expected(kExpectPick, limits);
    if (!ent || !pt)
        return RTERROR;
    int rc = RTNORM;
    const auto line = askForValue(cl, prompt, kAcceptPick, limits, expected, rc);
    if (!line)
        return rc == RTNONE ? RTERROR : rc;  // an empty pick selects nothing
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (!db)
        return RTERROR;
    const ZcDbObjectId id = pickEntity(*db, cl.ucs().toWorld(line->point), cl.pickBox());
    if (id.isNull() || zcdbGetAdsName(ent, id) != Zcad::eOk)
        return RTERROR;
    copyPoint(line->point, pt);
    return RTNORM;
}
