#!/usr/bin/env python3
"""scripts/check-layers on small trees: includes along the layers pass, an include against
them or a cycle between folders fails with the file and line, and --graph lists the arrows."""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check-layers")


def run(tree, *arguments):
    with tempfile.TemporaryDirectory() as root:
        for path, text in tree.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(text)
        done = subprocess.run([sys.executable, SCRIPT, *arguments, root], capture_output=True, text=True)
        return done.returncode, done.stdout, done.stderr


LAYERED = {
    "base/text.h": "#pragma once\n#include <string>\n",
    "host/error.h": '#pragma once\n#include "base/text.h"\n',
    "forms/form.cpp": '#include "base/text.h"\n',
    "shell/connect.cpp": '#include "host/error.h"\n#include "forms/form.h"\n',
    "dialog/frm_main.cpp": '#include "shell/connect.h"\n',
    "tools/text/run.cpp": '#include "dialog/frm_main.h"\n#include "run.h"\n',
    "tools/text/run.h": "#pragma once\n",
    "tests/shell/connect_test.cpp": '#include "tools/text/run.h"\n#include "host/embedded/sheet.h"\n',
}


class CheckLayers(unittest.TestCase):
    def test_includes_along_the_layers_pass(self):
        status, out, err = run(LAYERED)
        self.assertEqual(status, 0, err)
        self.assertIn("all along the layers", out)

    def test_an_include_against_the_layers_names_file_and_line(self):
        tree = dict(LAYERED, **{"forms/runtime.cpp": '#include <vector>\n\n#include "host/error.h"\n'})
        status, _, err = run(tree)
        self.assertEqual(status, 1)
        self.assertIn("forms/runtime.cpp:3: forms/ may not include host/", err)

    def test_every_include_against_the_layers_is_named(self):
        tree = dict(LAYERED, **{"registry/a.cpp": '#include "host/error.h"\n',
                                "registry/b.cpp": '#include "forms/form.h"\n'})
        status, _, err = run(tree)
        self.assertEqual(status, 1)
        self.assertIn("registry/a.cpp:1:", err)
        self.assertIn("registry/b.cpp:1:", err)

    def test_a_cycle_between_add_in_folders_fails(self):
        tree = dict(LAYERED, **{"shell/set_ups.cpp": '#include "tools/text/run.h"\n'})
        status, _, err = run(tree)
        self.assertEqual(status, 1)
        self.assertIn("folders form a cycle", err)
        self.assertIn("shell -> tools/text at shell/set_ups.cpp:1", err)

    def test_the_engine_includes_the_value_headers_of_host_only(self):
        values = dict(LAYERED, **{"host/variant.h": "#pragma once\n",
                                  "engine/cell.h": '#pragma once\n#include "host/variant.h"\n#include "host/error.h"\n'})
        status, _, err = run(values)
        self.assertEqual(status, 0, err)
        interface = dict(values, **{"host/range.h": "#pragma once\n",
                                    "engine/sheet.cpp": '#include "engine/cell.h"\n#include "host/range.h"\n'})
        status, _, err = run(interface)
        self.assertEqual(status, 1)
        self.assertIn('engine/sheet.cpp:2: engine/ may include only the value headers of host/, not "host/range.h"', err)

    def test_files_may_not_include_the_embedded_host(self):
        tree = dict(LAYERED, **{"files/reader.cpp": '#include "host/embedded/sheet.h"\n'})
        status, _, err = run(tree)
        self.assertEqual(status, 1)
        self.assertIn("files/reader.cpp:1: files/ may not include host/embedded/", err)

    def test_tests_may_include_anything(self):
        status, _, err = run(dict(LAYERED, **{"tests/x_test.cpp": '#include "apps/cellwash/main.h"\n'}))
        self.assertEqual(status, 0, err)

    def test_graph_lists_each_folder_and_what_it_includes(self):
        status, out, _ = run(LAYERED, "--graph")
        self.assertEqual(status, 0)
        self.assertIn("dialog -> shell\n", out)
        self.assertIn("shell -> forms, host\n", out)
        self.assertIn("base -> (nothing)\n", out)


if __name__ == "__main__":
    unittest.main()
