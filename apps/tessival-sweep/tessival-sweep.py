#!/usr/bin/env python3
"""tessival-sweep: runs a process list over a grid of parameter values and
gathers what every run made into one table and plots.

    tessival-sweep LIST.plst --vary N:NAME=VALUES [--vary ...] -o STUDY
                   [-i START.cvx] [--netlist] [--plot MEASURE]...
                   [--local] [-j N]
                   [--slurm [--partition P] [--time T] [--mem M]
                            [--cpus-per-task C] [--sbatch-option OPT]...
                            [--no-wait]]
                   [--batch PATH] [-- TESSIVAL-BATCH OPTIONS]
    tessival-sweep collect STUDY [--plot MEASURE]...

VALUES is a list, "1,2,4,8", or a range START:STOP:COUNT, "10:40:4" for
10, 20, 30 and 40. Every combination of the values is a point; each point
is one run of tessival-batch with --set for its values and --report, in its
own folder STUDY/points/K/ (its document, report and log). The reports are
gathered into STUDY/results.csv: a row per point with the varied values, the
run's exit status and the measures of its report (MATERIAL.cells,
MATERIAL.volume, MATERIAL.top_lowest, ..., beamK.resonance_hz with
--netlist). --plot MEASURE draws that measure over each varied parameter
into STUDY/plot-MEASURE-PARAMETER.png.

Points run here, N at a time (--local, the default), or as one Slurm array
job (--slurm), which the command waits for unless --no-wait is given;
"tessival-sweep collect STUDY" gathers the results later. A point that fails
keeps its row with its exit status; the other points go on. Running the
command again skips the points that have their report.

Exit status: 0 every point ran as asked, 1 some points failed (each is
named with its log), 2 the command line or the study folder is not usable.
"""

import argparse
import csv
import itertools
import json
import os
import shlex
import shutil
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

PROGRAM = "tessival-sweep"
PLAN_FILE = "study.json"
RESULTS_FILE = "results.csv"
REPORT_FILE = "report.json"
STATUS_FILE = "status"
LOG_FILE = "log.txt"
DOCUMENT_FILE = "document.cvx"
NETLIST_FILE = "netlist.cir"
JOB_SCRIPT = "sweep.sbatch"


class UsageError(Exception):
    """A command line or study folder the sweep cannot work with (exit 2)."""


def fail(message, status=2):
    print(f"{PROGRAM}: {message}", file=sys.stderr)
    sys.exit(status)


# ---------------------------------------------------------------- the grid

def number_text(value):
    """A value as --set reads it: whole numbers without a point."""
    if float(value).is_integer():
        return str(int(value))
    return repr(float(value))


def expand_values(text):
    """"1,2,4" is a list; "START:STOP:COUNT" COUNT values from START to STOP."""
    parts = text.split(":")
    if len(parts) == 3:
        try:
            start, stop, count = float(parts[0]), float(parts[1]), int(parts[2])
        except ValueError:
            raise UsageError(f'"{text}" is neither a list a,b,c nor a range START:STOP:COUNT')
        if count < 1:
            raise UsageError(f'"{text}": a range needs a COUNT of 1 or more')
        if count == 1:
            return [number_text(start)]
        step = (stop - start) / (count - 1)
        return [number_text(start + k * step) for k in range(count)]
    values = [v.strip() for v in text.split(",")]
    if any(not v for v in values):
        raise UsageError(f'"{text}" has an empty value')
    return values


def parse_vary(text):
    """'3:Thickness=1,2,4' as {entry: 3, name: "Thickness", values: [...]}."""
    head, sep, values = text.partition("=")
    entry, colon, name = head.partition(":")
    if not sep or not colon or not name.strip() or not entry.strip().isdigit() or int(entry) < 1:
        raise UsageError(f'--vary "{text}": write it as N:NAME=VALUES, N the entry\'s number from 1')
    return {"entry": int(entry), "name": name.strip(), "values": expand_values(values)}


def parameter_label(vary):
    return f'{vary["entry"]}:{vary["name"]}'


def grid(varies):
    return [list(point) for point in itertools.product(*(v["values"] for v in varies))]


# --------------------------------------------------------------- the study

