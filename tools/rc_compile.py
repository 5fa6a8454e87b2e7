#!/usr/bin/env python3
"""Compiles a Windows resource script into C++ data: dialogs, strings, images.

Usage: rc_compile.py SCRIPT.rc OUTPUT.cpp [--depfile FILE] [--include DIR]...

The script is read as rc.exe reads it: the preprocessor first (#include,
#define, #undef, #if/#ifdef/#ifndef/#elif/#else/#endif, #pragma
code_page), headers (.h) for their directives only, then the statements:

- STRINGTABLE blocks;
- DIALOGEX and DIALOG templates: size, STYLE, CAPTION, FONT (EXSTYLE, MENU,
  CLASS and the like are read and ignored) and their controls, CONTROL lines
  and the shorthands (LTEXT, EDITTEXT, COMBOBOX, PUSHBUTTON, ...) with the
  default styles rc.exe gives them; style expressions with |, &, +, -, ~ and
  NOT;
- BITMAP and ICON files, embedded as they are on disk.

Other resource statements (MENU, VERSIONINFO, TEXTINCLUDE, DESIGNINFO, ...)
are skipped whole. Files named by the script (headers, bitmaps, icons) are
looked up beside the script, then in each --include folder, as rc.exe's /I.
Text outside ASCII must come after #pragma code_page(65001): the script is
UTF-8.

The output defines TarvoStringTable() (frame/StringTable.h) and
TarvoResources() (frame/ModuleResources.h). A control whose text names a
resource by number (an ICON control, a CONTROL with SS_BITMAP) carries it as
"#8088", as FindResource takes an integer id written as a string. The output
is rewritten only when it changes; so is the depfile.
"""

import os
import re
import sys

TOOL = "rc_compile"
# SDK headers a script includes for its symbols; their symbols are SDK_SYMBOLS below.
SDK_HEADERS = {"afxres.h", "winres.h", "winresrc.h", "windows.h", "commctrl.h", "richedit.h", "verrsrc.h",
               "winuser.h", "dlgs.h"}
# Load and memory options that may follow a resource type.
MEMORY_OPTIONS = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE", "PURE", "IMPURE", "SHARED",
                  "NONSHARED"}
UTF8_CODE_PAGE = 65001
MAX_STRING_UNITS = 4097  # rc.exe's limit for one string, in UTF-16 units
MASK32 = 0xFFFFFFFF

WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00080000
WS_GROUP, WS_TABSTOP = 0x00020000, 0x00010000
DS_SETFONT = 0x40

