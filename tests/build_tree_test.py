"""How a build tree treats its tests: configured without GoogleTest it says
how to do without them, and switched off it lists none, not the programs an
earlier build left behind."""

import os
import subprocess
import tempfile
import unittest

SOURCE = os.environ["SOURCE_DIR"]


def configure(tree, *options):
    return subprocess.run(["cmake", "-S", SOURCE, "-B", tree, *options], capture_output=True,
                          text=True, timeout=120)


def listed_tests(tree):
    out = subprocess.run(["ctest", "-N"], cwd=tree, capture_output=True, text=True,
                         check=True, timeout=60).stdout
    return int(out.split("Total Tests:")[1])


class BuildTree(unittest.TestCase):
    def test_without_googletest_the_message_names_the_way_out(self):
        with tempfile.TemporaryDirectory() as tree:
            result = configure(tree, "-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON")
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("GoogleTest", result.stderr)
            self.assertIn("-DBUILD_TESTING=OFF", result.stderr)

    def test_switching_the_tests_off_leaves_none_listed(self):
        with tempfile.TemporaryDirectory() as tree:
            self.assertEqual(configure(tree, "-DBUILD_TESTING=ON").returncode, 0)
            self.assertGreater(listed_tests(tree), 0)
            self.assertEqual(configure(tree, "-DBUILD_TESTING=OFF").returncode, 0)
            self.assertEqual(listed_tests(tree), 0)


if __name__ == "__main__":
    unittest.main()
