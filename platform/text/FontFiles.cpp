#include "platform/text/FontFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <vector>

#include "platform/editor/Transcript.h"
#include "platform/text/CadFontNames.h"
#include "platform/text/FontFace.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// The font every missing one is replaced by.
constexpr const char* kFallbackFile = "dejavusans.ttf";
constexpr const char* kFallbackName = "DejaVu Sans";

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// Font files of some folders, by lower-case file name. Of two files of the
// same name the first folder's wins, and within a folder the smallest path,
// so that the choice does not depend on the order the disk lists them in.
std::map<std::string, std::string> scanFolders(const std::vector<fs::path>& folders)
{
    std::map<std::string, std::string> found;
    for (const fs::path& folder : folders) {
        std::map<std::string, std::string> here;
        std::error_code ec;
        if (!fs::is_directory(folder, ec))
            continue;
        for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end; it.increment(ec)) {
            std::error_code fileEc;
            if (!it->is_regular_file(fileEc))
                continue;
            const std::string name = lower(it->path().filename().string());
            const std::string path = it->path().string();
            auto [pos, added] = here.emplace(name, path);
            if (!added && path < pos->second)
                pos->second = path;
        }
        for (const auto& [name, path] : here)
            found.emplace(name, path);
    }
    return found;
}

// The system's font folders, where fontconfig looks by default.
std::vector<fs::path> systemFontFolders()
{
    std::vector<fs::path> folders;
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome)
        folders.emplace_back(fs::path(dataHome) / "fonts");
    else if (const char* home = std::getenv("HOME"); home && *home)
        folders.emplace_back(fs::path(home) / ".local/share/fonts");
    if (const char* home = std::getenv("HOME"); home && *home)
        folders.emplace_back(fs::path(home) / ".fonts");
    folders.emplace_back("/usr/local/share/fonts");
    folders.emplace_back("/usr/share/fonts");
    return folders;
}

struct FontFolders {
    std::mutex mutex;
    std::string installation;
    bool installationScanned = false;
    std::map<std::string, std::string> installationFonts;
    bool systemScanned = false;
    std::map<std::string, std::string> systemFonts;
    std::set<std::string> noticed;  // names whose fallback was announced
    // What each style font name came to, until the installation folder
    // changes: every text measured asks, and the answer cannot change in
    // between (the folders are scanned once, a font's readability is kept).
    std::map<std::string, FontFile> resolved;
};

FontFolders& folders()
{
    static FontFolders f;
    return f;
}

// The file names a style's font name may be stored under: as given, and
// with the TrueType extensions when it has none ("arial" is arial.ttf).
std::vector<std::string> candidateNames(const std::string& styleFontName)
{
    std::string name = styleFontName;
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    name = lower(name);
    if (name.empty())
        return {};
    std::vector<std::string> names{name};
    if (fs::path(name).extension().empty())
        for (const char* ext : {".ttf", ".otf", ".ttc"})
            names.push_back(name + ext);
    return names;
}

}  // namespace

void setFontInstallationFolder(const std::string& folder)
{
    FontFolders& f = folders();
    std::lock_guard lock(f.mutex);
    if (f.installation == folder)
        return;
    f.installation = folder;
    f.installationScanned = false;
    f.installationFonts.clear();
    f.resolved.clear();
}

namespace {

FontFile resolveInFolders(FontFolders& f, const std::string& styleFontName)
{
    if (!f.installationScanned) {
        f.installationFonts = f.installation.empty() ? std::map<std::string, std::string>{}
                                                     : scanFolders({fs::path(f.installation) / "Fonts"});
        f.installationScanned = true;
    }
    if (!f.systemScanned) {
        f.systemFonts = scanFolders(systemFontFolders());
        f.systemScanned = true;
    }

    // A file FreeType cannot read (damaged, cut short, empty) counts as
    // missing: the texts would vanish from measurement and pictures.
    const std::vector<std::string> names = candidateNames(styleFontName);
    std::string unreadable;
    for (const auto* fonts : {&f.installationFonts, &f.systemFonts})
        for (const std::string& name : names)
            if (const auto it = fonts->find(name); it != fonts->end()) {
                if (FontFace::load(it->second))
                    return {it->second, false};
                if (unreadable.empty())
                    unreadable = it->second;
            }

    FontFile fallback{"", true};
    if (const auto it = f.systemFonts.find(kFallbackFile); it != f.systemFonts.end())
        fallback.path = it->second;
    // A CAD program's own font has no file to find: its stand-in is expected.
    if (unreadable.empty() && isCadFontName(styleFontName))
        return fallback;
    if (f.noticed.insert(lower(styleFontName)).second)
        transcript().print(unreadable.empty()
                               ? "\nNie znaleziono czcionki \"" + styleFontName + "\"; zastępuje ją " + kFallbackName +
                                     "."
                               : "\nNie można odczytać czcionki \"" + styleFontName + "\" (" + unreadable +
                                     "): plik jest uszkodzony; zastępuje ją " + kFallbackName + ".");
    return fallback;
}

}  // namespace

FontFile resolveFontFile(const std::string& styleFontName)
{
    FontFolders& f = folders();
    std::lock_guard lock(f.mutex);
    if (const auto it = f.resolved.find(styleFontName); it != f.resolved.end())
        return it->second;
    FontFile found = resolveInFolders(f, styleFontName);
    f.resolved.emplace(styleFontName, found);
    return found;
}

}  // namespace platform
