"""The sweep on a real Slurm cluster: one node, this machine, started here
from Debian's packages and stopped at the end. Its table must equal that of
the same sweep run locally.

The daemons run in a private folder with their own configuration, ports and
munge socket, so that a cluster the machine may already have is left alone.
Starting munge as its own user needs root; a machine that cannot start the
cluster skips the test (exit 77), except under CI, where it fails.

Environment as for sweep_test.py."""

import getpass
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SWEEP = os.environ["TESSIVAL_SWEEP"]
FLOW = os.path.join(os.environ["TESSIVAL_TEST_DATA"], "three-steps.plst")
SKIP = 77


class ClusterUnavailable(Exception):
    pass


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def memory_megabytes():
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("MemTotal:"):
                return int(line.split()[1]) // 1024
    return 1024


class SingleNodeCluster:
    """slurmctld, slurmd and munged on this machine, each stopped by its
    process id when the cluster ends."""

    def __init__(self, folder):
        self.folder = folder
        self.processes = []
        self.environment = dict(os.environ)

    def __enter__(self):
        try:
            self._start()
        except Exception:
            self.stop()
            raise
        return self

    def __exit__(self, *error):
        self.stop()

    def _program(self, name):
        found = shutil.which(name) or shutil.which(name, path="/usr/sbin:/sbin")
        if not found:
            raise ClusterUnavailable(f"{name} is not installed (Debian: slurmctld, slurmd, slurm-client, munge)")
        return found

    def _start(self):
        if os.geteuid() != 0:
            raise ClusterUnavailable("munged must be started as the munge user, which needs root")
        try:
            munge_user = pwd.getpwnam("munge")
        except KeyError:
            raise ClusterUnavailable("there is no munge user (Debian: munge)")
        munged, slurmctld, slurmd = (self._program(n) for n in ("munged", "slurmctld", "slurmd"))
        self._program("sbatch")

        # munge: its own key, socket and files, in a folder only it writes.
        munge = os.path.join(self.folder, "munge")
        os.mkdir(munge, 0o700)
        key = os.path.join(munge, "munge.key")
        with open(key, "wb") as f:
            f.write(os.urandom(1024))
        os.chmod(key, 0o400)
        for path in (munge, key):
            os.chown(path, munge_user.pw_uid, munge_user.pw_gid)
        os.chmod(self.folder, 0o755)
        self.socket = os.path.join(munge, "munge.socket")
        self._daemon([munged, "--foreground", "--force", f"--key-file={key}", f"--socket={self.socket}",
                      f"--pid-file={munge}/munged.pid", f"--log-file={munge}/munged.log",
                      f"--seed-file={munge}/munged.seed"],
                     user=munge_user, log=os.path.join(self.folder, "munged.out"))
        self._wait(lambda: os.path.exists(self.socket), "munged did not open its socket", "munged.out")

        host = socket.gethostname().split(".")[0]
        state = os.path.join(self.folder, "state")
        spool = os.path.join(self.folder, "spool")
        os.mkdir(state)
        os.mkdir(spool)
        configuration = os.path.join(self.folder, "slurm.conf")
        user = getpass.getuser()
        with open(configuration, "w") as f:
            f.write(f"""ClusterName=tessivaltest
SlurmctldHost={host}(127.0.0.1)
SlurmctldPort={free_port()}
SlurmdPort={free_port()}
SlurmUser={user}
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket={self.socket}
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MpiDefault=none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
SchedulerType=sched/backfill
ReturnToService=2
MailProg=/bin/true
StateSaveLocation={state}
SlurmdSpoolDir={spool}
SlurmctldPidFile={self.folder}/slurmctld.pid
SlurmdPidFile={self.folder}/slurmd.pid
SlurmctldLogFile={self.folder}/slurmctld.log
SlurmdLogFile={self.folder}/slurmd.log
SlurmctldDebug=info
SlurmdDebug=info
NodeName={host} NodeAddr=127.0.0.1 CPUs={os.cpu_count()} RealMemory={memory_megabytes() // 2} State=UNKNOWN
PartitionName=sweeps Nodes={host} Default=YES MaxTime=INFINITE State=UP
""")
        self.environment["SLURM_CONF"] = configuration
        self._daemon([slurmctld, "-D", "-i", "-f", configuration], log=os.path.join(self.folder, "slurmctld.out"))
        self._daemon([slurmd, "-D", "-f", configuration], log=os.path.join(self.folder, "slurmd.out"))
        sinfo = shutil.which("sinfo")

        def node_idle():
            done = subprocess.run([sinfo, "-h", "-N", "-o", "%T"], env=self.environment,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            return done.returncode == 0 and done.stdout.strip() == "idle"

        self._wait(node_idle, "the node did not become idle", "slurmctld.log")

    def _daemon(self, command, log, user=None):
        def become():
            os.setsid()
            if user:
                os.setgid(user.pw_gid)
                os.setgroups([])
                os.setuid(user.pw_uid)

        with open(log, "w") as out:
            process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT, env=self.environment,
                                       preexec_fn=become)
        self.processes.append(process)

    def _wait(self, ready, problem, log, seconds=60):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if ready():
                return
            for process in self.processes:
                if process.poll() is not None:
                    break
            time.sleep(0.5)
        raise ClusterUnavailable(f"{problem}; its log:\n{self.log(log)}")

    def log(self, name):
        try:
            with open(os.path.join(self.folder, name), errors="replace") as f:
                return f.read()[-3000:]
        except OSError:
            return "(none)"

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGTERM)
                try:
                    process.wait(timeout=20)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
        self.processes = []


