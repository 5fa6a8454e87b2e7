#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Linetype definitions as the host family's .lin files write them:
//
//   ;; a comment
//   *NAME,description
//   A,dash,gap,dot,...
//
// Dashes are positive, gaps negative, dots zero, in drawing units; the
// alignment is always A. A dash may carry a complex element in brackets:
// a text ["TEXT",STYLE,S=scale,R=rotation,X=offset,Y=offset] or a shape
// [SHAPE,file.shx,...].

// A text drawn at a dash.
struct LinetypeTextElement {
    std::string text;
    std::string style;  // a text style the drawing must have
    double scale = 1.0;
    double rotation = 0.0;  // radians
    bool absoluteRotation = false;
    double offsetX = 0.0;
    double offsetY = 0.0;
};

struct LinetypeDefinition {
    std::string name;
    std::string description;
    std::vector<double> dashes;
    // One per dash: the text drawn at it, if any.
    std::vector<std::optional<LinetypeTextElement>> texts;
    int line = 0;         // of the name in the file
    std::string problem;  // why the definition cannot be loaded; empty when it can
};

// Every definition of a file's text (UTF-8), in file order; malformed ones
// are kept with their problem so that a request for them can say what is wrong.
std::vector<LinetypeDefinition> parseLinetypeText(std::string_view text);

// Whether a linetype name matches a requested one: without regard to case,
// with '*' for any run of characters and '?' for one, as the host takes them.
bool linetypeNameMatches(std::string_view name, std::string_view pattern);

}  // namespace platform
