"""Tests of tools/rc_compile.py: what it takes from a resource script and what it refuses.

Usage: python3 rc_compile_test.py   (run by ctest)
"""

import importlib.util
import os
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
TOOL = os.path.join(HERE, "..", "..", "tools", "rc_compile.py")
loader_spec = importlib.util.spec_from_file_location("rc_compile", TOOL)
rc = importlib.util.module_from_spec(loader_spec)
loader_spec.loader.exec_module(rc)

WS_CHILD, WS_VISIBLE, WS_DISABLED = 0x40000000, 0x10000000, 0x08000000
WS_BORDER, WS_VSCROLL, WS_GROUP, WS_TABSTOP = 0x00800000, 0x00200000, 0x00020000, 0x00010000
WS_POPUP, WS_CAPTION, WS_SYSMENU = 0x80000000, 0x00C00000, 0x00080000
DS_SETFONT, DS_MODALFRAME = 0x40, 0x80

HEADER = """\
//{{NO_DEPENDENCIES}}
#define IDD_ISLANDS                     8048
#define IDI_P8A                         8049
#define IDB_SKETCH                      8088
#define IDS_FIRST                       8001
#define IDS_QUOTE                       8002
#define IDC_EDIT                        8052
#define IDC_KIND                        8083
#define IDC_LIST                        8024
#define IDC_PICTURE                     8082
#define IDC_NEXT                        (IDC_EDIT + 1)
#define MY_STYLE                        (WS_POPUP | WS_CAPTION)
"""

SCRIPT = """\
// comment with "a quote" and STRINGTABLE in it
#include "resource.h"
#include "afxres.h"
#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_PLK)
LANGUAGE LANG_POLISH, SUBLANG_DEFAULT
#pragma code_page(65001)

IDD_ISLANDS DIALOGEX 0, 0, 439, 248
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
EXSTYLE WS_EX_CONTROLPARENT
CAPTION "Wyspy END BEGIN"
FONT 8, "MS Shell Dlg", 400, 0, 0x1
BEGIN
    DEFPUSHBUTTON   "Rysuj",IDOK,7,227,50,14
    ICON            IDI_P8A,IDC_STATIC,7,7,20,20
    EDITTEXT        IDC_EDIT,60,20,40,14,ES_AUTOHSCROLL
    LTEXT           "Promień",IDC_STATIC,7,22,40,8
    COMBOBOX        IDC_KIND,60,40,80,60,CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
    CONTROL         "",IDC_LIST,"SysListView32",LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP,150,7,200,100
    CONTROL         IDB_SKETCH,IDC_PICTURE,"Static",SS_BITMAP | SS_NOTIFY,150,110,100,60
    EDITTEXT        IDC_NEXT,60,80,40,14,ES_AUTOHSCROLL | NOT WS_VISIBLE | WS_DISABLED
    CONTROL         "Dodaj opis",8090,"button",BS_AUTOCHECKBOX | WS_TABSTOP,7,100,60,10,WS_EX_TRANSPARENT
    CONTROL         "",8091,RICHEDIT_CLASS,ES_MULTILINE | ES_WANTRETURN | WS_BORDER,7,120,100,40
END

IDI_P8A                 ICON                    "res\\\\P8A.ico"
IDB_SKETCH              BITMAP                  "res\\\\sketch.bmp"

#ifdef APSTUDIO_INVOKED
GUIDELINES DESIGNINFO
BEGIN
    IDD_ISLANDS, DIALOG
    BEGIN
        LEFTMARGIN, 7
    END
END
#endif

STRINGTABLE DISCARDABLE
BEGIN
    IDS_FIRST               "\\nWskaż punkt"   /* a block comment */
    IDS_QUOTE,              "Znak ""E-4"" \\\\ koniec\\t!"
    8003                    "Liczbą"
END
#endif

1 TEXTINCLUDE
BEGIN
    "resource.h\\0"
END
"""


def bitmap_bytes(width=4, height=2):
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytes(stride * height)
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return header + info + pixels


