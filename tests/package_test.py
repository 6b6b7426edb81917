"""Builds the Debian package from the build tree and checks it as Debian
would: lintian finds nothing above info, it holds what a user needs, and apt
can resolve its dependencies. Nothing is installed."""

import glob
import os
import subprocess
import tempfile
import unittest

BUILD = os.environ["BUILD_DIR"]

EXPECTED_FILES = (
    "./usr/bin/world",
    "./usr/share/man/man1/world.1.gz",
    "./usr/share/applications/world.desktop",
    "./usr/share/icons/hicolor/scalable/apps/world.svg",
    "./usr/share/doc/world/copyright",
    "./usr/share/doc/world/changelog.gz",
)


def run(*args, **kwargs):
    return subprocess.run(list(args), capture_output=True, text=True, timeout=300, **kwargs)


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        made = run("cpack", "-G", "DEB", "-B", cls.folder.name, cwd=BUILD)
        if made.returncode != 0:
            raise AssertionError(made.stdout + made.stderr)
        architecture = run("dpkg", "--print-architecture").stdout.strip()
        cls.packages = glob.glob(os.path.join(cls.folder.name, f"world_*_{architecture}.deb"))

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def package(self):
        self.assertEqual(len(self.packages), 1, self.packages)
        return self.packages[0]

    def test_lintian_finds_no_error_or_warning(self):
        checked = run("lintian", "--fail-on", "error,warning", self.package())
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        self.assertNotRegex(checked.stdout, r"(?m)^[EW]: ")

    def test_files_owners_and_permissions(self):
        listing = run("dpkg-deb", "-c", self.package(), check=True).stdout.splitlines()
        entries = {line.split()[-1]: line.split()[:2] for line in listing}
        for path in EXPECTED_FILES:
            self.assertIn(path, entries)
        for path, (mode, owner) in entries.items():
            self.assertEqual(owner, "root/root", path)
            expected = "-rwxr-xr-x" if path == "./usr/bin/world" else "-rw-r--r--"
            self.assertEqual(mode, "drwxr-xr-x" if path.endswith("/") else expected, path)

    def test_apt_resolves_the_dependencies(self):
        fields = run("dpkg-deb", "-f", self.package(), "Package", "Version", "Depends",
                     check=True).stdout
        self.assertIn("libfltk1.3", fields)
        version = fields.split("Version: ")[1].split()[0]
        resolved = run("apt-get", "install", "--simulate", "-q",
                       os.path.abspath(self.package()))
        self.assertEqual(resolved.returncode, 0, resolved.stdout + resolved.stderr)
        self.assertIn(f"Inst world ({version}", resolved.stdout)


if __name__ == "__main__":
    unittest.main()
