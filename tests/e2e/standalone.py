"""Runs the Halvenek Standalone app on an X server of its own and drives it as a person
would: real pointer and key events through xdotool.

The app writes an account of its state to a file when HALVENEK_STATE_FILE names one
("name=value" lines: preset number and name, the focused component, the number of
desktop windows, "bounds.Name" = the screen rectangle of every showing, named
component, and the mouse events it has handled). Tests aim at controls by name and
check the state instead of pixels.

Pointer input is paced by the app, never by sleeping: every move, press and release
waits until the app reports that it has handled it, so a press is handled before the
moves that follow it, and a drag's moves before its release.

A test case is a unittest module named test_*.py beside this file; CMake registers
each one with ctest. Use it like this:

    with StandaloneApp() as app:
        app.double_click("PresetNameDisplay")
        app.type_text("Glass Choir")
        app.key("Return")
        app.wait_for(lambda s: s["presetName"] == "Glass Choir")
"""

import os
import shutil
import subprocess
import tempfile
import time

STATE_VARIABLE = "HALVENEK_STATE_FILE"


class AppError(AssertionError):
    pass


class StandaloneApp:
    def __init__(self, app_path=None, timeout=20.0):
        self.app_path = app_path or os.environ.get("HALVENEK_STANDALONE", "")
        self.timeout = timeout
        self.xvfb = None
        self.app = None
        self.folder = None
        self.display = None

    # -- lifetime --------------------------------------------------------------
    def __enter__(self):
        if not os.path.isfile(self.app_path):
            raise AppError("the Standalone app is not built: %r (build the Halvenek_Standalone target)" % self.app_path)

        self.folder = tempfile.mkdtemp(prefix="halvenek-e2e-")
        try:
            self._start_x_server()
            self._start_app()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        for process in (self.app, self.xvfb):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        if getattr(self, "log", None):
            self.log.close()
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def _start_x_server(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise AppError("Xvfb did not start")
        self.display = ":" + number

    def _start_app(self):
        # The app keeps its settings beside its executable and in the home folder: a copy
        # in a fresh folder starts from the factory state and leaves nothing behind.
        app_copy = os.path.join(self.folder, "Halvenek")
        shutil.copy2(self.app_path, app_copy)
        self.state_file = os.path.join(self.folder, "state.txt")
        env = dict(os.environ, DISPLAY=self.display, HOME=self.folder)
        env[STATE_VARIABLE] = self.state_file
        self.log = open(os.path.join(self.folder, "app.log"), "w")
        self.app = subprocess.Popen([app_copy], env=env, cwd=self.folder, stdout=self.log, stderr=subprocess.STDOUT)
        # Ready when the editor shows and the app's window has the keyboard: a click that
        # comes earlier, while the window is still being mapped, may go astray.
        self.wait_for(lambda s: s.get("editorShowing") == "1" and "bounds.PresetNameDisplay" in s and s.get("focused"),
                      "the editor to show with the keyboard")

    # -- state -------------------------------------------------------------------
    def state(self):
        """The app's latest state report as a dictionary (empty before the first one)."""
        try:
            with open(self.state_file, encoding="utf-8") as report:
                lines = report.read().splitlines()
        except FileNotFoundError:
            return {}
        return dict(line.split("=", 1) for line in lines if "=" in line)

    def wait_for(self, condition, what="the expected state", timeout=None):
        """Waits until condition(state) holds and returns that state; fails with the last
        state seen when it does not within the time limit."""
        deadline = time.monotonic() + (timeout or self.timeout)
        state = {}
        while time.monotonic() < deadline:
            if self.app is not None and self.app.poll() is not None:
                raise AppError("the app ended (exit code %s) while waiting for %s" % (self.app.returncode, what))
            state = self.state()
            try:
                if condition(state):
                    return state
            except KeyError:
                pass
            time.sleep(0.05)
        raise AppError("timed out waiting for %s; last state: %r" % (what, state))

    def bounds(self, name):
        """The screen rectangle (x, y, width, height) of a showing component."""
        state = self.wait_for(lambda s: ("bounds." + name) in s, "component %r to show" % name)
        return tuple(int(v) for v in state["bounds." + name].split())

    def centre(self, name):
        x, y, width, height = self.bounds(name)
        return x + width // 2, y + height // 2

    # -- input -------------------------------------------------------------------
    def xdotool(self, *arguments):
        subprocess.run(["xdotool"] + [str(a) for a in arguments], check=True,
                       env=dict(os.environ, DISPLAY=self.display), timeout=30)

    def point(self, target):
        """The screen point of a component's centre (by name), or the point (x, y) itself."""
        return self.centre(target) if isinstance(target, str) else tuple(target)

    def pointer(self):
        """Where the X server has the pointer."""
        result = subprocess.run(["xdotool", "getmouselocation", "--shell"], check=True, capture_output=True, text=True,
                                env=dict(os.environ, DISPLAY=self.display), timeout=30)
        location = dict(line.split("=", 1) for line in result.stdout.split())
        return int(location["X"]), int(location["Y"])

    def move(self, target, steps=1):
        """Moves the pointer to the target in steps, each one handled by the app before the
        next is sent. (xdotool's --sync waits for the pointer to move, so it is never asked
        to stay where it is.)"""
        x, y = current = self.pointer()
        tx, ty = self.point(target)

        for step in range(1, steps + 1):
            point = (x + (tx - x) * step // steps, y + (ty - y) * step // steps)

            if point != current:
                self.xdotool("mousemove", "--sync", *point)
                self.wait_for(lambda s: s["pointer"] == "%d %d" % point, "the app to see the pointer at %d %d" % point)
                current = point

    def _mouse_count(self, name):
        return int(self.state().get(name, "0"))

    def press(self, target, button=1):
        """Moves to the target and holds the button down once the app has handled the press."""
        self.move(target)
        downs = self._mouse_count("mouseDowns")
        self.xdotool("mousedown", button)
        self.wait_for(lambda s: int(s["mouseDowns"]) > downs, "the app to handle the press")

    def release(self, button=1):
        ups = self._mouse_count("mouseUps")
        self.xdotool("mouseup", button)
        self.wait_for(lambda s: int(s["mouseUps"]) > ups, "the app to handle the release")

    def click(self, target, button=1, repeat=1, delay_ms=80):
        """Clicks a component by name, or a screen point (x, y), and waits until the app has
        handled every click. The clicks of a double click go out together, as a person's
        do: the app tells them apart by their times."""
        self.move(target)
        ups = self._mouse_count("mouseUps")
        self.xdotool("click", "--repeat", repeat, "--delay", delay_ms, button)
        self.wait_for(lambda s: int(s["mouseUps"]) >= ups + repeat, "the app to handle %d click(s)" % repeat)

    def double_click(self, target):
        self.click(target, repeat=2, delay_ms=120)

    def type_text(self, text):
        self.xdotool("type", "--delay", 40, text)

    def key(self, *names):
        """Presses keys by their X names: "Return", "Escape", "ctrl+a"."""
        self.xdotool("key", "--delay", 40, *names)
