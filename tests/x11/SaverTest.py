#!/usr/bin/env python3
"""The X11 saver as a user meets it, on private Xvfb servers: on the root window, in its own window
(resized, then closed by a key), in another program's window (which then goes away), on a server
without MIT-SHM, under the real xscreensaver daemon, and with bad input.
    SaverTest.py PROGRAM SHOTS_DIR"""
import os, shutil, subprocess, sys, tempfile, time, xml.etree.ElementTree as ET

PROGRAM, SHOTS = sys.argv[1], sys.argv[2]
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


class Xvfb:
    def __init__(self, size, *extra):
        read, write = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", size + "x24", "-nolisten", "tcp",
                                      *extra], pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as ready:  # read to the line end: a closed pipe would kill the server's second write
            self.display = ":" + ready.readline().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("XSCREENSAVER_WINDOW", None)

    def start(self, args, **kw):
        return subprocess.Popen(args, env=kw.pop("env", self.env), stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                text=True, **kw)

    def shot(self, name=None):
        """The screen as (width, rows of RGB bytes); saved as SHOTS/name.png when named."""
        xwd = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True, check=True).stdout
        save = ["-write", os.path.join(SHOTS, name + ".png")] if name else []
        out = subprocess.run(["convert", "xwd:-", *save, "-format", "%w ", "-write", "info:-", "-depth", "8", "rgb:-"],
                             input=xwd, capture_output=True, check=True).stdout
        width, rgb = out.split(b" ", 1)
        return int(width), rgb

    def window(self, name):
        return subprocess.run(["xdotool", "search", "--sync", "--name", name], env=self.env, capture_output=True,
                              text=True, timeout=10).stdout.split()[0]

    def close(self):
        self.proc.terminate()
        self.proc.wait()