def icon_bytes():
    image = bitmap_bytes()[14:]
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 4, 2, 0, 0, 1, 24, len(image), 22) + image


class Script(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.write("resource.h", HEADER)
        os.makedirs(os.path.join(self.dir.name, "res"))
        self.write_bytes("res/P8A.ico", icon_bytes())
        self.write_bytes("res/sketch.bmp", bitmap_bytes())

    def write(self, name, text):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def write_bytes(self, name, data):
        with open(os.path.join(self.dir.name, name), "wb") as f:
            f.write(data)

    def compiled(self, script, include_dirs=()):
        return rc.compile_script(self.write("Test.rc", script), include_dirs)

    def refused(self, script, fragment):
        with self.assertRaises(rc.RcError) as caught:
            self.compiled(script)
        self.assertIn(fragment, str(caught.exception))


class Strings(Script):
    def test_strings_are_read_past_dialogs_icons_bitmaps_and_designer_blocks(self):
        self.assertEqual({k: v[0] for k, v in self.compiled(SCRIPT).strings.items()}, {
            8001: "\nWskaż punkt",
            8002: 'Znak "E-4" \\ koniec\t!',
            8003: "Liczbą",
        })

    def test_conditions_pick_one_branch_and_escapes_give_code_points(self):
        inactive = SCRIPT.replace("#if !defined(AFX_RESOURCE_DLL)", "#if defined(AFX_RESOURCE_DLL) && !defined(X)")
        self.assertEqual(self.compiled(inactive).strings, {})
        script = ('#include "resource.h"\n#pragma code_page(65001)\n'
                  "#if 0\nSTRINGTABLE BEGIN 1 \"a\" END\n"
                  "#elif IDS_FIRST == 8001\nSTRINGTABLE BEGIN 2 \"\\x0141\\101\\r\" END\n"
                  "#else\nSTRINGTABLE BEGIN 3 \"c\" END\n#endif\n")
        self.assertEqual({k: v[0] for k, v in self.compiled(script).strings.items()}, {2: "ŁA\r"})

    def test_string_mistakes_are_named_with_their_line(self):
        self.refused(SCRIPT.replace("65001", "1250"), "code page 1250")
        self.refused(SCRIPT.replace("#pragma code_page(65001)\n", ""), "code_page(65001)")
        self.refused(SCRIPT.replace("8003 ", "IDS_FIRST "), "given twice")
        self.refused(SCRIPT.replace("8003 ", "IDS_NOWHERE "), "IDS_NOWHERE is not defined")
        self.refused(SCRIPT.replace('"Liczbą"', '"Liczbą'), "Test.rc:43: a string is not closed")
        self.refused(SCRIPT.replace('""E-4""', '\\"E-4\\"'), "Test.rc:42:")
        self.refused(SCRIPT.replace('\\\\ koniec', '\\q koniec'), "unknown escape \\q")
        self.refused(SCRIPT.replace('\\\\ koniec', '\\0 koniec'), "null character")
        self.refused(SCRIPT.replace('\\\\ koniec', '\\xD800 koniec'), "surrogate")
        self.refused(SCRIPT.replace("    8003", "    70000"), "outside 0..65535")
        self.refused(SCRIPT.replace("#endif\n\n1 TEXTINCLUDE", "\n1 TEXTINCLUDE"), "#if without #endif")
        self.refused(SCRIPT.replace('#include "resource.h"', '#include "missing.h"'), "no such file")
        self.refused(SCRIPT[:SCRIPT.index("    8003")] + "#endif\n", "ends where END was expected")


class Dialogs(Script):
    def dialog(self, script=SCRIPT):
        return self.compiled(script).dialogs[8048]

    def controls(self, script=SCRIPT):
        return {c.id if c.id != -1 else c.text: c for c in self.dialog(script).controls}

    def test_dialog_keeps_size_caption_font_and_style(self):
        dialog = self.dialog()
        self.assertEqual(dialog.rect, (0, 0, 439, 248))
        self.assertEqual(dialog.caption, "Wyspy END BEGIN")
        self.assertEqual((dialog.font_name, dialog.font_size), ("MS Shell Dlg", 8))
        self.assertEqual(dialog.style, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
        self.assertEqual([c.statement for c in dialog.controls][:3], ["DEFPUSHBUTTON", "ICON", "EDITTEXT"],
                         "controls keep the script's order, which is the tab order")

    def test_without_style_a_dialog_gets_rc_defaults_and_what_caption_and_font_imply(self):
        plain = "1 DIALOG 0, 0, 10, 10\nBEGIN\nEND\n"
        self.assertEqual(self.compiled(plain).dialogs[1].style, WS_POPUP | WS_BORDER | WS_SYSMENU)
        captioned = '1 DIALOG 0, 0, 10, 10\nCAPTION "A"\nFONT 8, "MS Shell Dlg"\nBEGIN\nEND\n'
        self.assertEqual(self.compiled(captioned).dialogs[1].style,
                         WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION | DS_SETFONT)
        self.assertEqual(self.compiled(captioned).dialogs[1].font_name, "MS Shell Dlg")
        defined = "1 DIALOGEX 0, 0, 10, 10\nSTYLE MY_STYLE\nBEGIN\nEND\n"
        self.assertEqual(self.compiled('#include "resource.h"\n' + defined).dialogs[1].style, WS_POPUP | WS_CAPTION)

    def test_shorthands_get_their_class_and_default_style(self):
        c = self.controls()
        self.assertEqual((c[1].window_class, c[1].text, c[1].name), ("Button", "Rysuj", "IDOK"))
        self.assertEqual(c[1].style, WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x1)
        self.assertEqual((c[8052].window_class, c[8052].name), ("Edit", "IDC_EDIT"))
        self.assertEqual(c[8052].style, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | 0x80)
        self.assertEqual(c["Promień"].window_class, "Static")
        self.assertEqual(c["Promień"].style, WS_CHILD | WS_VISIBLE | WS_GROUP)
        self.assertEqual(c["Promień"].name, "", "the shared static id names no control")
        self.assertEqual(c["Promień"].rect, (7, 22, 40, 8))
        self.assertEqual(c[8083].style, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | 0x3)
        self.assertEqual(c[8083].window_class, "ComboBox")

    def test_control_lines_keep_their_class_and_name_resources_by_number(self):
        c = self.controls()
        self.assertEqual(c[8024].window_class, "SysListView32")
        self.assertEqual(c[8024].style, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | 0x1 | 0x4)
        self.assertEqual((c[8082].text, c[8082].style & 0x1F), ("#8088", 0xE))
        self.assertEqual(c["#8049"].style, WS_CHILD | WS_VISIBLE | 0x3, "an ICON control names its icon")
        sized_by_icon = SCRIPT.replace("IDC_STATIC,7,7,20,20", "IDC_STATIC,7,7")
        self.assertEqual(self.controls(sized_by_icon)["#8049"].rect, (7, 7, 0, 0))
        self.assertEqual(c[8090].window_class, "Button", "the system's classes are spelt one way")
        self.assertEqual(c[8091].window_class, "RichEdit20A")
        self.assertEqual(c[8091].style & 0x1004, 0x1004)

    def test_not_takes_away_default_bits_and_ids_may_be_expressions(self):
        hidden = self.controls()[8053]
        self.assertEqual(hidden.name, "IDC_NEXT", "a name defined as an expression is still one name")
        self.assertEqual(hidden.style, WS_CHILD | WS_DISABLED | WS_BORDER | WS_TABSTOP | 0x80)
        # rc.exe reads left to right: what NOT took away, a later term gives back.
        script = SCRIPT.replace("ES_AUTOHSCROLL | NOT WS_VISIBLE | WS_DISABLED", "NOT WS_VISIBLE | WS_VISIBLE")
        self.assertEqual(self.controls(script)[8053].style, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP)
        script = SCRIPT.replace("ES_AUTOHSCROLL | NOT WS_VISIBLE | WS_DISABLED", "NOT (WS_TABSTOP | WS_BORDER)")
        self.assertEqual(self.controls(script)[8053].style, WS_CHILD | WS_VISIBLE)
        script = SCRIPT.replace("IDC_NEXT,60,80", "8050 + 2 * 2 - 1,60,80")
        self.assertEqual(self.controls(script)[8053].name, "", "an id written as an expression has no name")

    def test_dialog_mistakes_are_named_with_their_line(self):
        self.refused(SCRIPT.replace("ES_AUTOHSCROLL |", "ES_NOWHERE |"), "Test.rc:21: ES_NOWHERE is not defined")
        self.refused(SCRIPT.replace("IDC_EDIT,60,20,40,14,ES_AUTOHSCROLL", "IDC_EDIT,60,20,40"),
                     "Test.rc:17: a comma was expected before the control's height, not \"LTEXT\"")
        self.refused(SCRIPT.replace("IDC_EDIT,60,20", "IDC_EDIT 60,20"), "comma was expected")
        self.refused(SCRIPT.replace("IDC_NEXT,60", "IDC_KIND,60"), "control id 8083 is used twice")
        self.refused(SCRIPT.replace("    LTEXT", "    LABEL"), "Test.rc:17: \"LABEL\" is not a control statement")
        self.refused(SCRIPT.replace('"SysListView32"', '42'), "is not a window class")
        self.refused(SCRIPT.replace("FONT 8,", "FONTS 8,"), "Test.rc:12: \"FONTS\" is not a statement of a dialog")
        self.refused(SCRIPT.replace("IDD_ISLANDS DIALOGEX", "IDD_NOWHERE DIALOGEX"), "Test.rc:8: dialog IDD_NOWHERE")
        self.refused(SCRIPT.replace("IDC_EDIT,60,20", "IDC_EDIT,60 / 0,20"), "division by zero")
        self.refused(SCRIPT.replace("IDC_EDIT,60,20", "IDC_EDIT,NOT 60,20"), "NOT is only for styles")
        self.refused(SCRIPT.replace("IDC_EDIT,60,20", "70000,60,20"), "outside -1..65535")
        self.refused(SCRIPT.replace('"Rysuj",IDOK', '"Ryś",IDOK').replace("#pragma code_page(65001)\n", ""),
                     "Test.rc:13: text outside ASCII needs #pragma code_page(65001)")
        twice = SCRIPT.replace("IDI_P8A                 ICON", "IDD_ISLANDS DIALOG 0,0,1,1 BEGIN END\nIDI_P8A ICON")
        self.refused(twice, "dialog 8048 is given twice (first at Test.rc:8)")
        self.refused(SCRIPT[:SCRIPT.index("END\n\nIDI_P8A")] + "#endif\n", "ends where END was expected")


class Images(Script):
    def test_bitmaps_and_icons_are_embedded_whole(self):
        images = self.compiled(SCRIPT).images
        self.assertEqual(images[("bitmap", 8088)].data, bitmap_bytes())
        self.assertEqual(images[("icon", 8049)].data, icon_bytes())

    def test_files_are_looked_for_beside_the_script_then_in_the_include_folders(self):
        os.remove(os.path.join(self.dir.name, "res", "sketch.bmp"))
        self.refused(SCRIPT, 'Test.rc:27: BITMAP IDB_SKETCH: no file "res\\sketch.bmp"')
        with tempfile.TemporaryDirectory() as other:
            os.makedirs(os.path.join(other, "res"))
            with open(os.path.join(other, "res", "sketch.bmp"), "wb") as f:
                f.write(bitmap_bytes(8, 8))
            resources = self.compiled(SCRIPT, [other])
            self.assertEqual(resources.images[("bitmap", 8088)].data, bitmap_bytes(8, 8))
            self.assertIn(os.path.join(other, "res", "sketch.bmp"), resources.files)

    def test_image_mistakes_are_named_with_their_line(self):
        self.write_bytes("res/sketch.bmp", b"GIF89a" + bytes(40))
        self.refused(SCRIPT, 'Test.rc:27: "res\\sketch.bmp" is not a .bmp file')
        self.write_bytes("res/sketch.bmp", bitmap_bytes())
        self.write_bytes("res/P8A.ico", bitmap_bytes())
        self.refused(SCRIPT, "Test.rc:26: \"res\\P8A.ico\" is not an .ico file")
        self.write_bytes("res/P8A.ico", icon_bytes())
        self.refused(SCRIPT.replace('"res\\\\sketch.bmp"', 'res.bmp'), "takes a quoted file name")
        self.refused(SCRIPT.replace("IDB_SKETCH              BITMAP", "IDB_NOWHERE BITMAP"), "must be a number")
        twice = SCRIPT.replace("IDI_P8A                 ICON", 'IDB_SKETCH BITMAP "res\\\\sketch.bmp"\nIDI_P8A ICON')
        self.refused(twice, "bitmap 8088 is given twice")


class Output(Script):
    def test_generated_source_escapes_every_byte_it_must(self):
        resources = rc.Resources()
        resources.strings = {8002: ('a"b\\c\nż??=', ""), 8001: ("x", "")}
        source = rc.generate(resources, "T.rc")
        self.assertIn('const char kString8001[] = "x";', source)
        self.assertIn('"a\\"b\\\\c\\n\\305\\274\\077\\077="', source)
        self.assertLess(source.index("{8001, kString8001}"), source.index("{8002, kString8002}"), "sorted by id")
        self.assertTrue(all(ord(ch) < 128 for ch in source))
        self.assertIn("nullptr, 0, kStringResources, 2, nullptr, 0", source)

    def test_generated_source_holds_dialogs_and_images_in_id_order(self):
        source = rc.generate(self.compiled(SCRIPT), "Test.rc")
        self.assertIn('{8082, "IDC_PICTURE", "Static", "#8088", 0x5000010Eu, 150, 110, 100, 60}', source)
        self.assertIn('{8048, "Wyspy END BEGIN", 439, 248, kDialog8048Controls, 10, 0x80C800C0u, "MS Shell Dlg", 8}',
                      source)
        self.assertIn("{8088, ZcUiImageKind::kBitmap, kBitmap8088, 78}", source)
        self.assertIn("{8049, ZcUiImageKind::kIcon, kIcon8049, 86}", source)
        self.assertIn("const unsigned char kBitmap8088[79] =", source, "room for the literal's closing null")
        self.assertTrue(all(ord(ch) < 128 for ch in source))

    def test_command_line_writes_output_and_depfile_only_when_changed_and_fails_cleanly(self):
        script = self.write("Test.rc", SCRIPT)
        out = os.path.join(self.dir.name, "gen", "Resources.cpp")
        dep = os.path.join(self.dir.name, "Resources.d")
        run = subprocess.run([sys.executable, TOOL, script, out, "--depfile", dep], capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(out, encoding="utf-8") as f:
            text = f.read()
        self.assertIn("TarvoStringTable()", text)
        self.assertIn("TarvoResources()", text)
        with open(dep, encoding="utf-8") as f:
            depends = f.read()
        for name in ("resource.h", "P8A.ico", "sketch.bmp"):
            self.assertIn(name, depends)
        os.utime(out, (1, 1))
        run = subprocess.run([sys.executable, TOOL, script, out, "--depfile", dep], capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(os.stat(out).st_mtime, 1, "an unchanged output is not written again")
        bad = self.write("Bad.rc", SCRIPT.replace("8003 ", "IDS_FIRST "))
        run = subprocess.run([sys.executable, TOOL, bad, out], capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertIn("rc_compile: Bad.rc:", run.stderr)
        run = subprocess.run([sys.executable, TOOL, script], capture_output=True, text=True)
        self.assertEqual(run.returncode, 2, "wrong usage")


if __name__ == "__main__":
    unittest.main()
