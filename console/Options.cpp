#include "console/Options.h"

namespace {

// "--name value" or "--name=value"; advances i past what it takes.
bool takeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::optional<std::string>& value, std::string& error)
{
    const std::string& arg = args[i];
    std::string given;
    if (arg == name) {
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        given = args[++i];
    } else {
        given = arg.substr(name.size() + 1);
    }
    if (given.empty()) {
        error = name + " needs a value";
        return false;
    }
    if (value) {
        error = name + " given twice";
        return false;
    }
    value = given;
    return true;
}

bool isOption(const std::string& arg, const std::string& name) { return arg == name || arg.rfind(name + "=", 0) == 0; }

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error)
{
    Options o;
    if (args.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        o.mode = Options::Mode::Help;
        return o;
    }
    if (command == "run")
        o.mode = Options::Mode::Run;
    else if (command == "shell")
        o.mode = Options::Mode::Shell;
    else if (command == "window")
        o.mode = Options::Mode::Window;
    else {
        error = "unknown command '" + command + "'";
        return std::nullopt;
    }

    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            o.mode = Options::Mode::Help;
            return o;
        } else if (isOption(arg, "--in")) {
            ok = takeValue(args, i, "--in", o.in, error);
        } else if (isOption(arg, "--registry")) {
            ok = takeValue(args, i, "--registry", o.registry, error);
        } else if (isOption(arg, "--app")) {
            std::optional<std::string> app;
            ok = takeValue(args, i, "--app", app, error);
            if (ok)
                o.apps.push_back(*app);
        } else if (o.mode != Options::Mode::Shell && isOption(arg, "--script")) {
            ok = takeValue(args, i, "--script", o.script, error);
        } else if (o.mode != Options::Mode::Shell && isOption(arg, "--out")) {
            ok = takeValue(args, i, "--out", o.out, error);
        } else if (o.mode == Options::Mode::Run && isOption(arg, "--report")) {
            ok = takeValue(args, i, "--report", o.report, error);
        } else if (o.mode == Options::Mode::Run && isPictureOption(arg)) {
            ok = takePictureOption(args, i, o.pictures, error);
        } else if (o.mode == Options::Mode::Window && isOption(arg, "--screenshot")) {
            ok = takeValue(args, i, "--screenshot", o.screenshot, error);
        } else if (o.mode != Options::Mode::Run && !arg.empty() && arg[0] != '-' && !o.in) {
            o.in = arg;
        } else {
            error = "unexpected argument '" + arg + "' for " + command;
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    return o;
}

const char* usageText()
{
    return R"(Usage:
  tarvo run [--in DRAWING.dxf] [--script FILE|-] [--out OUT.dxf]
            [--registry FILE.reg] [--app PLUGIN]...
            [--png FILE] [--svg FILE] [--pdf FILE] [--size N | --resolution R] [--dark]
            [--report FILE.xlsx]
  tarvo shell [DRAWING.dxf] [--registry FILE.reg] [--app PLUGIN]...
  tarvo window [DRAWING.dxf] [--registry FILE.reg] [--app PLUGIN]...
               [--script FILE] [--out OUT.dxf] [--screenshot FILE.png]
  tarvo settings DRAWING.dxf [OPTIONS]   (tarvo settings --help)
  tarvo render DRAWING.dxf OUT.png|OUT.svg|OUT.pdf...   (tarvo render --help)
  tarvo report DRAWING.dxf [--csv DIR] [--xlsx FILE] [--html FILE] [--md FILE]
  tarvo --help

tarvo is the CAD host's headless console for the Tarvo road-design plug-in.
It starts a drawing, loads the plug-in as the host does, feeds it command
lines and writes the drawing.

  run     reads the command lines from a script (--script FILE, or - for
          standard input); without --script nothing is read. Without --in
          the drawing starts empty. Without --out nothing is written unless
          the script says SAVE.
  shell   an interactive command line on the terminal, with the same input.
  window  the drawing in a window, with the command line below it; a
          --script is replayed as typed and clicked there, and with --out
          or --screenshot the window closes at the script's end.
  settings  shows or sets the drawing's settings for the road-drawing tools
          (layers of the destinations, scales, grouping).
  render  writes pictures of a saved drawing.
  report  the bill of quantities of a drawing's signs, markings, arrows
          and traffic lights (tarvo report --help).

Options:
  --in DRAWING.dxf     the drawing to open (ASCII DXF, R12 to R2018)
  --script FILE|-      the script to run
  --out OUT.dxf        where to write the drawing when the run succeeds
  --registry FILE.reg  the registry file the plug-in reads
  --app PLUGIN         a plug-in module to load instead of tarvo.zrx
                       (may be given more than once)
  --png FILE, --svg FILE, --pdf FILE
                       pictures of the drawing as it is at the end of a
                       successful run (each may be given more than once)
  --size N             the pictures' longer side: N pixels (PNG) or points
                       (SVG, PDF); 1600 unless given
  --resolution R       R pixels (or points) per drawing unit instead
  --dark               a dark background instead of the light one of a plot
  --report FILE.xlsx   the bill of quantities of the drawing as it is at the
                       end of a successful run (see tarvo report --help)

Script lines (one answer per line, as typed at the command line):
  COMMAND              a command at the command prompt (any case);
                       host commands take their arguments on the line:
                       SAVE path, UCS x,y angle (UCS W: world),
                       LAYER name, ARX U|L [file], REGEN, QUIT
  10,0 or 10,0,0       a point in the current user coordinate system
  12.5                 a number
  (empty line)         Enter
  *cancel*             Esc
  pick 10,0            select the entity nearest to the point
  dlg ...              a dialog action (set, select, check, click, color)
  ; text               a comment

Exit status: 0 success, 1 a script or command failure, 2 wrong usage,
3 a drawing that cannot be read or written. After a failure the drawing
is not written.
)";
}