def show_problem(xvfb, region, name):
    """None when region (x, y, w, h) of the screen shows the skyline (dark blue sky above, black ground in
    the bottom tenth) and bright points that move within half a second; else what is missing."""
    (width, a), (_, b) = xvfb.shot(), (time.sleep(0.5), xvfb.shot(name))[1]
    x0, y0, w, h = region
    pixel = lambda rgb, x, y: rgb[3 * (y * width + x):3 * (y * width + x) + 3]
    sky = sum(1 for y in range(y0, y0 + h // 2, 4) for x in range(x0, x0 + w, 4)
              if pixel(b, x, y)[0] < 16 and pixel(b, x, y)[1] < 16 and 16 <= pixel(b, x, y)[2] <= 48)
    ground = sum(1 for y in range(y0 + h - h // 10, y0 + h, 2) for x in range(x0, x0 + w, 4) if max(pixel(b, x, y)) < 16)
    moving = sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
                 if pixel(a, x, y) != pixel(b, x, y) and max(pixel(b, x, y)) >= 0x80)
    if sky < 0.8 * (h // 8) * (w // 4):
        return f"no night sky ({sky} samples)"
    if ground < 0.7 * (h // 20) * (w // 4):
        return f"no ground ({ground} samples)"
    return None if moving >= 20 else f"only {moving} moving bright pixels"


def wait_show(xvfb, region, name):
    for _ in range(10):
        time.sleep(1)
        problem = show_problem(xvfb, region, name)
        if problem is None:
            break
    return problem


def ended(proc, code, message="", timeout=5):
    try:
        err = proc.communicate(timeout=timeout)[1]
    except subprocess.TimeoutExpired:
        proc.kill()
        return f"still running after {timeout} s"
    said = err.startswith("fireworks: ") and message in err if message else err == ""
    return None if proc.returncode == code and said else f"exit {proc.returncode}, said {err!r}"


def run_shows(xvfb):
    # -root is shown by the xscreensaver daemon here, and below on a server without MIT-SHM.
    saver = xvfb.start([PROGRAM])
    window = xvfb.window("Brelkora Fireworks")
    check(wait_show(xvfb, (0, 0, 800, 600), "own-window") is None, "own window: sparks over the skyline")
    subprocess.run(["xdotool", "windowsize", window, "480", "360"], env=xvfb.env, check=True)
    check(wait_show(xvfb, (0, 0, 480, 360), "own-window-resized") is None, "own window: skyline rebuilt at 480x360")
    subprocess.run(["xdotool", "key", "--window", window, "q"], env=xvfb.env, stderr=subprocess.DEVNULL)
    check(ended(saver, 0) is None, "own window: a key ends it with 0")

    host = subprocess.Popen(["xev", "-geometry", "400x300+300+250"], env=xvfb.env, stdout=subprocess.DEVNULL)
    window = xvfb.window("Event Tester")
    saver = xvfb.start([PROGRAM, "-window-id", window])
    check(wait_show(xvfb, (300, 250, 400, 300), "window-id") is None, "-window-id: sparks in the other program's window")
    host.kill()
    host.wait()
    problem = ended(saver, 0, "went away")
    check(problem is None, f"-window-id: the window going away ends it with 0 and says so ({problem})")


def running(pid):
    """Alive and not a zombie waiting for its (new) parent to reap it."""
    try:
        return open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def run_daemon(xvfb):
    """The real xscreensaver daemon, configured to play only this program. It launches no display mode
    as root, so the daemon runs as nobody then, with a copy of the program it can read."""
    home = tempfile.mkdtemp(prefix="fw-xss-")
    program = shutil.copy(PROGRAM, home)
    with open(os.path.join(home, ".xscreensaver"), "w") as f:
        f.write(f"mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\nsplash: False\n"
                f"dpmsEnabled: False\nprograms: {program} -root \\n\n")
    user = {}
    if os.geteuid() == 0:
        for path in [home, *(os.path.join(home, f) for f in os.listdir(home))]:
            os.chown(path, 65534, 65534)
        user = dict(user=65534, group=65534, extra_groups=[])
    env = dict(xvfb.env, HOME=home)
    daemon = subprocess.Popen(["xscreensaver", "-no-splash"], env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, **user)
    command = lambda verb: subprocess.run(["xscreensaver-command", verb], env=env, capture_output=True, **user)
    try:
        for _ in range(50):
            if command("-version").returncode == 0:
                break
            time.sleep(0.2)
        command("-activate")
        check(wait_show(xvfb, (0, 0, 800, 600), "xscreensaver") is None, "xscreensaver -activate: the show")
        ours = [p for p in os.listdir("/proc") if p.isdigit() and open(f"/proc/{p}/cmdline", "rb").read().startswith(program.encode())]
        command("-deactivate")
        time.sleep(1.5)
        left = [p for p in ours if running(p)]
        check(ours and not left, f"xscreensaver -deactivate ends the fireworks it ran ({ours}, left {left})")
    finally:
        daemon.terminate()
        daemon.wait()
        shutil.rmtree(home, ignore_errors=True)


def run_bad_input(xvfb):
    junk = os.path.join(SHOTS, "not-text.bin")
    with open(junk, "wb") as f:
        f.write(bytes(range(256)) * 4)
    xml = ET.parse(os.path.join(os.path.dirname(__file__), "../../app/x11/fireworks.xml")).getroot()
    scripts = os.path.join(os.path.dirname(__file__), "../../resources/scripts.txt")
    every = [a.replace("%", e.get("default", scripts)) for e in xml.iter() for a in
             [e.get("arg"), e.get("arg-set")] if a]
    cases = [  # arguments, environment, exit code, what it says
        (["-bogus"], xvfb.env, 1, "unknown option -bogus\nusage:"),
        (["-window-id", "0x1ffffff0"], xvfb.env, 2, "no window 0x1ffffff0 on display"),
        (["-root"], {k: v for k, v in xvfb.env.items() if k != "DISPLAY"}, 2, "DISPLAY is not set"),
        (["-script-file", junk, "-scripts", "mine"], xvfb.env, 1, "holds no firework that can be played"),
        # Every option the settings dialog writes, at its default: accepted, so only the display fails.
        (" ".join(every).split() + ["-display", ":9999"], xvfb.env, 2, "cannot open display :9999"),
    ]
    for args, env, code, message in cases:
        problem = ended(xvfb.start([PROGRAM, *args], env=env), code, message)
        check(problem is None, f"{' '.join(args)[:60]}: exit {code}, '{message.splitlines()[0]}' ({problem})")


os.makedirs(SHOTS, exist_ok=True)
screen = Xvfb("800x600")
try:
    run_shows(screen)
    run_daemon(screen)
    run_bad_input(screen)
finally:
    screen.close()
plain = Xvfb("640x480", "-extension", "MIT-SHM")
try:
    saver = plain.start([PROGRAM, "-root", "-fps-meter"])
    check(wait_show(plain, (0, 0, 640, 480), "root-without-shm") is None, "-root without MIT-SHM: the show by XPutImage")
    saver.terminate()
    check(ended(saver, 0) is None, "-root: SIGTERM ends it with 0")
finally:
    plain.close()
print(f"{len(failures)} failed; screenshots in {SHOTS}")
sys.exit(1 if failures else 0)
