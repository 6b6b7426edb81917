"""Installs the build into a scratch prefix and checks what a desktop user
gets: the program, a valid desktop entry and its icon."""

import os
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

BUILD = os.environ["BUILD_DIR"]


class Install(unittest.TestCase):
    def test_program_desktop_entry_and_icon(self):
        with tempfile.TemporaryDirectory() as prefix:
            subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True,
                           capture_output=True, timeout=60)
            program = os.path.join(prefix, "bin", "world")
            self.assertTrue(os.access(program, os.X_OK))

            entry = os.path.join(prefix, "share", "applications", "world.desktop")
            check = subprocess.run(["desktop-file-validate", entry], capture_output=True,
                                   text=True, timeout=60)
            self.assertEqual((check.returncode, check.stdout, check.stderr), (0, "", ""))
            with open(entry) as f:
                keys = dict(line.strip().split("=", 1) for line in f if "=" in line)
            self.assertEqual(keys["Exec"], "world")
            self.assertEqual(keys["Icon"], "world")
            self.assertEqual(keys["Terminal"], "true")
            self.assertEqual(keys["StartupWMClass"], "World")

            icon = os.path.join(prefix, "share", "icons", "hicolor", "scalable", "apps",
                                "world.svg")
            self.assertTrue(ElementTree.parse(icon).getroot().tag.endswith("svg"))


if __name__ == "__main__":
    unittest.main()
