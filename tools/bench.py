#!/usr/bin/env python3
"""make bench: how fast the show runs, as one table, everything measured in this one run.

1. The native Google Benchmarks (build/native, host g++): the due pass of 20000 stars, the same with
   the GDI window's drawing done in memory, and full-screen frames of 20000 plotted sparks.
2. frametime, the real program's frame under Wine on a private 800x600x24 Xvfb: PE32 (the product,
   build/win32) and PE32+ (build/win64), GDI and DirectDraw, 5000 and 20000 sparks. Where the kernel
   cannot run 32-bit code the PE32 rows say so and PE32+ is measured alone.
3. frametime_x11, the native X11 saver's frame (build/native) on a private Xvfb of 800x600x24 and of
   1920x1080x24, 5000 and 20000 sparks, in the same table.

The machine is shared and noisy, so every frametime case runs BENCH_RUNS times (default 3), the
cases taking turns; each figure is the median over the runs of frametime's own medians. Only
figures from the same run of this tool compare.
"""
import json
import os
import platform
import re
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RUNS = int(os.environ.get("BENCH_RUNS", "3"))
BUILDS = [("PE32", "win32"), ("PE32+", "win64")]
BACKENDS = [("GDI", "gdi"), ("DirectDraw", "ddraw")]
SPARKS = [5000, 20000]
X11_SCREENS = ["800x600", "1920x1080"]
PHASES = ["frame", "due pass", "plotting", "present", "backdrop copy"]


def build(preset, targets):
    subprocess.run(["cmake", "--preset", preset], cwd=ROOT, stdout=subprocess.DEVNULL, check=True)
    subprocess.run(["cmake", "--build", "--preset", preset, "--target", *targets, "--", "-s"], cwd=ROOT,
                   stdout=subprocess.DEVNULL, check=True)


def native_rows():
    rows = []
    for name in ["interpreter_bench", "plot_bench"]:
        out = subprocess.run([os.path.join(ROOT, "build/native/bin", name), "--benchmark_repetitions=5",
                              "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                             capture_output=True, text=True, check=True).stdout
        for result in json.loads(out)["benchmarks"]:
            if result.get("aggregate_name") == "median":
                rows.append((result["run_name"], result["real_time"], result["time_unit"]))
    return rows


def can_run_32bit():
    try:
        return subprocess.run(["/usr/lib/wine/wine", "--version"], capture_output=True).returncode == 0
    except OSError:
        return False


def frametime(preset, backend, sparks):
    """frametime's medians for one case: {phase: ms}, or None when it did not run."""
    program = os.path.join(ROOT, "build", preset, "bin", "frametime.exe")
    env = dict(os.environ, FW_SCREEN="800x600x24")
    env.pop("DISPLAY", None)
    return figures_of(subprocess.run([os.path.join(ROOT, "tools/wine-run.sh"), program, "--backend", backend,
                                      "--sparks", str(sparks)], capture_output=True, text=True, env=env, timeout=600))


def frametime_x11(screen, sparks):
    """frametime_x11's medians on a private Xvfb of that size, or None."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", screen + "x24", "-nolisten", "tcp"],
                            pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    try:
        with os.fdopen(read) as ready:
            env = dict(os.environ, DISPLAY=":" + ready.readline().strip())
        return figures_of(subprocess.run([os.path.join(ROOT, "build/native/bin/frametime_x11"), "--sparks",
                                          str(sparks)], capture_output=True, text=True, env=env, timeout=600))
    finally:
        xvfb.terminate()
        xvfb.wait()


def figures_of(done):
    figures = {}
    for line in done.stdout.splitlines():
        match = re.match(r"\s*median (frame|[a-z ]+?)\s+(?:\(without sleep\) )?([0-9.]+) ms", line)
        if match:
            figures[match.group(1)] = float(match.group(2))
    in_use = re.search(r"backend in use (\S+)", done.stdout)
    if done.returncode != 0 or "frame" not in figures or in_use is None:
        return None
    figures["in use"] = in_use.group(1)
    return figures


def main():
    build("native", ["interpreter_bench", "plot_bench", "frametime_x11"])
    runs_32bit = can_run_32bit()
    builds = [(label, preset) for label, preset in BUILDS if preset != "win32" or runs_32bit]
    for _, preset in builds:
        build(preset, ["frametime"])

    cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
    print(f"machine: {cpu}, {os.cpu_count()} cores, load average {os.getloadavg()[0]:.2f} at the start, "
          f"{platform.system()} {platform.release()}")
    print()
    print("Native benchmarks (host g++, median of 5 repetitions)")
    for name, time, unit in native_rows():
        print(f"  {name:<40} {time:10.3f} {unit}")
    print()

    # (build, back-end, screen, sparks) -> how to measure it once
    cases = {(label, name, "800x600", sparks): (lambda p=preset, b=backend, s=sparks: frametime(p, b, s))
             for label, preset in builds for name, backend in BACKENDS for sparks in SPARKS}
    cases.update({("Linux", "X11", screen, sparks): (lambda w=screen, s=sparks: frametime_x11(w, s))
                  for screen in X11_SCREENS for sparks in SPARKS})
    results = {case: [] for case in cases}
    for _ in range(RUNS):
        for case, measure in cases.items():
            figures = measure()
            if figures is not None:
                results[case].append(figures)

    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip() or "Wine"
    print(f"Frame times: fireworks.scr under {wine} (frametime) and the native X11 saver (frametime_x11, Linux),")
    print(f"each on a private Xvfb of the screen given: median over {RUNS} runs of the median frame (of 300, without")
    print("its sleep) and of each phase, ms. GDI's due pass includes drawing each running spark in memory.")
    print(f"  {'build':<6} {'back-end':<11} {'screen':>9} {'sparks':>6} " + " ".join(f"{p:>13}" for p in PHASES) +
          "  in use")
    if not runs_32bit:
        print("  PE32   this kernel cannot run 32-bit code: PE32+ alone")
    due = {}
    for case in cases:
        label, name, screen, sparks = case
        runs = results[case]
        if not runs:
            print(f"  {label:<6} {name:<11} {screen:>9} {sparks:>6}  did not run")
            continue
        medians = [statistics.median(r.get(p, 0.0) for r in runs) for p in PHASES]
        due[(label, name, sparks)] = medians[1]
        print(f"  {label:<6} {name:<11} {screen:>9} {sparks:>6} " + " ".join(f"{m:13.3f}" for m in medians) +
              f"  {runs[-1]['in use']}")
    pe32, pe64 = due.get(("PE32", "DirectDraw", 20000)), due.get(("PE32+", "DirectDraw", 20000))
    if pe32 and pe64:
        print(f"PE32 due pass / PE32+ due pass (DirectDraw, 20000 sparks): {pe32 / pe64:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