class Study:
    """A study folder: its plan, and a folder per point."""

    def __init__(self, folder):
        self.folder = os.path.abspath(folder)

    @property
    def plan_path(self):
        return os.path.join(self.folder, PLAN_FILE)

    def point_folder(self, index):
        return os.path.join(self.folder, "points", str(index))

    def point_file(self, index, name):
        return os.path.join(self.point_folder(index), name)

    def load(self):
        try:
            with open(self.plan_path, encoding="utf-8") as f:
                self.plan = json.load(f)
        except FileNotFoundError:
            raise UsageError(f"{self.folder}: holds no study (no {PLAN_FILE})")
        except (OSError, ValueError) as e:
            raise UsageError(f"{self.plan_path}: cannot be read: {e}")
        return self

    def create(self, plan):
        """Writes the plan, or checks that the folder holds this very one."""
        if os.path.exists(self.plan_path):
            existing = Study(self.folder).load().plan
            if existing != plan:
                raise UsageError(f"{self.folder}: holds another study (other list, values or options); "
                                 "give another folder")
        else:
            try:
                os.makedirs(self.folder, exist_ok=True)
                write_atomically(self.plan_path, json.dumps(plan, indent=2) + "\n")
            except OSError as e:
                raise UsageError(f"{self.folder}: cannot be written to: {e.strerror or e}")
        self.plan = plan
        for index in range(len(plan["points"])):
            os.makedirs(self.point_folder(index), exist_ok=True)
        return self

    def points(self):
        return range(len(self.plan["points"]))

    def has_report(self, index):
        return os.path.isfile(self.point_file(index, REPORT_FILE))

    def status(self, index):
        """The exit status of a point's run; None when it did not finish."""
        try:
            with open(self.point_file(index, STATUS_FILE), encoding="utf-8") as f:
                return int(f.read().strip())
        except (OSError, ValueError):
            return None

    def describe(self, index):
        values = self.plan["points"][index]
        return ", ".join(f"{parameter_label(v)}={value}" for v, value in zip(self.plan["vary"], values))

    def batch_arguments(self, index, threads):
        plan = self.plan
        arguments = [plan["batch"], plan["list"], "-o", self.point_file(index, DOCUMENT_FILE),
                     "--report", self.point_file(index, REPORT_FILE)]
        if plan["start"]:
            arguments += ["-i", plan["start"]]
        if plan["netlist"]:
            arguments += ["--netlist", self.point_file(index, NETLIST_FILE)]
        for vary, value in zip(plan["vary"], plan["points"][index]):
            arguments += ["--set", f"{parameter_label(vary)}={value}"]
        if threads:
            arguments += ["--threads", str(threads)]
        return arguments + plan["extra"]


