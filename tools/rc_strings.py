#!/usr/bin/env python3
"""Turns the STRINGTABLE of a Windows resource script into C++ data.

Usage: rc_strings.py SCRIPT.rc OUTPUT.cpp [--depfile FILE]

The script is read as rc.exe reads it: the preprocessor first (#include,
#define, #undef, #if/#ifdef/#ifndef/#elif/#else/#endif, #pragma
code_page), headers (.h) for their directives only, then the statements.
Every STRINGTABLE block is collected; every other resource statement
(DIALOGEX, ICON, BITMAP, MENU, VERSIONINFO, TEXTINCLUDE, DESIGNINFO, ...) is
skipped whole. The script must be UTF-8 (#pragma code_page(65001)).

The output defines TarvoStringTable() (declared in frame/StringTable.h): the
strings as UTF-8, sorted by id. It is rewritten only when it changes.
"""

import os
import re
import sys

# SDK headers a script includes for its symbols; this tool knows the few it needs.
SDK_HEADERS = {"afxres.h", "winres.h", "winresrc.h", "windows.h", "commctrl.h", "richedit.h", "verrsrc.h"}
# Load and memory options that may follow a resource type.
MEMORY_OPTIONS = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE", "PURE", "IMPURE", "SHARED",
                  "NONSHARED"}
UTF8_CODE_PAGE = 65001
MAX_STRING_UNITS = 4097  # rc.exe's limit for one string, in UTF-16 units


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
        return number_or_zero(self.defines.get(token, "0"))


def number_or_zero(text):
    try:
        return int(text.strip().rstrip("uUlL"), 0)
    except ValueError:
        return 0


class Preprocessor:
    def __init__(self):
        self.defines = {}
        self.files = []       # every file read, for the depfile
        self.lines = []       # (text, where) of the script's active lines
        self.code_page = None

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
                    self.defines[parts[0]] = parts[1].strip() if len(parts) > 1 else ""
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
                # Other directives (#line, other pragmas) do not concern the strings.
                self.lines.append(("", where))
            elif active and not directives_only:
                self.lines.append((line, where))
            else:
                self.lines.append(("", where))
        if stack:
            raise RcError(name, "#if without #endif")

    def include(self, rest, folder, where):
        m = re.match(r'"([^"]+)"|<([^>]+)>', rest)
        if not m:
            raise RcError(where, "#include without a file name")
        target = m.group(1) or m.group(2)
        candidate = os.path.join(folder, target)
        if os.path.exists(candidate):
            headers_only = os.path.splitext(target)[1].lower() in (".h", ".hpp", ".c")
            self.run(candidate, directives_only=headers_only)
        elif os.path.basename(target).lower() not in SDK_HEADERS:
            raise RcError(where, f"#include \"{target}\": no such file beside the script")


TOKEN = re.compile(r"""
    (?P<space>[ \t\f\v]+)
  | (?P<string>L?"(?:[^"\n]|"")*")
  | (?P<number>0[xX][0-9a-fA-F]+[uUlL]*|\d+[uUlL]*)
  | (?P<ident>[A-Za-z_][\w.]*)
  | (?P<punct>[,|{}()+\-~&!])
""", re.VERBOSE)


class Token:
    def __init__(self, kind, text, where, line):
        self.kind, self.text, self.where, self.line = kind, text, where, line

    def keyword(self, *words):
        return self.kind == "ident" and self.text.upper() in words


def tokenize(lines):
    tokens = []
    for index, (line, where) in enumerate(lines):
        pos = 0
        while pos < len(line):
            m = TOKEN.match(line, pos)
            if not m:
                if line[pos] == '"':
                    raise RcError(where, "a string is not closed on its line")
                raise RcError(where, f"unexpected \"{line[pos]}\"")
            pos = m.end()
            if m.lastgroup != "space":
                tokens.append(Token(m.lastgroup, m.group(), where, index))
    return tokens


def decode_string(token):
    """The text of a string literal: "" is a quote; \\n, \\r, \\t, \\a, \\\\, octal and \\x escapes."""
    body = token.text[1:] if token.text.startswith("L") else token.text
    body = body[1:-1]
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
        else:
            out.append(c)
            i += 1
    return "".join(out)


