"""Builds the program alone in a new tree, as the README's routes do, installs
it into a scratch prefix and checks what a desktop user gets: the program,
its manual page, a valid desktop entry and its icon."""

import os
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

SOURCE = os.environ["SOURCE_DIR"]


def run(*command):
    done = subprocess.run(command, capture_output=True, text=True, timeout=300)
    if done.returncode:
        raise AssertionError(f"{' '.join(command)} failed:\n{done.stdout}{done.stderr}")


def project_version(build):
    with open(os.path.join(build, "CMakeCache.txt")) as f:
        for line in f:
            if line.startswith("CMAKE_PROJECT_VERSION:"):
                return line.strip().split("=", 1)[1]
    raise AssertionError("no project version in the CMake cache")


class Install(unittest.TestCase):
    def test_program_manual_page_desktop_entry_and_icon(self):
        with tempfile.TemporaryDirectory() as build, tempfile.TemporaryDirectory() as prefix:
            # Only the program is built, as run.sh and "Other systems" build it.
            run("cmake", "-S", SOURCE, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                "-DBUILD_TESTING=OFF")
            run("cmake", "--build", build, "--target", "world", "-j", str(os.cpu_count() or 1))
            run("cmake", "--install", build, "--prefix", prefix)
            program = os.path.join(prefix, "bin", "world")
            self.assertTrue(os.access(program, os.X_OK))

            # As a user finds it, by name in the prefix's manual folder.
            shown = subprocess.run(["man", "--warnings", "-M", os.path.join(prefix, "share", "man"),
                                    "world"], capture_output=True,
                                   text=True, timeout=60,
                                   env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"))
            self.assertEqual((shown.returncode, shown.stderr), (0, ""))
            for section in ("SYNOPSIS", "CONTROLS", "OUTPUT", "EXIT STATUS", "ENVIRONMENT"):
                self.assertIn(f"\n{section}\n", shown.stdout)
            self.assertIn(f"World {project_version(build)}", shown.stdout.splitlines()[-1])

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
