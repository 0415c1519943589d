"""The include checker on its fixture tree: every line marked "// crossing: <kind>" is reported
with that kind, and nothing else is."""

import os
import re
import subprocess
import sys
import tempfile
import unittest
from unittest import mock

import check_includes

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURE = os.path.join(HERE, "fixture")
MARK = re.compile(r"//\s*crossing:\s*(\w+)")
# The fixture's listed crossing of the folder order: the client's header may include the bed
# window's, and nothing else may.
FIXTURE_EXCEPTION = ("nyraclient/client/NyraClientInfo.h", "nyraclient/bedwindow/NyraControl.h")


def marked_crossings(root):
    """(path, line, kind) of every line the fixture marks as a crossing."""
    marked = set()
    for path in check_includes.source_files(root):
        with open(os.path.join(root, path), encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                match = MARK.search(line)
                if match:
                    marked.add((path, number, match.group(1)))
    return marked


class CheckIncludes(unittest.TestCase):
    def setUp(self):
        exceptions = mock.patch.object(check_includes, "INNER_EXCEPTIONS", {FIXTURE_EXCEPTION})
        exceptions.start()
        self.addCleanup(exceptions.stop)

    def test_reports_each_marked_crossing_and_nothing_else(self):
        found = {(path, line, kind) for path, line, kind, _ in check_includes.check(FIXTURE)}
        self.assertEqual(found, marked_crossings(FIXTURE))

    def test_a_listed_exception_is_what_lets_its_include_pass(self):
        with mock.patch.object(check_includes, "INNER_EXCEPTIONS", set()):
            found = {(path, kind) for path, _, kind, _ in check_includes.check(FIXTURE)}
        self.assertIn((FIXTURE_EXCEPTION[0], "order"), found)

    def test_the_fixture_holds_every_kind_of_crossing(self):
        kinds = {kind for _, _, kind in marked_crossings(FIXTURE)}
        self.assertEqual(kinds, {"layer", "foreign", "internal", "restated", "order"})

    def test_messages_name_what_was_crossed(self):
        messages = {(path, message) for path, _, _, message in check_includes.check(FIXTURE)}
        self.assertIn(("platform/host/null/NullHost.cpp",
                       'platform/host/null may not include platform/host/gtk: "platform/host/gtk/GtkHost.h"'), messages)
        self.assertIn(("ktutil/KTGF.cpp", "SQLite only in ktutilex/ado, bench: <sqlite3.h>"), messages)
        self.assertIn(("platform/sys/SingleInstance.cpp", "platform/msg/WindowInternal.h is internal to platform/msg"),
                      messages)
        # A restated string id names the owner's declaration, in the lowest module, whatever the
        # order the files are read in.
        self.assertIn(("tarlux/res/Resources.h",
                       "IDS_FHR1 = 10122 restates IDS_PARAM_FHR1 of nrdata/res/NRDataStrings.h; include that header instead"),
                      messages)
        self.assertIn(("nyraclient/trend/CTrendStore.cpp",
                       'nyraclient/trend may not include the later nyraclient/client: "nyraclient/client/NyraClientInfo.h"'),
                      messages)
        self.assertIn(("nyraclient/gadgets/Gadget.cpp", "nyraclient/gadgets is not in nyraclient's folder order"), messages)

    def test_exit_status_says_whether_the_boundaries_hold(self):
        script = os.path.join(HERE, "check_includes.py")
        crossing = subprocess.run([sys.executable, script, FIXTURE], capture_output=True, text=True)
        self.assertEqual(crossing.returncode, 1)
        self.assertIn("platform/core/Clock.h:3: layer:", crossing.stdout)
        with tempfile.TemporaryDirectory() as empty:
            os.makedirs(os.path.join(empty, "platform", "msg"))
            with open(os.path.join(empty, "platform", "msg", "Wnd.cpp"), "w") as f:
                f.write('#include "platform/core/CString.h"\n')
            clean = subprocess.run([sys.executable, script, empty], capture_output=True, text=True)
            self.assertEqual(clean.returncode, 0, clean.stdout)


if __name__ == "__main__":
    unittest.main()
