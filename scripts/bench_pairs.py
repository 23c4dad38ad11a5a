"""Whole-process timing of a Windows program under Wine against a native
reference, as a user would time them: the two are started alternately
(A B, then B A), a bare start of the same Windows program is measured in the
same round, and every round gives one pair ratio, raw and with that bare
start subtracted. The figures quoted are the medians of those ratios; on a
shared machine a pair sees the same drift on both sides.

Imported by scripts/bench_download.sh and scripts/bench-http.sh, which run
it inside scripts/with-display.sh (WINEPREFIX set, the wineserver up).
"""
import os
import resource
import statistics
import subprocess
import sys
import time

TICKS = os.sysconf("SC_CLK_TCK")


def wineserver_pid():
    """The wineserver of this prefix: it works in a folder named server-DEV-INODE."""
    st = os.stat(os.environ["WINEPREFIX"])
    folder = "/server-%x-%x" % (st.st_dev, st.st_ino)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if open("/proc/%s/comm" % pid).read().startswith("wineserver") and \
               os.readlink("/proc/%s/cwd" % pid).endswith(folder):
                return pid
        except OSError:
            pass
    return None


def server_cpu(pid):
    """CPU seconds the wineserver has spent so far; None when unreadable."""
    if pid is None:
        return None
    try:
        fields = open("/proc/%s/stat" % pid).read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return (int(fields[11]) + int(fields[12])) / TICKS


class Sample:
    def __init__(self, wall, cpu, server):
        self.wall, self.cpu, self.server = wall, cpu, server


def timed(command, cwd, accept=(0,)):
    """Runs command once: wall seconds, its own CPU and the wineserver's CPU meanwhile."""
    server = wineserver_pid()
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    server_before = server_cpu(server)
    start = time.monotonic()
    done = subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    server_after = server_cpu(server)
    if done.returncode not in accept:
        sys.exit("%s failed with exit code %d" % (" ".join(command), done.returncode))
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    spent = None if server_before is None or server_after is None else server_after - server_before
    return Sample(wall, cpu, spent)


def run_pairs(rounds, probe, reference, bare, cwd, check_probe, check_reference, target):
    """probe, reference and bare are (label, command) pairs; the checks run after
    every run of their command and exit with a message when it delivered the
    wrong thing. Prints the table and the two median ratios."""
    samples = {"probe": [], "reference": [], "bare": []}
    raw, subtracted = [], []
    # One start of each before measuring: the first Wine start of a run loads
    # what the later ones find in the page cache.
    timed(bare[1], cwd, accept=(0,))
    for round_number in range(rounds):
        order = [("probe", probe, check_probe), ("reference", reference, check_reference)]
        if round_number % 2:
            order.reverse()
        for key, (_, command), check in order:
            samples[key].append(timed(command, cwd))
            check()
        samples["bare"].append(timed(bare[1], cwd))
        p, r, b = samples["probe"][-1], samples["reference"][-1], samples["bare"][-1]
        raw.append(p.wall / r.wall)
        subtracted.append(max(p.wall - b.wall, 0.0) / r.wall)

    def median(key, attribute):
        values = [getattr(s, attribute) for s in samples[key]]
        values = [v for v in values if v is not None]
        return statistics.median(values) if values else None

    def cpu_text(key):
        server = median(key, "server")
        text = "%.3f s CPU" % median(key, "cpu")
        if key != "reference":
            text += (", wineserver %.3f s" % server) if server is not None else ", wineserver not readable"
        return text

    width = max(len(probe[0]), len(reference[0]), len(bare[0]))
    print("medians of %d rounds (alternating order, whole processes):" % rounds)
    for key, (label, _) in (("probe", probe), ("reference", reference), ("bare", bare)):
        print("  %-*s : %.3f s wall, %s" % (width, label, median(key, "wall"), cpu_text(key)))
    print("  ratio %s / %s, raw           : %.2f" % (probe[0], reference[0], statistics.median(raw)))
    print("  ratio with the bare start subtracted: %.2f (target <= %.1f)"
          % (statistics.median(subtracted), target))
    return statistics.median(subtracted)


def delivered(work, original, name):
    """A check after a round: the copy `name` in work is the served file;
    it is removed, so that the next round starts from nothing."""
    def check():
        target = os.path.join(work, name)
        if os.path.getsize(target) != os.path.getsize(original) or \
           subprocess.run(["cmp", "-s", target, original]).returncode != 0:
            sys.exit("%s is not the served file" % name)
        os.remove(target)
    return check