# The values of the SDK's symbols that resource scripts use (winuser.h,
# commctrl.h, richedit.h, afxres.h).
SDK_SYMBOLS = {
    "IDOK": 1, "IDCANCEL": 2, "IDABORT": 3, "IDRETRY": 4, "IDIGNORE": 5, "IDYES": 6, "IDNO": 7, "IDCLOSE": 8,
    "IDHELP": 9, "IDC_STATIC": -1,
    "WS_OVERLAPPED": 0, "WS_POPUP": WS_POPUP, "WS_CHILD": WS_CHILD, "WS_CHILDWINDOW": WS_CHILD,
    "WS_MINIMIZE": 0x20000000, "WS_ICONIC": 0x20000000, "WS_VISIBLE": WS_VISIBLE, "WS_DISABLED": 0x08000000,
    "WS_CLIPSIBLINGS": 0x04000000, "WS_CLIPCHILDREN": 0x02000000, "WS_MAXIMIZE": 0x01000000,
    "WS_CAPTION": WS_CAPTION, "WS_BORDER": WS_BORDER, "WS_DLGFRAME": 0x00400000, "WS_VSCROLL": 0x00200000,
    "WS_HSCROLL": 0x00100000, "WS_SYSMENU": WS_SYSMENU, "WS_THICKFRAME": 0x00040000, "WS_SIZEBOX": 0x00040000,
    "WS_GROUP": WS_GROUP, "WS_TABSTOP": WS_TABSTOP, "WS_MINIMIZEBOX": 0x00020000, "WS_MAXIMIZEBOX": 0x00010000,
    "WS_OVERLAPPEDWINDOW": 0x00CF0000, "WS_TILEDWINDOW": 0x00CF0000, "WS_POPUPWINDOW": 0x80880000,
    "WS_EX_DLGMODALFRAME": 0x1, "WS_EX_NOPARENTNOTIFY": 0x4, "WS_EX_TOPMOST": 0x8, "WS_EX_ACCEPTFILES": 0x10,
    "WS_EX_TRANSPARENT": 0x20, "WS_EX_MDICHILD": 0x40, "WS_EX_TOOLWINDOW": 0x80, "WS_EX_WINDOWEDGE": 0x100,
    "WS_EX_CLIENTEDGE": 0x200, "WS_EX_CONTEXTHELP": 0x400, "WS_EX_RIGHT": 0x1000, "WS_EX_LEFT": 0,
    "WS_EX_RTLREADING": 0x2000, "WS_EX_LTRREADING": 0, "WS_EX_LEFTSCROLLBAR": 0x4000,
    "WS_EX_RIGHTSCROLLBAR": 0, "WS_EX_CONTROLPARENT": 0x10000, "WS_EX_STATICEDGE": 0x20000,
    "WS_EX_APPWINDOW": 0x40000, "WS_EX_LAYERED": 0x80000, "WS_EX_NOINHERITLAYOUT": 0x100000,
    "WS_EX_LAYOUTRTL": 0x400000, "WS_EX_COMPOSITED": 0x2000000, "WS_EX_NOACTIVATE": 0x8000000,
    "DS_ABSALIGN": 0x1, "DS_SYSMODAL": 0x2, "DS_3DLOOK": 0x4, "DS_FIXEDSYS": 0x8, "DS_NOFAILCREATE": 0x10,
    "DS_LOCALEDIT": 0x20, "DS_SETFONT": DS_SETFONT, "DS_MODALFRAME": 0x80, "DS_NOIDLEMSG": 0x100,
    "DS_SETFOREGROUND": 0x200, "DS_CONTROL": 0x400, "DS_CENTER": 0x800, "DS_CENTERMOUSE": 0x1000,
    "DS_CONTEXTHELP": 0x2000, "DS_SHELLFONT": DS_SETFONT | 0x8,
    "BS_PUSHBUTTON": 0x0, "BS_DEFPUSHBUTTON": 0x1, "BS_CHECKBOX": 0x2, "BS_AUTOCHECKBOX": 0x3,
    "BS_RADIOBUTTON": 0x4, "BS_3STATE": 0x5, "BS_AUTO3STATE": 0x6, "BS_GROUPBOX": 0x7, "BS_USERBUTTON": 0x8,
    "BS_AUTORADIOBUTTON": 0x9, "BS_PUSHBOX": 0xA, "BS_OWNERDRAW": 0xB, "BS_TYPEMASK": 0xF, "BS_LEFTTEXT": 0x20,
    "BS_RIGHTBUTTON": 0x20, "BS_TEXT": 0, "BS_ICON": 0x40, "BS_BITMAP": 0x80, "BS_LEFT": 0x100,
    "BS_RIGHT": 0x200, "BS_CENTER": 0x300, "BS_TOP": 0x400, "BS_BOTTOM": 0x800, "BS_VCENTER": 0xC00,
    "BS_PUSHLIKE": 0x1000, "BS_MULTILINE": 0x2000, "BS_NOTIFY": 0x4000, "BS_FLAT": 0x8000,
    "ES_LEFT": 0x0, "ES_CENTER": 0x1, "ES_RIGHT": 0x2, "ES_MULTILINE": 0x4, "ES_UPPERCASE": 0x8,
    "ES_LOWERCASE": 0x10, "ES_PASSWORD": 0x20, "ES_AUTOVSCROLL": 0x40, "ES_AUTOHSCROLL": 0x80,
    "ES_NOHIDESEL": 0x100, "ES_OEMCONVERT": 0x400, "ES_READONLY": 0x800, "ES_WANTRETURN": 0x1000,
    "ES_NUMBER": 0x2000, "ES_DISABLENOSCROLL": 0x2000, "ES_SUNKEN": 0x4000, "ES_SAVESEL": 0x8000,
    "ES_SELECTIONBAR": 0x01000000, "ES_NOOLEDRAGDROP": 0x8,
    "SS_LEFT": 0x0, "SS_CENTER": 0x1, "SS_RIGHT": 0x2, "SS_ICON": 0x3, "SS_BLACKRECT": 0x4, "SS_GRAYRECT": 0x5,
    "SS_WHITERECT": 0x6, "SS_BLACKFRAME": 0x7, "SS_GRAYFRAME": 0x8, "SS_WHITEFRAME": 0x9, "SS_USERITEM": 0xA,
    "SS_SIMPLE": 0xB, "SS_LEFTNOWORDWRAP": 0xC, "SS_OWNERDRAW": 0xD, "SS_BITMAP": 0xE, "SS_ENHMETAFILE": 0xF,
    "SS_ETCHEDHORZ": 0x10, "SS_ETCHEDVERT": 0x11, "SS_ETCHEDFRAME": 0x12, "SS_TYPEMASK": 0x1F,
    "SS_REALSIZECONTROL": 0x40, "SS_NOPREFIX": 0x80, "SS_NOTIFY": 0x100, "SS_CENTERIMAGE": 0x200,
    "SS_RIGHTJUST": 0x400, "SS_REALSIZEIMAGE": 0x800, "SS_SUNKEN": 0x1000, "SS_EDITCONTROL": 0x2000,
    "SS_ENDELLIPSIS": 0x4000, "SS_PATHELLIPSIS": 0x8000, "SS_WORDELLIPSIS": 0xC000,
    "CBS_SIMPLE": 0x1, "CBS_DROPDOWN": 0x2, "CBS_DROPDOWNLIST": 0x3, "CBS_OWNERDRAWFIXED": 0x10,
    "CBS_OWNERDRAWVARIABLE": 0x20, "CBS_AUTOHSCROLL": 0x40, "CBS_OEMCONVERT": 0x80, "CBS_SORT": 0x100,
    "CBS_HASSTRINGS": 0x200, "CBS_NOINTEGRALHEIGHT": 0x400, "CBS_DISABLENOSCROLL": 0x800,
    "CBS_UPPERCASE": 0x2000, "CBS_LOWERCASE": 0x4000,
    "LBS_NOTIFY": 0x1, "LBS_SORT": 0x2, "LBS_NOREDRAW": 0x4, "LBS_MULTIPLESEL": 0x8,
    "LBS_OWNERDRAWFIXED": 0x10, "LBS_OWNERDRAWVARIABLE": 0x20, "LBS_HASSTRINGS": 0x40,
    "LBS_USETABSTOPS": 0x80, "LBS_NOINTEGRALHEIGHT": 0x100, "LBS_MULTICOLUMN": 0x200,
    "LBS_WANTKEYBOARDINPUT": 0x400, "LBS_EXTENDEDSEL": 0x800, "LBS_DISABLENOSCROLL": 0x1000,
    "LBS_NODATA": 0x2000, "LBS_NOSEL": 0x4000, "LBS_COMBOBOX": 0x8000, "LBS_STANDARD": 0x00A00003,
    "SBS_HORZ": 0x0, "SBS_VERT": 0x1,
    "LVS_ICON": 0x0, "LVS_REPORT": 0x1, "LVS_SMALLICON": 0x2, "LVS_LIST": 0x3, "LVS_TYPEMASK": 0x3,
    "LVS_SINGLESEL": 0x4, "LVS_SHOWSELALWAYS": 0x8, "LVS_SORTASCENDING": 0x10, "LVS_SORTDESCENDING": 0x20,
    "LVS_SHAREIMAGELISTS": 0x40, "LVS_NOLABELWRAP": 0x80, "LVS_AUTOARRANGE": 0x100, "LVS_EDITLABELS": 0x200,
    "LVS_OWNERDRAWFIXED": 0x400, "LVS_ALIGNTOP": 0x0, "LVS_ALIGNLEFT": 0x800, "LVS_OWNERDATA": 0x1000,
    "LVS_NOSCROLL": 0x2000, "LVS_NOCOLUMNHEADER": 0x4000, "LVS_NOSORTHEADER": 0x8000,
}

