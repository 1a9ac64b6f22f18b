"""The layer check on small trees of its own: it must pass a tree whose includes go down and name
each include that goes up, sideways or into no layer, and every circle of layers."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "check_layers.py")

LAYERS = """# folder  library  may use
low       low_lib    -
side      side_lib   low
high      high_lib   side
"""


class LayerCheckTest(unittest.TestCase):
    def tree(self, files, layers=LAYERS):
        root = tempfile.mkdtemp()
        files = dict(files)
        files["tools/layers.txt"] = layers
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(text)
        return root

    def run_check(self, root):
        env = dict(os.environ, STALKWAY_LAYERS_ROOT=root)
        return subprocess.run([sys.executable, CHECKER], env=env, capture_output=True, text=True)

    def test_includes_that_go_down_pass_directly_and_through_a_layer(self):
        root = self.tree({"low/a.h": "", "side/b.h": '#include "low/a.h"\n',
                          "high/c.cpp": '#include "side/b.h"\n#include "low/a.h"\n#include <vector>\n'})
        result = self.run_check(root)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_an_include_upward_is_named(self):
        root = self.tree({"low/a.h": '#include "high/c.h"\n', "side/b.h": "", "high/c.h": ""})
        result = self.run_check(root)
        self.assertEqual(result.returncode, 1)
        self.assertIn("low/a.h: includes high/c.h, but low may not use high", result.stderr)

    def test_a_file_in_no_layer_is_named(self):
        root = self.tree({"low/a.h": "", "side/b.h": "", "high/c.h": "", "stray/d.cpp": ""})
        result = self.run_check(root)
        self.assertEqual(result.returncode, 1)
        self.assertIn("stray/d.cpp: in no layer", result.stderr)

    def test_a_circle_of_layers_is_refused(self):
        layers = LAYERS.replace("low       low_lib    -", "low       low_lib    high")
        root = self.tree({"low/a.h": "", "side/b.h": "", "high/c.h": ""}, layers)
        result = self.run_check(root)
        self.assertEqual(result.returncode, 1)
        self.assertIn("circle", result.stderr)

    def test_system_headers_are_for_the_platform_layer_alone(self):
        layers = LAYERS + "platform/sdl  sdl_lib  low\n"
        root = self.tree({"low/a.cpp": "#include <unistd.h>\n#include <SDL.h>\n#include <cstdio>\n",
                          "side/b.h": "", "high/c.h": "", "platform/sdl/d.cpp": "#include <SDL.h>\n"}, layers)
        result = self.run_check(root)
        self.assertEqual(result.returncode, 1)
        self.assertIn("low/a.cpp: includes <unistd.h>", result.stderr)
        self.assertIn("low/a.cpp: includes <SDL.h>", result.stderr)
        self.assertNotIn("platform/sdl", result.stderr)
        self.assertNotIn("cstdio", result.stderr)

    def test_a_private_folder_is_included_only_from_the_folders_it_names(self):
        layers = LAYERS + "private low  side\n"
        root = self.tree({"low/a.h": "", "low/b.h": '#include "low/a.h"\n', "side/b.h": '#include "low/a.h"\n',
                          "high/c.cpp": '#include "low/a.h"\n', "tests/t.cpp": '#include "low/a.h"\n'}, layers)
        result = self.run_check(root)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr.strip(), "high/c.cpp: includes low/a.h, which only side may include")

    def test_tests_may_include_anything(self):
        root = self.tree({"low/a.h": "", "side/b.h": "", "high/c.h": "", "tests/t.cpp": '#include "high/c.h"\n'})
        self.assertEqual(self.run_check(root).returncode, 0)


if __name__ == "__main__":
    unittest.main()
