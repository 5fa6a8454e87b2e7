#include "platform/win/MessageBoxes.h"

#include <mutex>

#include "WinMessageBox.h"
#include "platform/editor/Transcript.h"

using namespace platform;

namespace {

struct Shown {
    std::mutex mutex;
    std::vector<ShownMessageBox> boxes;
};

Shown& shown()
{
    static Shown s;
    return s;
}

// The button a box answers with: its default one.
int defaultAnswer(UINT type)
{
    static constexpr int buttons[6][3] = {
        {IDOK, 0, 0},          {IDOK, IDCANCEL, 0}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, 0},   {IDRETRY, IDCANCEL, 0},
    };
    const UINT set = type & MB_TYPEMASK;
    const UINT index = (type & MB_DEFMASK) >> 8;
    if (set > 5 || index > 2)
        return 0;
    // A default button beyond the box's buttons falls back to the first, as the system does.
    return buttons[set][index] ? buttons[set][index] : buttons[set][0];
}

// A text as one block of lines: Windows line breaks become plain ones and
// the trailing break the system's texts carry is dropped.
std::string shownText(const char* text)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\r' && p[1] == '\n')
            continue;
        out += *p;
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

}  // namespace

namespace platform {

const std::vector<ShownMessageBox>& shownMessageBoxes() { return shown().boxes; }

void clearShownMessageBoxes()
{
    std::lock_guard lock(shown().mutex);
    shown().boxes.clear();
}

}  // namespace platform

extern "C" int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    ShownMessageBox box;
    // The system's caption when none is given.
    box.caption = caption ? caption : "Błąd";
    box.text = shownText(text);
    box.type = type;
    box.answer = defaultAnswer(type);
    transcript().print("\n[" + box.caption + "] " + box.text);
    std::lock_guard lock(shown().mutex);
    shown().boxes.push_back(box);
    return box.answer;
}