# Window classes the SDK names by macro, as a CONTROL line may give them.
SDK_CLASS_NAMES = {
    "WC_LISTVIEW": "SysListView32", "WC_LISTVIEWA": "SysListView32", "WC_TREEVIEW": "SysTreeView32",
    "WC_TABCONTROL": "SysTabControl32", "UPDOWN_CLASS": "msctls_updown32", "PROGRESS_CLASS": "msctls_progress32",
    "TRACKBAR_CLASS": "msctls_trackbar32", "RICHEDIT_CLASS": "RichEdit20A", "RICHEDIT_CLASSA": "RichEdit20A",
    "MSFTEDIT_CLASS": "RICHEDIT50W", "WC_BUTTON": "Button", "WC_EDIT": "Edit", "WC_STATIC": "Static",
    "WC_COMBOBOX": "ComboBox", "WC_LISTBOX": "ListBox", "WC_SCROLLBAR": "ScrollBar",
}
# The system's own classes, which rc.exe writes as ordinals; spelt one way here
# whichever case the script used.
PREDEFINED_CLASSES = {name.upper(): name for name in ("Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox")}

# The control statements: window class, the style rc.exe starts from, and
# whether the statement takes a text before the id.
SHORTHANDS = {
    "LTEXT": ("Static", WS_CHILD | WS_VISIBLE | WS_GROUP | 0x0, True),
    "CTEXT": ("Static", WS_CHILD | WS_VISIBLE | WS_GROUP | 0x1, True),
    "RTEXT": ("Static", WS_CHILD | WS_VISIBLE | WS_GROUP | 0x2, True),
    "ICON": ("Static", WS_CHILD | WS_VISIBLE | 0x3, True),
    "PUSHBUTTON": ("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x0, True),
    "DEFPUSHBUTTON": ("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x1, True),
    "CHECKBOX": ("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x2, True),
    "AUTOCHECKBOX": ("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x3, True),
    "RADIOBUTTON": ("Button", WS_CHILD | WS_VISIBLE | 0x4, True),
    "STATE3": ("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x5, True),
    "AUTO3STATE": ("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x6, True),
    "GROUPBOX": ("Button", WS_CHILD | WS_VISIBLE | 0x7, True),
    "AUTORADIOBUTTON": ("Button", WS_CHILD | WS_VISIBLE | 0x9, True),
    "PUSHBOX": ("Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0xA, True),
    "EDITTEXT": ("Edit", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, False),
    "COMBOBOX": ("ComboBox", WS_CHILD | WS_VISIBLE, False),
    "LISTBOX": ("ListBox", WS_CHILD | WS_VISIBLE | WS_BORDER | 0x1, False),
    "SCROLLBAR": ("ScrollBar", WS_CHILD | WS_VISIBLE, False),
}
CONTROL_DEFAULT_STYLE = WS_CHILD | WS_VISIBLE
# Without a STYLE statement a dialog is a bordered pop-up with a system menu.
DIALOG_DEFAULT_STYLE = WS_POPUP | WS_BORDER | WS_SYSMENU
SS_TYPEMASK, SS_ICON, SS_BITMAP = 0x1F, 0x3, 0xE
# Statements between a dialog's size and its BEGIN that take one value and do not concern the template.
DIALOG_IGNORED_OPTIONS = {"EXSTYLE", "MENU", "CLASS", "VERSION", "CHARACTERISTICS"}


class RcError(Exception):
    def __init__(self, where, message):
        super().__init__(f"{where}: {message}")


def strip_comments(text, where):
    """The text with // and /* */ comments blanked (line ends kept), strings untouched."""
    out = []
    i, n = 0, len(text)
    in_string = False
    while i < n:
        c = text[i]
        if in_string:
            out.append(c)
            if c == '"':
                if i + 1 < n and text[i + 1] == '"':
                    out.append('"')
                    i += 1
                else:
                    in_string = False
            elif c == "\n":
                in_string = False  # an unterminated string ends at the line end; the tokenizer reports it
            i += 1
        elif c == '"':
            in_string = True
            out.append(c)
            i += 1
        elif text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            if end < 0:
                raise RcError(where, "a comment is not closed")
            out.append("".join(ch if ch == "\n" else " " for ch in text[i:end + 2]))
            i = end + 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


class Condition:
    """Evaluates the expression of #if and #elif."""

    TOKEN = re.compile(r"\s*(defined\b|\d+[uUlL]*|0[xX][0-9a-fA-F]+[uUlL]*|[A-Za-z_]\w*|&&|\|\||==|!=|<=|>=|[!()<>])")

    def __init__(self, text, defines, where):
        self.tokens = []
        pos = 0
        text = text.strip()
        while pos < len(text):
            m = self.TOKEN.match(text, pos)
            if not m:
                raise RcError(where, f"cannot read the condition \"{text}\"")
            self.tokens.append(m.group(1))
            pos = m.end()
        self.defines = defines
        self.where = where
        self.pos = 0

    def value(self):
        result = self.parse_or()
        if self.pos != len(self.tokens):
            raise RcError(self.where, "cannot read the condition")
        return result != 0

    def peek(self):
        return self.tokens[self.pos] if self.pos < len(self.tokens) else None

    def take(self, expected=None):
        token = self.peek()
        if token is None or (expected and token != expected):
            raise RcError(self.where, f"the condition lacks {expected or 'a value'}")
        self.pos += 1
        return token

    def parse_or(self):
        value = self.parse_and()
        while self.peek() == "||":
            self.take()
            right = self.parse_and()
            value = 1 if (value or right) else 0
        return value

    def parse_and(self):
        value = self.parse_compare()
        while self.peek() == "&&":
            self.take()
            right = self.parse_compare()
            value = 1 if (value and right) else 0
        return value

    def parse_compare(self):
        value = self.parse_unary()
        ops = {"==": lambda a, b: a == b, "!=": lambda a, b: a != b, "<": lambda a, b: a < b,
               ">": lambda a, b: a > b, "<=": lambda a, b: a <= b, ">=": lambda a, b: a >= b}
        while self.peek() in ops:
            op = self.take()
            value = 1 if ops[op](value, self.parse_unary()) else 0
        return value

    def parse_unary(self):
        token = self.take()
        if token == "!":
            return 0 if self.parse_unary() else 1
        if token == "(":
            value = self.parse_or()
            self.take(")")
            return value
        if token == "defined":
            if self.peek() == "(":
                self.take()
                name = self.take()
                self.take(")")
            else:
                name = self.take()
            return 1 if name in self.defines else 0
        if token[0].isdigit():
            return int(token.rstrip("uUlL"), 0)
        # A macro stands for its value; anything else is 0, as in C.
        return number_or_zero(self.defines.get(token, ("0",))[0])


def number_or_zero(text):
    try:
        return int(text.strip().rstrip("uUlL"), 0)
    except ValueError:
        return 0


def find_file(target, folders):
    """The first folder's path of a file named relative to the script, or None."""
    target = target.replace("\\", "/")
    if os.path.isabs(target):
        return target if os.path.isfile(target) else None
    for folder in folders:
        candidate = os.path.join(folder, target)
        if os.path.isfile(candidate):
            return os.path.abspath(candidate)
    return None


class Preprocessor:
    def __init__(self, include_dirs=()):
        self.defines = {}
        self.files = []       # every file read, for the depfile
        self.lines = []       # (text, where, code page) of the script's active lines
        self.code_page = None
        self.include_dirs = list(include_dirs)

    def run(self, path, directives_only=False):
        path = os.path.abspath(path)
        self.files.append(path)
        name = os.path.basename(path)
        try:
            with open(path, "rb") as f:
                raw = f.read()
        except OSError as e:
            raise RcError(name, f"cannot be read ({e.strerror})")
        if raw.startswith(b"\xef\xbb\xbf"):
            raw = raw[3:]
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            raise RcError(name, f"is not UTF-8 (byte {e.start})")
        text = strip_comments(text.replace("\r\n", "\n"), name)
        # Each frame: (this branch is active, some branch was taken, the enclosing region is active).
        stack = []
        active = True
        for number, line in enumerate(text.split("\n"), start=1):
            where = f"{name}:{number}"
            stripped = line.strip()
            if stripped.startswith("#"):
                m = re.match(r"([A-Za-z_]+)(.*)", stripped[1:].strip())
                directive, rest = (m.group(1), m.group(2).strip()) if m else ("", "")
                if directive in ("if", "ifdef", "ifndef"):
                    if not active:
                        value = False
                    elif directive == "if":
                        value = Condition(rest, self.defines, where).value()
                    else:
                        value = (rest.split()[0] in self.defines) if rest else False
                        if directive == "ifndef":
                            value = not value
                    stack.append([value, value, active])
                    active = active and value
                elif directive in ("elif", "else"):
                    if not stack:
                        raise RcError(where, f"#{directive} without #if")
                    frame = stack[-1]
                    if frame[1] or not frame[2]:
                        frame[0] = False
                    else:
                        frame[0] = directive == "else" or Condition(rest, self.defines, where).value()
                        frame[1] = frame[0]
                    active = frame[0]
                elif directive == "endif":
                    if not stack:
                        raise RcError(where, "#endif without #if")
                    active = stack.pop()[2]
                elif not active:
                    pass
                elif directive == "define":
                    parts = rest.split(None, 1)
                    if not parts:
                        raise RcError(where, "#define without a name")
                    self.defines[parts[0]] = (parts[1].strip() if len(parts) > 1 else "", where)
                elif directive == "undef":
                    self.defines.pop(rest.split()[0] if rest else "", None)
                elif directive == "include":
                    self.include(rest, os.path.dirname(path), where)
                elif directive == "pragma":
                    m = re.match(r"code_page\s*\(\s*(\w+)\s*\)", rest)
                    if m:
                        if m.group(1) != str(UTF8_CODE_PAGE):
                            raise RcError(where, f"code page {m.group(1)}: only UTF-8 scripts "
                                                 f"(#pragma code_page({UTF8_CODE_PAGE})) are read")
                        self.code_page = UTF8_CODE_PAGE
                elif directive == "error":
                    raise RcError(where, f"#error {rest}")
                # Other directives (#line, other pragmas) do not concern the resources.
                self.lines.append(("", where, self.code_page))
            elif active and not directives_only:
                self.lines.append((line, where, self.code_page))
            else:
                self.lines.append(("", where, self.code_page))
        if stack:
            raise RcError(name, "#if without #endif")

    def include(self, rest, folder, where):
        m = re.match(r'"([^"]+)"|<([^>]+)>', rest)
        if not m:
            raise RcError(where, "#include without a file name")
        target = m.group(1) or m.group(2)
        found = find_file(target, [folder] + self.include_dirs)
        if found:
            headers_only = os.path.splitext(target)[1].lower() in (".h", ".hpp", ".c")
            self.run(found, directives_only=headers_only)
        elif os.path.basename(target).lower() not in SDK_HEADERS:
            raise RcError(where, f"#include \"{target}\": no such file beside the script")


TOKEN = re.compile(r"""
    (?P<space>[ \t\f\v]+)
  | (?P<string>L?"(?:[^"\n]|"")*")
  | (?P<number>0[xX][0-9a-fA-F]+[uUlL]*|\d+[uUlL]*)
  | (?P<ident>[A-Za-z_][\w.]*)
  | (?P<punct>[,|{}()+\-~&!*/])
""", re.VERBOSE)


class Token:
    def __init__(self, kind, text, where, line, code_page=UTF8_CODE_PAGE):
        self.kind, self.text, self.where, self.line, self.code_page = kind, text, where, line, code_page

    def keyword(self, *words):
        return self.kind == "ident" and self.text.upper() in words

    def opens(self):
        return self.keyword("BEGIN") or self.text == "{"

    def closes(self):
        return self.keyword("END") or self.text == "}"


def tokenize(lines):
    tokens = []
    for index, (line, where, code_page) in enumerate(lines):
        pos = 0
        while pos < len(line):
            m = TOKEN.match(line, pos)
            if not m:
                if line[pos] == '"':
                    raise RcError(where, "a string is not closed on its line")
                raise RcError(where, f"unexpected \"{line[pos]}\"")
            pos = m.end()
            if m.lastgroup != "space":
                tokens.append(Token(m.lastgroup, m.group(), where, index, code_page))
    return tokens


def decode_string(token):
    """The text of a string literal: "" is a quote; \\n, \\r, \\t, \\a, \\\\, octal and \\x escapes."""
    body = token.text[1:] if token.text.startswith("L") else token.text
    body = body[1:-1]
    if token.code_page != UTF8_CODE_PAGE and any(ord(ch) > 0x7F for ch in body):
        raise RcError(token.where, f"text outside ASCII needs #pragma code_page({UTF8_CODE_PAGE}) before it")
    out = []
    i = 0
    simple = {"n": "\n", "r": "\r", "t": "\t", "a": "\a", "\\": "\\"}
    while i < len(body):
        c = body[i]
        if c == '"':  # the tokenizer admits quotes only in pairs
            out.append('"')
            i += 2
        elif c == "\\":
            if i + 1 >= len(body):
                raise RcError(token.where, "a string ends in a lone backslash")
            e = body[i + 1]
            if e in simple:
                out.append(simple[e])
                i += 2
            elif e in "xX":
                m = re.match(r"[0-9a-fA-F]{1,4}", body[i + 2:])
                if not m:
                    raise RcError(token.where, "\\x without hex digits")
                out.append(chr(int(m.group(), 16)))
                i += 2 + m.end()
            elif e in "01234567":
                m = re.match(r"[0-7]{1,3}", body[i + 1:])
                out.append(chr(int(m.group(), 8)))
                i += 1 + m.end()
            else:
                raise RcError(token.where, f"unknown escape \\{e} (a quote is written \"\")")
            if out[-1] == "\0":
                raise RcError(token.where, "a null character would cut the text short")
            if 0xD800 <= ord(out[-1]) <= 0xDFFF:
                raise RcError(token.where, f"\\x{ord(out[-1]):04X} is half of a surrogate pair, not a character")
        else:
            out.append(c)
            i += 1
    return "".join(out)


class Style:
    """A style expression's value with the bits NOT takes away, as rc.exe keeps them."""

    def __init__(self, value=0, removed=0):
        self.value, self.removed = value & MASK32, removed & MASK32

    def applied_to(self, default):
        return ((default & ~self.removed) | self.value) & MASK32


class Control:
    def __init__(self, ident, name, window_class, text, style, rect, statement, where):
        self.id, self.name, self.window_class, self.text = ident, name, window_class, text
        self.style, self.rect, self.statement, self.where = style, rect, statement, where


class Dialog:
    def __init__(self, ident, where):
        self.id, self.where = ident, where
        self.caption = ""
        self.rect = (0, 0, 0, 0)
        self.style = DIALOG_DEFAULT_STYLE
        self.font_name, self.font_size = "", 0
        self.controls = []


class Image:
    def __init__(self, ident, kind, path, data, where):
        self.id, self.kind, self.path, self.data, self.where = ident, kind, path, data, where


class Resources:
    def __init__(self):
        self.strings = {}   # id -> (text, where)
        self.dialogs = {}   # id -> Dialog
        self.images = {}    # (kind, id) -> Image
        self.files = []     # every file read, for the depfile


class Parser:
    def __init__(self, tokens, defines, folders):
        self.tokens, self.defines, self.folders = tokens, defines, folders
        self.pos = 0
        self.resources = Resources()

    # --- tokens

    def peek(self, offset=0):
        i = self.pos + offset
        return self.tokens[i] if i < len(self.tokens) else None

    def take(self, what):
        token = self.peek()
        if token is None:
            last = self.tokens[-1].where if self.tokens else "script"
            raise RcError(last, f"the script ends where {what} was expected")
        self.pos += 1
        return token

    def comma(self, what):
        token = self.take(f"a comma before {what}")
        if token.text != ",":
            raise RcError(token.where, f"a comma was expected before {what}, not \"{token.text}\"")

    def at_comma(self):
        token = self.peek()
        return token is not None and token.text == ","

    # --- expressions

    def symbol(self, token, seen=()):
        """The value of a name: a #define of the script or its headers, or the SDK's."""
        name = token.text
        if name in self.defines and name not in seen:
            body, where = self.defines[name]
            inner = tokenize([(body, where, UTF8_CODE_PAGE)])
            if not inner:
                raise RcError(token.where, f"{name} is defined empty ({where}), not as a number")
            sub = Parser(inner, self.defines, self.folders)
            try:
                value = sub.style_expression(seen + (name,))
            except RcError as e:
                raise RcError(token.where, f"{name} is not defined as a number ({e})")
            if sub.peek() is not None:
                raise RcError(token.where, f"{name} is not defined as a number ({where})")
            if value.removed:
                raise RcError(token.where, f"{name} uses NOT, which only a style may")
            return value.value
        if name.upper() == "NOT" or name in seen:
            raise RcError(token.where, f"{name} is not defined as a number")
        if name in SDK_SYMBOLS:
            return SDK_SYMBOLS[name] & MASK32
        raise RcError(token.where, f"{name} is not defined")

    def operand(self, seen):
        token = self.take("a number")
        if token.keyword("NOT"):
            inner = self.operand(seen)
            return Style(0, inner.value)
        if token.text == "(":
            value = self.style_expression(seen)
            closing = self.take("\")\"")
            if closing.text != ")":
                raise RcError(closing.where, f"\")\" was expected, not \"{closing.text}\"")
            return value
        if token.text == "~":
            return Style(~self.operand(seen).value)
        if token.text == "-":
            return Style(-self.operand(seen).value)
        if token.text == "+":
            return self.operand(seen)
        if token.kind == "number":
            return Style(int(token.text.rstrip("uUlL"), 0))
        if token.kind == "ident":
            return Style(self.symbol(token, seen))
        raise RcError(token.where, f"a number was expected, not \"{token.text}\"")

    def product(self, seen):
        value = self.operand(seen)
        while self.peek() is not None and self.peek().text in ("*", "/"):
            op = self.take("an operator")
            right = self.operand(seen)
            if op.text == "/" and right.value == 0:
                raise RcError(op.where, "division by zero")
            value = Style(value.value * right.value if op.text == "*" else value.value // right.value,
                          value.removed | right.removed)
        return value

    def style_expression(self, seen=()):
        """rc.exe's expression: + - | & of equal precedence, left to right; NOT clears bits."""
        value = self.product(seen)
        while self.peek() is not None and self.peek().text in ("|", "&", "+", "-"):
            op = self.take("an operator").text
            right = self.product(seen)
            kept = value.value & ~right.removed
            if op == "|":
                combined = kept | right.value
            elif op == "&":
                combined = kept & right.value
            elif op == "+":
                combined = kept + right.value
            else:
                combined = kept - right.value
            value = Style(combined, value.removed | right.removed)
        return value

    def number(self, what):
        """A numeric expression, as a signed 32-bit value."""
        start = self.peek()
        value = self.style_expression()
        if value.removed:
            raise RcError(start.where, f"NOT is only for styles, not for {what}")
        v = value.value
        return v - (1 << 32) if v & 0x80000000 else v

    def resource_id(self, token, what):
        """A resource's id: a number or a name defined as one, 0..65535."""
        if token.kind == "number":
            ident = int(token.text.rstrip("uUlL"), 0)
        elif token.kind == "ident" and (token.text in self.defines or token.text in SDK_SYMBOLS):
            ident = self.symbol(token)
        else:
            raise RcError(token.where, f"{what} {token.text} must be a number (a name defined in resource.h)")
        if not 0 <= ident <= 0xFFFF:
            raise RcError(token.where, f"{what} id {ident} is outside 0..65535")
        return ident

    # --- statements

    def parse(self):
        while self.peek() is not None:
            token = self.peek()
            if token.keyword("STRINGTABLE"):
                self.pos += 1
                self.string_table()
            elif token.keyword("LANGUAGE"):
                self.pos += 1
                self.take("a language")
                self.comma("the sublanguage")
                self.take("a sublanguage")
            elif token.keyword("VERSION", "CHARACTERISTICS"):
                self.pos += 1
                self.take("a value")
            else:
                self.resource()
        return self.resources

    def skip_options(self):
        """Skips a statement's options up to its block; the block's first token is next."""
        while True:
            token = self.take("BEGIN")
            if token.opens():
                return

    def skip_block(self):
        depth = 1
        while depth:
            token = self.take("END")
            if token.opens():
                depth += 1
            elif token.closes():
                depth -= 1

    def resource(self):
        """One resource statement: name, type, then a file name or a block."""
        name = self.take("a resource")
        if name.keyword("BEGIN", "END") or name.kind == "punct":
            raise RcError(name.where, f"unexpected \"{name.text}\"")
        kind = self.take("a resource type")
        if kind.keyword("DIALOGEX", "DIALOG"):
            self.dialog(name, kind)
            return
        while self.peek() is not None and self.peek().keyword(*MEMORY_OPTIONS):
            self.pos += 1
        if kind.keyword("BITMAP", "ICON"):
            self.image(name, kind)
            return
        following = self.peek()
        if following is not None and following.kind == "string":
            self.pos += 1  # other resources that name a file
            return
        if kind.kind == "punct":
            raise RcError(kind.where, f"unexpected \"{kind.text}\" after {name.text}")
        self.skip_options()
        self.skip_block()

    def string_table(self):
        strings = self.resources.strings
        self.skip_options()
        while True:
            token = self.take("END")
            if token.closes():
                return
            self.pos -= 1
            ident = self.number("a string id")
            if self.at_comma():
                self.pos += 1
            text_token = self.take("the string")
            if text_token.kind != "string":
                raise RcError(text_token.where, f"a quoted string was expected for {token.text}")
            if not 0 <= ident <= 0xFFFF:
                raise RcError(token.where, f"string id {ident} is outside 0..65535")
            if ident in strings:
                raise RcError(token.where, f"string id {ident} is given twice (first at {strings[ident][1]})")
            text = decode_string(text_token)
            if len(text.encode("utf-16-le")) // 2 > MAX_STRING_UNITS:
                raise RcError(text_token.where, f"string {ident} is longer than {MAX_STRING_UNITS} characters")
            strings[ident] = (text, token.where)

    def image(self, name, kind):
        ident = self.resource_id(name, kind.text.upper())
        file_token = self.take("the file name")
        if file_token.kind != "string":
            raise RcError(file_token.where, f"{kind.text.upper()} {name.text} takes a quoted file name")
        target = decode_string(file_token)
        image_kind = "bitmap" if kind.keyword("BITMAP") else "icon"
        key = (image_kind, ident)
        if key in self.resources.images:
            raise RcError(name.where, f"{image_kind} {ident} is given twice "
                                      f"(first at {self.resources.images[key].where})")
        path = find_file(target, self.folders)
        if path is None:
            places = "beside the script" + (" or in the include folders" if len(self.folders) > 1 else "")
            raise RcError(file_token.where, f"{kind.text.upper()} {name.text}: no file \"{target}\" {places}")
        try:
            with open(path, "rb") as f:
                data = f.read()
        except OSError as e:
            raise RcError(file_token.where, f"\"{target}\" cannot be read ({e.strerror})")
        check_image(image_kind, data, target, file_token.where)
        self.resources.images[key] = Image(ident, image_kind, path, data, name.where)
        self.resources.files.append(path)

    def dialog(self, name, kind):
        ident = self.resource_id(name, "dialog")
        if ident in self.resources.dialogs:
            raise RcError(name.where, f"dialog {ident} is given twice (first at {self.resources.dialogs[ident].where})")
        dialog = Dialog(ident, name.where)
        extended = kind.keyword("DIALOGEX")
        while self.peek() is not None and self.peek().keyword(*MEMORY_OPTIONS):
            self.pos += 1
        rect = [self.number("the dialog's x")]
        for what in ("y", "width", "height"):
            self.comma(f"the dialog's {what}")
            rect.append(self.number(f"the dialog's {what}"))
        if extended and self.at_comma():
            self.pos += 1
            self.number("the help id")
        dialog.rect = tuple(rect)
        if rect[2] < 0 or rect[3] < 0:
            raise RcError(name.where, f"dialog {ident} has a negative size")
        style_given = False
        captioned = False
        fonted = False
        while True:
            token = self.take("BEGIN")
            if token.opens():
                break
            if token.keyword("STYLE"):
                dialog.style = self.style_expression().applied_to(0)
                style_given = True
            elif token.keyword("CAPTION"):
                text = self.take("the caption")
                if text.kind != "string":
                    raise RcError(text.where, "CAPTION takes a quoted text")
                dialog.caption = decode_string(text)
                captioned = True
            elif token.keyword("FONT"):
                dialog.font_size = self.number("the font size")
                self.comma("the font name")
                face = self.take("the font name")
                if face.kind != "string":
                    raise RcError(face.where, "FONT takes a size and a quoted font name")
                dialog.font_name = decode_string(face)
                fonted = True
                # DIALOGEX adds weight, italic and character set; they do not concern the template.
                while extended and self.at_comma():
                    self.pos += 1
                    self.number("the font's weight, italic or character set")
                if dialog.font_size <= 0:
                    raise RcError(token.where, f"font size {dialog.font_size} is not positive")
            elif token.keyword("LANGUAGE"):
                self.take("a language")
                self.comma("the sublanguage")
                self.take("a sublanguage")
            elif token.keyword(*DIALOG_IGNORED_OPTIONS):
                value = self.peek()
                if value is not None and value.kind == "string":
                    self.pos += 1
                else:
                    self.number(token.text)
            else:
                raise RcError(token.where, f"\"{token.text}\" is not a statement of a dialog (BEGIN missing?)")
        # rc.exe marks what the statements imply: a caption bar, a font in the template.
        if captioned and not style_given:
            dialog.style |= WS_CAPTION
        if fonted:
            dialog.style |= DS_SETFONT
        while True:
            token = self.take("END")
            if token.closes():
                break
            dialog.controls.append(self.control(token, extended))
        ids = {}
        for control in dialog.controls:
            if control.id != -1 and control.id in ids:
                raise RcError(control.where, f"control id {control.id} is used twice in dialog {ident} "
                                             f"(first at {ids[control.id]})")
            ids.setdefault(control.id, control.where)
        self.resources.dialogs[ident] = dialog

    def control_text(self, statement):
        """A control's text: a quoted text, or a resource named by number ("#8088")."""
        token = self.take("the control's text")
        if token.kind == "string":
            return decode_string(token)
        self.pos -= 1
        ident = self.number(f"the text of {statement}")
        return f"#{ident}"

    def control_id(self):
        start = self.peek()
        ident = self.number("the control id")
        if not -1 <= ident <= 0xFFFF:
            raise RcError(start.where, f"control id {ident} is outside -1..65535")
        # The id's name is kept when it is written as one; the shared static id names nothing.
        plain = start.kind == "ident" and (self.peek() is None or self.peek().text == ",")
        name = start.text if plain and ident != -1 else ""
        return ident, name

    def window_class(self):
        token = self.take("the window class")
        if token.kind == "string":
            text = decode_string(token)
        elif token.kind == "ident" and token.text in SDK_CLASS_NAMES:
            text = SDK_CLASS_NAMES[token.text]
        elif token.kind == "ident" and token.text.upper() in PREDEFINED_CLASSES:
            text = token.text
        else:
            raise RcError(token.where, f"\"{token.text}\" is not a window class")
        if not text:
            raise RcError(token.where, "the window class is empty")
        return PREDEFINED_CLASSES.get(text.upper(), text)

    def control(self, statement, extended):
        word = statement.text.upper()
        where = statement.where
        if statement.kind != "ident" or (word not in SHORTHANDS and word != "CONTROL"):
            raise RcError(where, f"\"{statement.text}\" is not a control statement")
        if word == "CONTROL":
            text = self.control_text(word)
            self.comma("the control id")
            ident, name = self.control_id()
            self.comma("the window class")
            window_class = self.window_class()
            self.comma("the style")
            style = self.style_expression().applied_to(CONTROL_DEFAULT_STYLE)
            rect = self.rectangle()
        else:
            window_class, default, titled = SHORTHANDS[word]
            text = ""
            if titled:
                text = self.control_text(word)
                self.comma("the control id")
            ident, name = self.control_id()
            # An ICON control takes its icon's size unless the statement gives one.
            rect = self.rectangle(optional_size=word == "ICON")
            style = default
            if self.at_comma():
                self.pos += 1
                style = self.style_expression().applied_to(default)
        if self.at_comma():
            self.pos += 1
            self.number("the extended style")
            if extended and self.at_comma():
                self.pos += 1
                self.number("the help id")
        following = self.peek()
        if following is not None and following.opens():
            raise RcError(following.where, f"{word}: control data blocks are not read")
        if window_class == "Static" and text.startswith("#") and style & SS_TYPEMASK not in (SS_ICON, SS_BITMAP):
            # A number as the text of a plain static is its caption, not a resource.
            text = text[1:]
        if rect[2] < 0 or rect[3] < 0:
            raise RcError(where, f"{word} {name or ident} has a negative size")
        return Control(ident, name, window_class, text, style, rect, word, where)

    def rectangle(self, optional_size=False):
        rect = []
        for what in ("x", "y", "width", "height"):
            if optional_size and what == "width" and not self.at_comma():
                return tuple(rect) + (0, 0)
            self.comma(f"the control's {what}")
            rect.append(self.number(f"the control's {what}"))
        return tuple(rect)


def check_image(kind, data, target, where):
    """Refuses a file that is not what the statement says it is."""
    if kind == "bitmap":
        if len(data) < 26 or data[:2] != b"BM":
            raise RcError(where, f"\"{target}\" is not a .bmp file (no BM header)")
    elif len(data) < 6 or data[:4] != b"\x00\x00\x01\x00" or data[4:6] == b"\x00\x00":
        raise RcError(where, f"\"{target}\" is not an .ico file")


def compile_script(script, include_dirs=()):
    """The script's resources, with every file read for them."""
    pre = Preprocessor(include_dirs)
    pre.run(script)
    folders = [os.path.dirname(os.path.abspath(script))] + list(include_dirs)
    resources = Parser(tokenize(pre.lines), pre.defines, folders).parse()
    resources.files = pre.files + resources.files
    return resources


def cpp_literal(text):
    """A C++ string literal of the text's UTF-8 bytes; octal escapes keep it ASCII."""
    return bytes_literal(text.encode("utf-8"))


def bytes_literal(data):
    out = ['"']
    for b in data:
        c = chr(b)
        if c == '"' or c == "\\":
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif 0x20 <= b < 0x7F and c != "?":  # no ?? trigraph look-alikes
            out.append(c)
        else:
            out.append("\\%03o" % b)
    out.append('"')
    return "".join(out)


def bytes_lines(data, chunk=24):
    """A long byte string as adjacent literals of `chunk` bytes each, one a line."""
    lines = []
    for start in range(0, len(data), chunk):
        lines.append("    " + bytes_literal(data[start:start + chunk]))
    return lines or ['    ""']


def generate(resources, script):
    """The C++ source of the resources."""
    strings, dialogs, images = resources.strings, resources.dialogs, resources.images
    base = os.path.basename(script)
    lines = [
        f"// Generated from {base} by tools/rc_compile.py; edit the script, not this file.",
        "",
        '#include "frame/ModuleResources.h"',
        '#include "frame/StringTable.h"',
        "",
        "namespace {",
        "",
    ]
    for ident in sorted(strings):
        lines.append(f"const char kString{ident}[] = {cpp_literal(strings[ident][0])};")
    lines += ["", "const StringTableEntry kStrings[] = {"]
    lines += [f"    {{{ident}, kString{ident}}}," for ident in sorted(strings)] or ["    {0, nullptr},"]
    lines += ["};", ""]
    if strings:
        lines.append("const ZcUiStringResource kStringResources[] = {")
        lines += [f"    {{{ident}, kString{ident}}}," for ident in sorted(strings)]
        lines += ["};", ""]
    for ident in sorted(dialogs):
        dialog = dialogs[ident]
        if not dialog.controls:
            continue
        lines.append(f"// {base}: dialog {ident} ({dialog.where})")
        lines.append(f"const ZcUiControlTemplate kDialog{ident}Controls[] = {{")
        for c in dialog.controls:
            x, y, cx, cy = c.rect
            lines.append(f"    {{{c.id}, {cpp_literal(c.name)}, {cpp_literal(c.window_class)}, {cpp_literal(c.text)}, "
                         f"0x{c.style:08X}u, {x}, {y}, {cx}, {cy}}},  // {c.statement}")
        lines += ["};", ""]
    if dialogs:
        lines.append("const ZcUiDialogTemplate kDialogs[] = {")
        for ident in sorted(dialogs):
            d = dialogs[ident]
            controls = f"kDialog{ident}Controls, {len(d.controls)}" if d.controls else "nullptr, 0"
            lines.append(f"    {{{ident}, {cpp_literal(d.caption)}, {d.rect[2]}, {d.rect[3]}, {controls}, "
                         f"0x{d.style:08X}u, {cpp_literal(d.font_name)}, {d.font_size}}},")
        lines += ["};", ""]
    ordered = sorted(images.values(), key=lambda image: (image.kind, image.id))
    for image in ordered:
        # The array holds the literal's closing null too; the resource's size leaves it out.
        lines.append(f"// {os.path.basename(image.path)}, {len(image.data)} bytes")
        lines.append(f"const unsigned char k{image.kind.capitalize()}{image.id}[{len(image.data) + 1}] =")
        lines += bytes_lines(image.data)
        lines[-1] += ";"
        lines.append("")
    if images:
        lines.append("const ZcUiImageResource kImages[] = {")
        for image in ordered:
            kind = "kBitmap" if image.kind == "bitmap" else "kIcon"
            array = f"k{image.kind.capitalize()}{image.id}"
            lines.append(f"    {{{image.id}, ZcUiImageKind::{kind}, {array}, {len(image.data)}}},")
        lines += ["};", ""]
    sections = [
        f"kDialogs, {len(dialogs)}" if dialogs else "nullptr, 0",
        f"kStringResources, {len(strings)}" if strings else "nullptr, 0",
        f"kImages, {len(images)}" if images else "nullptr, 0",
    ]
    lines += [
        f"const ZcUiModuleResources kResources = {{{', '.join(sections)}}};",
        "",
        "}  // namespace",
        "",
        "std::span<const StringTableEntry> TarvoStringTable()",
        "{",
        f"    return std::span<const StringTableEntry>(kStrings, {len(strings)});",
        "}",
        "",
        "const ZcUiModuleResources& TarvoResources() { return kResources; }",
        "",
    ]
    return "\n".join(lines)


def write_if_changed(path, text):
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + ".tmp", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(path + ".tmp", path)


def main(argv):
    args = argv[1:]
    depfile = None
    include_dirs = []
    positional = []
    i = 0
    while i < len(args):
        if args[i] in ("--depfile", "--include"):
            if i + 1 >= len(args):
                print(__doc__, file=sys.stderr)
                return 2
            if args[i] == "--depfile":
                depfile = args[i + 1]
            else:
                include_dirs.append(args[i + 1])
            i += 2
        else:
            positional.append(args[i])
            i += 1
    if len(positional) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    script, output = positional
    try:
        resources = compile_script(script, include_dirs)
    except RcError as e:
        print(f"{TOOL}: {e}", file=sys.stderr)
        return 1
    write_if_changed(output, generate(resources, script))
    if depfile:
        escaped = [f.replace(" ", "\\ ") for f in resources.files]
        write_if_changed(depfile, f"{output.replace(' ', chr(92) + ' ')}: {' '.join(escaped)}\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