def write_atomically(path, text):
    temporary = path + ".part"
    with open(temporary, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    os.replace(temporary, path)


def run_point(study, index, threads, output=None):
    """Runs one point's tessival-batch in its folder (where "Save Image"
    entries put their pictures) and records its exit status."""
    folder = study.point_folder(index)
    arguments = study.batch_arguments(index, threads)
    if output is None:
        with open(os.path.join(folder, LOG_FILE), "w", encoding="utf-8") as log:
            log.write("$ " + " ".join(shlex.quote(a) for a in arguments) + "\n")
            log.flush()
            status = subprocess.run(arguments, cwd=folder, stdout=log, stderr=subprocess.STDOUT).returncode
    else:
        print("$ " + " ".join(shlex.quote(a) for a in arguments), flush=True)
        status = subprocess.run(arguments, cwd=folder).returncode
    if status < 0:  # killed by a signal: the shell's way of saying so
        status = 128 - status
    write_atomically(os.path.join(folder, STATUS_FILE), f"{status}\n")
    return status


# ------------------------------------------------------------- the results

def measures(report):
    """The comparable numbers of a report, by name. Durations are left out:
    they tell about the machine, not about the result."""
    result = {}
    volume = report.get("volume") or {}
    for material, values in sorted((volume.get("materials") or {}).items()):
        for key, value in values.items():
            if key != "id":
                result[f"{material}.{key}"] = value
    for beam in report.get("cantilevers") or []:
        for key, value in beam.items():
            if key not in ("number", "material"):
                result[f'beam{beam["number"]}.{key}'] = value
    return result


def cell_text(value):
    if isinstance(value, float):
        return repr(value) if not value.is_integer() else str(int(value))
    return str(value)


def collect(study, plots):
    """Writes results.csv and the plots; names the points that failed.
    Returns the number of failed points."""
    rows, names, failed = [], set(), 0
    for index in study.points():
        row = {"point": index, "status": study.status(index), "measures": {}}
        if study.has_report(index):
            try:
                with open(study.point_file(index, REPORT_FILE), encoding="utf-8") as f:
                    row["measures"] = measures(json.load(f))
            except (OSError, ValueError) as e:
                print(f"{PROGRAM}: point {index}: its report cannot be read: {e}", file=sys.stderr)
        names.update(row["measures"])
        rows.append(row)
        log = study.point_file(index, LOG_FILE)
        if row["status"] is None:
            failed += 1
            print(f"{PROGRAM}: point {index} ({study.describe(index)}) did not finish; see {log}", file=sys.stderr)
        elif row["status"] != 0:
            failed += 1
            print(f"{PROGRAM}: point {index} ({study.describe(index)}) ended with exit status {row['status']}; "
                  f"see {log}", file=sys.stderr)
    names = sorted(names)
    varies = study.plan["vary"]
    lines = [["point"] + [parameter_label(v) for v in varies] + ["status"] + names]
    for row in rows:
        status = "" if row["status"] is None else str(row["status"])
        lines.append([str(row["point"])] + study.plan["points"][row["point"]] + [status]
                     + [cell_text(row["measures"][n]) if n in row["measures"] else "" for n in names])
    write_csv(os.path.join(study.folder, RESULTS_FILE), lines)
    print(f"{PROGRAM}: {len(rows) - failed} of {len(rows)} points ran; wrote "
          f"{os.path.join(study.folder, RESULTS_FILE)}", file=sys.stderr)
    for measure in plots:
        if measure not in names:
            print(f"{PROGRAM}: --plot {measure}: no report has it; the measures are: {', '.join(names)}",
                  file=sys.stderr)
            failed += 1
            continue
        for written in plot(study, rows, measure):
            print(f"{PROGRAM}: wrote {written}", file=sys.stderr)
    return failed


def write_csv(path, lines):
    temporary = path + ".part"
    with open(temporary, "w", encoding="utf-8", newline="") as f:
        csv.writer(f, lineterminator="\n").writerows(lines)
    os.replace(temporary, path)


def safe_name(text):
    return "".join(c if c.isalnum() or c in "-_." else "_" for c in text)


def as_number(text):
    try:
        return float(text)
    except ValueError:
        return None


def plot(study, rows, measure):
    """One picture per varied parameter: the measure over its values, a line
    for each combination of the other parameters."""
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as pyplot
    except ImportError:
        raise UsageError(f"--plot needs matplotlib for {sys.executable} (Debian: python3-matplotlib); "
                         f"the table {os.path.join(study.folder, RESULTS_FILE)} is written")

    varies = study.plan["vary"]
    written = []
    for k, vary in enumerate(varies):
        lines = {}
        for row in rows:
            if measure not in row["measures"]:
                continue
            values = study.plan["points"][row["point"]]
            others = tuple((parameter_label(v), values[j]) for j, v in enumerate(varies) if j != k)
            lines.setdefault(others, []).append((values[k], row["measures"][measure]))
        numeric = all(as_number(v) is not None for v in vary["values"])
        figure, axes = pyplot.subplots(figsize=(6.4, 4.2))
        for others, points in sorted(lines.items()):
            if numeric:
                points.sort(key=lambda p: as_number(p[0]))
                xs = [as_number(p[0]) for p in points]
            else:
                xs = [vary["values"].index(p[0]) for p in points]
            label = ", ".join(f"{name}={value}" for name, value in others) or None
            axes.plot(xs, [p[1] for p in points], marker="o", label=label)
        if not numeric:
            axes.set_xticks(range(len(vary["values"])))
            axes.set_xticklabels(vary["values"])
        axes.set_xlabel(parameter_label(vary))
        axes.set_ylabel(measure)
        axes.set_title(f"{measure} over {parameter_label(vary)}")
        axes.grid(True, alpha=0.3)
        if len(lines) > 1:
            axes.legend(fontsize="small")
        figure.tight_layout()
        path = os.path.join(study.folder, f"plot-{safe_name(measure)}-{safe_name(parameter_label(vary))}.png")
        figure.savefig(path, dpi=100)
        pyplot.close(figure)
        written.append(path)
    return written


# ---------------------------------------------------------------- running

def run_locally(study, pending, jobs, threads):
    def one(index):
        status = run_point(study, index, threads)
        print(f"{PROGRAM}: point {index} ({study.describe(index)}): exit status {status}", file=sys.stderr)

    with ThreadPoolExecutor(max_workers=jobs) as pool:
        list(pool.map(one, pending))


def job_script(study, pending, options):
    lines = ["#!/bin/sh",
             "#SBATCH --job-name=tessival-sweep",
             f"#SBATCH --array={','.join(str(i) for i in pending)}",
             f"#SBATCH --output={os.path.join(study.folder, 'points', '%a', LOG_FILE)}",
             f"#SBATCH --cpus-per-task={options.cpus_per_task}"]
    for name in ("partition", "time", "mem"):
        value = getattr(options, name)
        if value:
            lines.append(f"#SBATCH --{name}={value}")
    lines.append("# Each task runs one point of the study; the sweep writes its exit status.")
    lines.append(" ".join(shlex.quote(a) for a in
                          [sys.executable, os.path.abspath(__file__), "run-point", study.folder]) +
                 ' "$SLURM_ARRAY_TASK_ID" "${SLURM_CPUS_PER_TASK:-1}"')
    return "\n".join(lines) + "\n"


def submit(study, pending, options):
    """Submits the pending points as one array job; with waiting, returns once
    every task has ended."""
    sbatch = shutil.which("sbatch")
    if not sbatch:
        raise UsageError("--slurm: sbatch is not on the PATH (is this a Slurm login node?)")
    script = os.path.join(study.folder, JOB_SCRIPT)
    write_atomically(script, job_script(study, pending, options))
    for index in pending:  # a resubmitted point must not look finished
        try:
            os.remove(study.point_file(index, STATUS_FILE))
        except FileNotFoundError:
            pass
    command = [sbatch, "--parsable"] + ([] if options.no_wait else ["--wait"]) + options.sbatch_option + [script]
    submitted = subprocess.run(command, cwd=study.folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    job = submitted.stdout.strip().split(";")[0]
    if not job:
        fail(f"sbatch refused the job: {submitted.stderr.strip() or 'exit status %d' % submitted.returncode}", 1)
    print(f"{PROGRAM}: submitted job {job}, {len(pending)} tasks ({script})", file=sys.stderr)
    return job


# ------------------------------------------------------------ the commands

def find_batch(given):
    candidates = [given] if given else [os.environ.get("TESSIVAL_BATCH"),
                                        os.path.join(os.path.dirname(os.path.abspath(__file__)), "tessival-batch"),
                                        shutil.which("tessival-batch")]
    for candidate in candidates:
        if candidate and os.path.isfile(candidate) and os.access(candidate, os.X_OK):
            return os.path.abspath(candidate)
    raise UsageError("tessival-batch was not found: give --batch PATH or set TESSIVAL_BATCH"
                     if not given else f"--batch {given}: is not a program")


def sweep_command(arguments):
    parser = argparse.ArgumentParser(prog=PROGRAM, description="Runs a process list over a grid of parameter values.")
    parser.add_argument("list", help="the process list (*.plst)")
    parser.add_argument("--vary", action="append", required=True, metavar="N:NAME=VALUES",
                        help='entry N\'s parameter NAME over VALUES: "1,2,4" or START:STOP:COUNT; may be repeated')
    parser.add_argument("-o", "--output", required=True, metavar="STUDY", help="the study folder (made if missing)")
    parser.add_argument("-i", "--input", metavar="START.cvx", help="the document every run starts from")
    parser.add_argument("--netlist", action="store_true", help="extract the cantilevers of every run (beamK.* measures)")
    parser.add_argument("--plot", action="append", default=[], metavar="MEASURE", help="plot MEASURE, e.g. Si.volume")
    parser.add_argument("--batch", metavar="PATH", help="the tessival-batch program to run")
    where = parser.add_mutually_exclusive_group()
    where.add_argument("--local", action="store_true", help="run the points on this machine (the default)")
    where.add_argument("--slurm", action="store_true", help="run the points as one Slurm array job")
    parser.add_argument("-j", "--jobs", type=int, default=1, metavar="N", help="points run at once with --local")
    parser.add_argument("--partition")
    parser.add_argument("--time")
    parser.add_argument("--mem")
    parser.add_argument("--cpus-per-task", type=int, default=1, metavar="C",
                        help="cores of each Slurm task, given to tessival-batch as --threads")
    parser.add_argument("--sbatch-option", action="append", default=[], metavar="OPT",
                        help="an extra option for sbatch, e.g. --sbatch-option=--account=mems; may be repeated")
    parser.add_argument("--no-wait", action="store_true", help="with --slurm: submit and return")
    parser.add_argument("extra", nargs="*", metavar="-- TESSIVAL-BATCH OPTIONS",
                        help="more options for every run, after --")
    options = parser.parse_args(arguments)

    if options.jobs < 1 or options.cpus_per_task < 1:
        raise UsageError("-j and --cpus-per-task take a number of 1 or more")
    if not options.slurm and (options.no_wait or options.partition or options.time or options.mem
                              or options.sbatch_option):
        raise UsageError("--partition, --time, --mem, --sbatch-option and --no-wait go with --slurm")
    if not os.path.isfile(options.list):
        raise UsageError(f"{options.list}: no such list")
    if options.input and not os.path.isfile(options.input):
        raise UsageError(f"{options.input}: no such document")
    varies = [parse_vary(v) for v in options.vary]
    labels = [parameter_label(v) for v in varies]
    if len(set(labels)) != len(labels):
        raise UsageError("a parameter is varied twice")
    plan = {
        "list": os.path.abspath(options.list),
        "start": os.path.abspath(options.input) if options.input else None,
        "batch": find_batch(options.batch),
        "netlist": options.netlist,
        "extra": options.extra,
        "vary": varies,
        "points": grid(varies),
    }
    study = Study(options.output).create(plan)
    pending = [i for i in study.points() if not study.has_report(i)]
    skipped = len(plan["points"]) - len(pending)
    if skipped:
        print(f"{PROGRAM}: {skipped} of {len(plan['points'])} points have their report already; skipped",
              file=sys.stderr)
    if pending and options.slurm:
        submit(study, pending, options)
        if options.no_wait:
            print(f"{PROGRAM}: gather the results with: {PROGRAM} collect {shlex.quote(study.folder)}",
                  file=sys.stderr)
            return 0
    elif pending:
        threads = max(1, (os.cpu_count() or 1) // options.jobs)
        run_locally(study, pending, options.jobs, threads)
    return 1 if collect(study, options.plot) else 0


def collect_command(arguments):
    parser = argparse.ArgumentParser(prog=f"{PROGRAM} collect", description="Gathers a study's reports.")
    parser.add_argument("study")
    parser.add_argument("--plot", action="append", default=[], metavar="MEASURE")
    options = parser.parse_args(arguments)
    return 1 if collect(Study(options.study).load(), options.plot) else 0


def run_point_command(arguments):
    """What each task of the Slurm array runs: one point, its log on stdout."""
    if len(arguments) != 3:
        raise UsageError("run-point STUDY INDEX THREADS")
    study = Study(arguments[0]).load()
    index, threads = int(arguments[1]), int(arguments[2])
    if index not in study.points():
        raise UsageError(f"run-point: the study has no point {index}")
    return run_point(study, index, threads, output=sys.stdout)


def main(arguments):
    try:
        if arguments[:1] == ["collect"]:
            return collect_command(arguments[1:])
        if arguments[:1] == ["run-point"]:
            return run_point_command(arguments[1:])
        return sweep_command(arguments)
    except UsageError as e:
        fail(str(e))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
