"""The sweep run here: its table against single runs of the batch program,
failing points, reruns, plots, and the reports against their schema.

Environment: TESSIVAL_SWEEP and TESSIVAL_BATCH (the programs),
TESSIVAL_TEST_DATA (tests/data), TESSIVAL_EXAMPLES (examples) and
TESSIVAL_REPORT_SCHEMA (run-report.schema.json)."""

import csv
import json
import os
import subprocess
import sys
import tempfile
import unittest

import jsonschema

SWEEP = os.environ["TESSIVAL_SWEEP"]
BATCH = os.environ["TESSIVAL_BATCH"]
DATA = os.environ["TESSIVAL_TEST_DATA"]
EXAMPLES = os.environ["TESSIVAL_EXAMPLES"]
SCHEMA = os.environ["TESSIVAL_REPORT_SCHEMA"]

# Substrate, spin coating up to a height, CVD: 12 x 10 x 8 cells.
FLOW = os.path.join(DATA, "three-steps.plst")


def without_display():
    environment = dict(os.environ)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        environment.pop(name, None)
    return environment


def sweep(*arguments, cwd=None):
    return subprocess.run([sys.executable, SWEEP, *arguments], cwd=cwd, env=without_display(),
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def batch(*arguments, cwd):
    return subprocess.run([BATCH, *arguments], cwd=cwd, env=without_display(),
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def rows(study):
    with open(os.path.join(study, "results.csv"), newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def validate(test, path):
    with open(SCHEMA, encoding="utf-8") as f:
        schema = json.load(f)
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    jsonschema.validate(report, schema)
    return report


class LocalSweep(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="tessival-sweep-")
        self.study = os.path.join(self.folder.name, "study")

    def tearDown(self):
        self.folder.cleanup()

    def test_each_row_holds_what_a_single_run_reports(self):
        done = sweep(FLOW, "--vary", "3:Thickness=1,2,4,8", "-o", self.study, "-j", "2")
        self.assertEqual(done.returncode, 0, done.stderr)
        table = rows(self.study)
        self.assertEqual([r["3:Thickness"] for r in table], ["1", "2", "4", "8"])
        for row in table:
            single = os.path.join(self.folder.name, "single-" + row["3:Thickness"])
            os.mkdir(single)
            run = batch(FLOW, "-o", "alone.cvx", "--set", "3:Thickness=" + row["3:Thickness"],
                        "--report", "alone.json", cwd=single)
            self.assertEqual(run.returncode, 0, run.stderr)
            report = validate(self, os.path.join(single, "alone.json"))
            self.assertEqual(row["status"], "0")
            materials = report["volume"]["materials"]
            for material, values in materials.items():
                for key, value in values.items():
                    if key != "id":
                        self.assertEqual(float(row[f"{material}.{key}"]), value, f"{material}.{key}")
            # No measure of a material the run did not make.
            made = {name.split(".")[0] for name in row if "." in name and row[name]}
            self.assertEqual(made, set(materials))
        # The oxide grows with the thickness; the rest stays.
        oxide = [float(r["Thermal Si02.cells"]) for r in table]
        self.assertEqual(oxide, sorted(oxide))
        self.assertEqual(len({r["Si.cells"] for r in table}), 1)

    def test_a_failing_point_is_named_and_the_others_complete_and_a_rerun_skips_them(self):
        # A thickness below 0 is refused by the batch program (exit 2).
        arguments = [FLOW, "--vary", "3:Thickness=1,-1,2", "-o", self.study]
        first = sweep(*arguments)
        self.assertEqual(first.returncode, 1)
        self.assertIn("point 1 (3:Thickness=-1) ended with exit status 2", first.stderr)
        self.assertIn(os.path.join(self.study, "points", "1", "log.txt"), first.stderr)
        table = rows(self.study)
        self.assertEqual([r["status"] for r in table], ["0", "2", "0"])
        self.assertEqual(table[1]["Si.cells"], "")
        self.assertNotEqual(table[2]["Si.cells"], "")
        with open(os.path.join(self.study, "points", "1", "log.txt"), encoding="utf-8") as f:
            self.assertIn("Thickness", f.read())

        report = os.path.join(self.study, "points", "0", "report.json")
        written = os.stat(report).st_mtime_ns
        again = sweep(*arguments)
        self.assertEqual(again.returncode, 1)
        self.assertIn("2 of 3 points have their report already; skipped", again.stderr)
        self.assertEqual(os.stat(report).st_mtime_ns, written)
        self.assertEqual(rows(self.study), table)

    def test_a_folder_with_another_study_is_refused(self):
        self.assertEqual(sweep(FLOW, "--vary", "3:Thickness=1", "-o", self.study).returncode, 0)
        other = sweep(FLOW, "--vary", "3:Thickness=2", "-o", self.study)
        self.assertEqual(other.returncode, 2)
        self.assertIn("holds another study", other.stderr)

    def test_bad_command_lines_exit_2(self):
        for vary in ("Thickness=1", "0:Thickness=1", "3:Thickness=", "3:Thickness=1:2:0", "3:Thickness=1:x:3"):
            done = sweep(FLOW, "--vary", vary, "-o", self.study)
            self.assertEqual(done.returncode, 2, vary)
            self.assertIn("tessival-sweep:", done.stderr)
        self.assertEqual(sweep(FLOW, "--vary", "3:Thickness=1", "-o", self.study, "--no-wait").returncode, 2)
        self.assertFalse(os.path.exists(self.study))

    def test_a_range_gives_evenly_spaced_values_and_plots_are_drawn(self):
        done = sweep(FLOW, "--vary", "3:Thickness=1:3:3", "--vary", "2:Maximum Height=3,4", "-o", self.study,
                     "--plot", "Thermal Si02.volume", "--plot", "Nothing.volume")
        self.assertEqual(done.returncode, 1, done.stderr)  # the unknown measure
        self.assertIn("--plot Nothing.volume: no report has it", done.stderr)
        table = rows(self.study)
        self.assertEqual([(r["3:Thickness"], r["2:Maximum Height"]) for r in table],
                         [("1", "3"), ("1", "4"), ("2", "3"), ("2", "4"), ("3", "3"), ("3", "4")])
        for parameter in ("3_Thickness", "2_Maximum_Height"):
            with open(os.path.join(self.study, f"plot-Thermal_Si02.volume-{parameter}.png"), "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_collect_gathers_a_study_again(self):
        self.assertEqual(sweep(FLOW, "--vary", "3:Thickness=1,2", "-o", self.study).returncode, 0)
        table = rows(self.study)
        os.remove(os.path.join(self.study, "results.csv"))
        self.assertEqual(sweep("collect", self.study).returncode, 0)
        self.assertEqual(rows(self.study), table)
        self.assertEqual(sweep("collect", self.folder.name).returncode, 2)


class Reports(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="tessival-report-")

    def tearDown(self):
        self.folder.cleanup()

    def test_cantilevers_entries_and_volume_follow_the_schema(self):
        run = batch(os.path.join(EXAMPLES, "cantilever", "cantilever.plst"), "-o", "c.cvx", "--netlist", "c.cir",
                    "--length-unit", "1um", "--report", "c.json", cwd=self.folder.name)
        report = validate(self, os.path.join(self.folder.name, "c.json"))
        self.assertEqual(report["exit_status"], run.returncode)
        self.assertEqual(report["length_unit"]["metres"], 1e-6)
        beam = report["cantilevers"][0]
        self.assertEqual(beam["material"], "Poly-Si")
        self.assertGreater(beam["resonance_hz"], 0)
        # Every cell the first entry made is counted, and each later change
        # is a cell one material lost and another gained.
        first = report["entries"][0]
        size = report["volume"]["size"]
        self.assertEqual(first["cells_changed"], size[0] * size[1] * size[2])
        for entry in report["entries"][1:]:
            gained = sum(m["gained"] for m in entry["materials"].values())
            lost = sum(m["lost"] for m in entry["materials"].values())
            self.assertEqual(gained, lost)
            self.assertEqual(gained, entry["cells_changed"])

    def test_a_run_from_a_document_with_an_entry_that_did_not_run(self):
        folder = self.folder.name
        self.assertEqual(batch(FLOW, "-o", "start.cvx", cwd=folder).returncode, 0)
        # The membrane's last entry draws a picture, which needs a display.
        run = batch(os.path.join(EXAMPLES, "membrane", "membrane.plst"), "-o", "m.cvx", "--report", "m.json",
                    cwd=folder)
        self.assertEqual(run.returncode, 1)
        report = validate(self, os.path.join(folder, "m.json"))
        self.assertEqual(report["entries"][-1]["result"], "not run")
        self.assertIn("display", report["entries"][-1]["problem"])
        self.assertNotIn("cantilevers", report)
        # The membrane: 30 cells of silicon, 24 lattice constants etched.
        self.assertEqual(report["volume"]["materials"]["Si"]["top_lowest"], 6)
        self.assertEqual(report["volume"]["materials"]["Si"]["top_highest"], 30)

        run = batch(FLOW, "-i", "start.cvx", "-o", "again.cvx", "--report", "again.json", cwd=folder)
        self.assertEqual(run.returncode, 0, run.stderr)
        report = validate(self, os.path.join(folder, "again.json"))
        self.assertEqual(report["start_document"], "start.cvx")

    def test_no_report_without_the_document_and_an_unwritable_one_is_said(self):
        folder = self.folder.name
        run = batch(FLOW, "-o", "x.cvx", "--report", "x.cvx", cwd=folder)
        self.assertEqual(run.returncode, 2)
        self.assertIn("--report x.cvx", run.stderr)
        run = batch(FLOW, "-o", "x.cvx", "--report", "missing/x.json", cwd=folder)
        self.assertEqual(run.returncode, 3)
        self.assertFalse(os.path.exists(os.path.join(folder, "x.cvx")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
