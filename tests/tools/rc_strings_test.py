"""Tests of tools/rc_strings.py: what it takes from a resource script and what it refuses.

Usage: python3 rc_strings_test.py   (run by ctest)
"""

import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
TOOL = os.path.join(HERE, "..", "..", "tools", "rc_strings.py")
loader_spec = importlib.util.spec_from_file_location("rc_strings", TOOL)
rc_strings = importlib.util.module_from_spec(loader_spec)
loader_spec.loader.exec_module(rc_strings)

HEADER = """\
//{{NO_DEPENDENCIES}}
#define IDD_ISLANDS                     8048
#define IDI_P8A                         8049
#define IDB_SKETCH                      8088
#define IDS_FIRST                       8001
#define IDS_QUOTE                       8002
#define IDC_EDIT                        8052
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
CAPTION "Wyspy END BEGIN"
FONT 8, "MS Shell Dlg", 400, 0, 0x1
BEGIN
    DEFPUSHBUTTON   "Rysuj",IDOK,7,227,50,14
    ICON            IDI_P8A,IDC_STATIC,7,7,20,20
    EDITTEXT        IDC_EDIT,60,20,40,14,ES_AUTOHSCROLL
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


class RcStrings(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.write("resource.h", HEADER)

    def write(self, name, text):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def strings(self, script):
        return rc_strings.read_strings(self.write("Test.rc", script))[0]

    def refused(self, script, fragment):
        with self.assertRaises(rc_strings.RcError) as caught:
            self.strings(script)
        self.assertIn(fragment, str(caught.exception))

    def test_strings_are_read_past_dialogs_icons_bitmaps_and_designer_blocks(self):
        self.assertEqual(self.strings(SCRIPT), {
            8001: "\nWskaż punkt",
            8002: 'Znak "E-4" \\ koniec\t!',
            8003: "Liczbą",
        })

    def test_conditions_pick_one_branch_and_escapes_give_code_points(self):
        inactive = SCRIPT.replace("#if !defined(AFX_RESOURCE_DLL)", "#if defined(AFX_RESOURCE_DLL) && !defined(X)")
        self.assertEqual(self.strings(inactive), {})
        script = ('#include "resource.h"\n#pragma code_page(65001)\n'
                  "#if 0\nSTRINGTABLE BEGIN 1 \"a\" END\n"
                  "#elif IDS_FIRST == 8001\nSTRINGTABLE BEGIN 2 \"\\x0141\\101\\r\" END\n"
                  "#else\nSTRINGTABLE BEGIN 3 \"c\" END\n#endif\n")
        self.assertEqual(self.strings(script), {2: "ŁA\r"})

    def test_mistakes_are_named_with_their_line(self):
        self.refused(SCRIPT.replace("65001", "1250"), "code page 1250")
        self.refused(SCRIPT.replace("#pragma code_page(65001)\n", ""), "code_page(65001)")
        self.refused(SCRIPT.replace("8003 ", "IDS_FIRST "), "given twice")
        self.refused(SCRIPT.replace("8003 ", "IDS_NOWHERE "), "IDS_NOWHERE is not defined")
        self.refused(SCRIPT.replace('"Liczbą"', '"Liczbą'), "Test.rc:35: a string is not closed")
        self.refused(SCRIPT.replace('""E-4""', '\\"E-4\\"'), "Test.rc:34:")
        self.refused(SCRIPT.replace('\\\\ koniec', '\\q koniec'), "unknown escape \\q")
        self.refused(SCRIPT.replace("    8003", "    70000"), "outside 0..65535")
        self.refused(SCRIPT.replace("#endif\n\n1 TEXTINCLUDE", "\n1 TEXTINCLUDE"), "#if without #endif")
        self.refused(SCRIPT.replace('#include "resource.h"', '#include "missing.h"'), "no such file")
        self.refused(SCRIPT[:SCRIPT.index("    8003")] + "#endif\n", "ends where END was expected")

    def test_generated_source_escapes_every_byte_it_must(self):
        source = rc_strings.generate({8002: 'a"b\\c\nż', 8001: "x"}, "T.rc")
        self.assertIn('{8001, "x"},', source)
        self.assertIn('{8002, "a\\"b\\\\c\\n\\305\\274"},', source)
        self.assertLess(source.index("8001"), source.index("8002"), "sorted by id")
        self.assertTrue(all(ord(ch) < 128 for ch in source))

    def test_command_line_writes_output_and_depfile_and_fails_cleanly(self):
        script = self.write("Test.rc", SCRIPT)
        out = os.path.join(self.dir.name, "gen", "Strings.cpp")
        dep = os.path.join(self.dir.name, "Strings.d")
        run = subprocess.run([sys.executable, TOOL, script, out, "--depfile", dep], capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(out, encoding="utf-8") as f:
            self.assertIn("TarvoStringTable()", f.read())
        with open(dep, encoding="utf-8") as f:
            self.assertIn("resource.h", f.read())
        bad = self.write("Bad.rc", SCRIPT.replace("8003 ", "IDS_FIRST "))
        run = subprocess.run([sys.executable, TOOL, bad, out], capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertIn("Bad.rc:", run.stderr)


if __name__ == "__main__":
    unittest.main()