def sweep(arguments, environment):
    return subprocess.run([sys.executable, SWEEP, *arguments], env=environment,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def main():
    folder = tempfile.mkdtemp(prefix="tessival-slurm-")
    os.chmod(folder, 0o755)  # munged, as its own user, reaches its folder through it
    try:
        try:
            cluster = SingleNodeCluster(os.path.join(folder, "cluster"))
            os.mkdir(cluster.folder)
            with cluster:
                environment = dict(cluster.environment)
                for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
                    environment.pop(name, None)
                grid = ["--vary", "3:Thickness=1,2,4,8"]
                local = sweep([FLOW, *grid, "-o", os.path.join(folder, "local"), "-j", "2"], environment)
                if local.returncode != 0:
                    print(local.stderr)
                    return 1
                on_cluster = sweep([FLOW, *grid, "-o", os.path.join(folder, "slurm"), "--slurm",
                                    "--cpus-per-task", "1", "--time", "10"], environment)
                print(on_cluster.stderr)
                if on_cluster.returncode != 0:
                    print("slurmctld:", cluster.log("slurmctld.log"), "slurmd:", cluster.log("slurmd.log"), sep="\n")
                    return 1
                if "submitted job" not in on_cluster.stderr:
                    print("the sweep did not submit a job")
                    return 1
                with open(os.path.join(folder, "local", "results.csv")) as a, \
                        open(os.path.join(folder, "slurm", "results.csv")) as b:
                    expected, got = a.read(), b.read()
                if expected != got:
                    print("the tables differ:\nlocal:\n" + expected + "\nslurm:\n" + got)
                    return 1
                # Each task ran with the cores it was given.
                with open(os.path.join(folder, "slurm", "points", "0", "log.txt")) as f:
                    if "--threads 1" not in f.read():
                        print("the task's log does not show --threads 1")
                        return 1
                # A failing point on the cluster is named with its log.
                failing = sweep([FLOW, "--vary", "3:Thickness=2,-1", "-o", os.path.join(folder, "failing"),
                                 "--slurm"], environment)
                if failing.returncode != 1 or "point 1 (3:Thickness=-1) ended with exit status 2" not in failing.stderr:
                    print("a failing task was not reported:", failing.returncode, failing.stderr)
                    return 1
                # --no-wait returns at once; collect gathers once the job is done.
                later = os.path.join(folder, "later")
                submitted = sweep([FLOW, *grid, "-o", later, "--slurm", "--no-wait"], environment)
                if submitted.returncode != 0 or "collect" not in submitted.stderr:
                    print("--no-wait:", submitted.stderr)
                    return 1
                deadline = time.monotonic() + 120
                while time.monotonic() < deadline and not all(
                        os.path.exists(os.path.join(later, "points", str(k), "status")) for k in range(4)):
                    time.sleep(1)
                collected = sweep(["collect", later], environment)
                with open(os.path.join(later, "results.csv")) as f:
                    if collected.returncode != 0 or f.read() != expected:
                        print("collect after --no-wait:", collected.stderr)
                        return 1
        except ClusterUnavailable as e:
            print(f"the cluster could not be started: {e}")
            return 1 if os.environ.get("CI") else SKIP
        print("the sweep on Slurm gave the local table")
        return 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