class Parser:
    def __init__(self, tokens, defines):
        self.tokens, self.defines = tokens, defines
        self.pos = 0
        self.strings = {}  # id -> (text, where)

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

    def number(self, token):
        """A numeric value: a number or a #define'd symbol standing for one."""
        if token.kind == "number":
            return int(token.text.rstrip("uUlL"), 0)
        if token.kind == "ident":
            seen = set()
            text = token.text
            while text in self.defines and text not in seen:
                seen.add(text)
                text = self.defines[text].strip()
                if text.startswith("(") and text.endswith(")"):
                    text = text[1:-1].strip()
            if re.fullmatch(r"0[xX][0-9a-fA-F]+[uUlL]*|\d+[uUlL]*", text):
                return int(text.rstrip("uUlL"), 0)
            raise RcError(token.where, f"{token.text} is not defined as a number")
        raise RcError(token.where, f"a number was expected, not {token.text}")

    def parse(self):
        while self.peek() is not None:
            token = self.peek()
            if token.keyword("STRINGTABLE"):
                self.pos += 1
                self.string_table()
            elif token.keyword("LANGUAGE"):
                self.pos += 1
                self.take("a language")
                if self.take("a comma").text != ",":
                    raise RcError(token.where, "LANGUAGE takes a language and a sublanguage")
                self.take("a sublanguage")
            elif token.keyword("VERSION", "CHARACTERISTICS"):
                self.pos += 1
                self.take("a value")
            else:
                self.skip_resource()
        return self.strings

    def skip_options(self):
        """Skips a statement's options up to its block; the block's first token is next."""
        while True:
            token = self.take("BEGIN")
            if token.keyword("BEGIN") or token.text == "{":
                return

    def skip_block(self):
        depth = 1
        while depth:
            token = self.take("END")
            if token.keyword("BEGIN") or token.text == "{":
                depth += 1
            elif token.keyword("END") or token.text == "}":
                depth -= 1

    def skip_resource(self):
        """Skips one resource statement: name, type, then a file name or a block."""
        name = self.take("a resource")
        if name.keyword("BEGIN", "END") or name.kind == "punct":
            raise RcError(name.where, f"unexpected \"{name.text}\"")
        kind = self.take("a resource type")
        while self.peek() is not None and self.peek().keyword(*MEMORY_OPTIONS):
            self.pos += 1
        following = self.peek()
        if following is not None and following.kind == "string":
            self.pos += 1  # ICON, BITMAP and the like name a file
            return
        if kind.kind == "punct":
            raise RcError(kind.where, f"unexpected \"{kind.text}\" after {name.text}")
        self.skip_options()
        self.skip_block()

    def string_table(self):
        self.skip_options()
        while True:
            token = self.take("END")
            if token.keyword("END") or token.text == "}":
                return
            ident = self.number(token)
            if self.peek() is not None and self.peek().text == ",":
                self.pos += 1
            text_token = self.take("the string")
            if text_token.kind != "string":
                raise RcError(text_token.where, f"a quoted string was expected for {token.text}")
            if not 0 <= ident <= 0xFFFF:
                raise RcError(token.where, f"string id {ident} is outside 0..65535")
            if ident in self.strings:
                raise RcError(token.where, f"string id {ident} is given twice (first at {self.strings[ident][1]})")
            text = decode_string(text_token)
            if len(text.encode("utf-16-le")) // 2 > MAX_STRING_UNITS:
                raise RcError(text_token.where, f"string {ident} is longer than {MAX_STRING_UNITS} characters")
            self.strings[ident] = (text, token.where)


def read_strings(script):
    pre = Preprocessor()
    pre.run(script)
    strings = Parser(tokenize(pre.lines), pre.defines).parse()
    if strings and pre.code_page != UTF8_CODE_PAGE:
        raise RcError(os.path.basename(script), f"strings need #pragma code_page({UTF8_CODE_PAGE}) before them")
    return {k: v[0] for k, v in strings.items()}, pre.files


def cpp_literal(text):
    """A C++ string literal of the text's UTF-8 bytes; octal escapes keep it ASCII."""
    out = ['"']
    for b in text.encode("utf-8"):
        c = chr(b)
        if c == '"' or c == "\\":
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif 0x20 <= b < 0x7F:
            out.append(c)
        else:
            out.append("\\%03o" % b)
    out.append('"')
    return "".join(out)


def generate(strings, script):
    lines = [
        f"// Generated from {os.path.basename(script)} by tools/rc_strings.py; edit the script, not this file.",
        "",
        '#include "frame/StringTable.h"',
        "",
        "namespace {",
        "",
        "const StringTableEntry kStrings[] = {",
    ]
    for ident in sorted(strings):
        lines.append(f"    {{{ident}, {cpp_literal(strings[ident])}}},")
    if not strings:
        lines.append("    {0, nullptr},")
    lines += [
        "};",
        "",
        "}  // namespace",
        "",
        "std::span<const StringTableEntry> TarvoStringTable()",
        "{",
        f"    return std::span<const StringTableEntry>(kStrings, {len(strings)});",
        "}",
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
    if "--depfile" in args:
        i = args.index("--depfile")
        if i + 1 >= len(args):
            print(__doc__, file=sys.stderr)
            return 2
        depfile = args[i + 1]
        del args[i:i + 2]
    if len(args) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    script, output = args
    try:
        strings, files = read_strings(script)
    except RcError as e:
        print(f"rc_strings: {e}", file=sys.stderr)
        return 1
    write_if_changed(output, generate(strings, script))
    if depfile:
        escaped = [f.replace(" ", "\\ ") for f in files]
        write_if_changed(depfile, f"{output.replace(' ', chr(92) + ' ')}: {' '.join(escaped)}\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
