#!/usr/bin/env python3
"""The real program under Xvfb, as a player starts it: the time to its first
window and from the about window to the main window, its peak memory once the
shipped list is loaded, and the processor time it takes while the letters
shuffle and during a round at Difícil, each over 5 seconds, with the context
switches a second of its main thread (its wake-ups); then the peak
memory of tools/palitra-walk on the shipped list, and on 50 MB of bare line
ends within 1 GB of address space.
usage: desktop.py PROGRAM PALITRA_WALK DATA_FOLDER (exit 77 without Xvfb)"""

import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from palitra_e2e import MAIN_TITLE, OPTIONS_TITLE, CLIENT_SIZE, XSession, wait_until  # noqa: E402

SECONDS = 5.0
TICKS = os.sysconf("SC_CLK_TCK")
LINE_ENDS = 50_000_000  # a word list of nothing but bare line ends...
ADDRESS_SPACE = 1 << 30  # ...loads within this much address space


def cpu_seconds(pid):  # user and system time of the process so far
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def context_switches(pid):  # voluntary and involuntary, of the main thread: its wake-ups
    return sum(int(line.split()[1]) for line in open(f"/proc/{pid}/status") if "ctxt_switches:" in line)


def share_and_wakeups(pid):
    """Share of a core and context switches a second over SECONDS."""
    before, switches, start = cpu_seconds(pid), context_switches(pid), time.monotonic()
    time.sleep(SECONDS)
    spent = time.monotonic() - start
    return (cpu_seconds(pid) - before) / spent, (context_switches(pid) - switches) / spent


def peak_megabytes(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024


def run_walk(walk, word_list, address_space=None):
    """Seconds, peak megabytes and exit status of one walk of a board."""
    limit = lambda: resource.setrlimit(resource.RLIMIT_AS, (address_space, address_space))
    started = time.monotonic()
    child = subprocess.Popen([walk, word_list, "CASASOLARMESAPERROTIENEÑU"], stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, preexec_fn=limit if address_space else None)
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    return time.monotonic() - started, usage.ru_maxrss / 1024, child.returncode


def measure(program, walk, data):
    with tempfile.TemporaryDirectory(prefix="palitra-bench-") as work:
        for name in (program, os.path.join(data, "Palitra.pal"), os.path.join(data, "Instrucciones.htm")):
            shutil.copy2(name, work)
        shutil.copy2(os.path.join(data, "Comunes.pal"), work)
        with XSession(work, os.path.join(work, "failure.png")) as x:
            launched = time.monotonic()
            process = subprocess.Popen([os.path.join(work, "palitra")], cwd=work, env=x.env)
            x.processes.append(process)
            about = x.wait_window("the about window", cls="palitra")
            first_window = time.monotonic() - launched
            x.click(about, 142, 168)
            closed = time.monotonic()
            is_main = lambda window: x.size(window)[1] > CLIENT_SIZE[1]
            window = x.wait_window("the main window", MAIN_TITLE, keep=is_main)
            main_window = time.monotonic() - closed
            loaded = peak_megabytes(process.pid)
            bar = x.size(window)[1] - CLIENT_SIZE[1]
            x.click(window, 316, 32 + bar)  # "Nuevo Juego"
            options = x.wait_window("the options dialog", OPTIONS_TITLE)
            x.click(options, 236, 88)  # "Difícil"
            x.click(options, 232, 124)  # "OK": the letters shuffle
            time.sleep(0.5)
            shuffle, shuffle_wakeups = share_and_wakeups(process.pid)
            x.click(window, 316, 32 + bar)  # "Empezar": a round at Difícil
            time.sleep(0.5)
            round_, round_wakeups = share_and_wakeups(process.pid)
    walk_seconds, walk_peak, _ = run_walk(walk, os.path.join(data, "Palitra.pal"))
    with tempfile.NamedTemporaryFile(prefix="palitra-bench-", suffix=".pal") as line_ends:
        line_ends.write(b"\n" * LINE_ENDS)
        line_ends.flush()
        _, ends_peak, ends_status = run_walk(walk, line_ends.name, ADDRESS_SPACE)
    print(f"launch to the about window      {first_window * 1000:7.0f} ms")
    print(f"about window closed to the main {main_window * 1000:7.0f} ms (the list read meanwhile)")
    print(f"peak memory, list loaded        {loaded:7.1f} MB (target 45 MB)")
    print(f"processor while shuffling       {shuffle * 100:7.1f} % of a core (target 10 %), "
          f"{shuffle_wakeups:.0f} context switches a second")
    print(f"processor in a Difícil round    {round_ * 100:7.1f} % of a core (target 1 %), "
          f"{round_wakeups:.0f} context switches a second (target 70)")
    print(f"palitra-walk, peak memory       {walk_peak:7.1f} MB (target 25 MB; the walk took {walk_seconds:.2f} s)")
    print(f"50 MB of bare line ends, 1 GB   {ends_peak:7.1f} MB peak, "
          + ("loaded" if ends_status == 0 else f"FAILED (exit status {ends_status})"))


if __name__ == "__main__":
    measure(*sys.argv[1:4])
