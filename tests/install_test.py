"""Installs the build into a scratch prefix and checks what a desktop user
gets: the program, its manual page, a valid desktop entry and its icon."""

import os
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

BUILD = os.environ["BUILD_DIR"]


def project_version():
    with open(os.path.join(BUILD, "CMakeCache.txt")) as f:
        for line in f:
            if line.startswith("CMAKE_PROJECT_VERSION:"):
                return line.strip().split("=", 1)[1]
    raise AssertionError("no project version in the CMake cache")


class Install(unittest.TestCase):
    def test_program_manual_page_desktop_entry_and_icon(self):
        with tempfile.TemporaryDirectory() as prefix:
            subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True,
                           capture_output=True, timeout=60)
            program = os.path.join(prefix, "bin", "world")
            self.assertTrue(os.access(program, os.X_OK))

            page = os.path.join(prefix, "share", "man", "man1", "world.1.gz")
            shown = subprocess.run(["man", "--warnings", "-l", page], capture_output=True,
                                   text=True, timeout=60,
                                   env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"))
            self.assertEqual((shown.returncode, shown.stderr), (0, ""))
            for section in ("SYNOPSIS", "CONTROLS", "OUTPUT", "EXIT STATUS", "ENVIRONMENT"):
                self.assertIn(f"\n{section}\n", shown.stdout)
            self.assertIn(f"World {project_version()}", shown.stdout.splitlines()[-1])

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
