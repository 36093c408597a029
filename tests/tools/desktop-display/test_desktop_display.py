"""halvenek_desktop_display on an X server of the test's own: the rate it sets is the one
the server then reports, a second run reuses the mode it made, and bad use is refused."""
import os
import subprocess
import unittest

TOOL = os.environ["HALVENEK_DESKTOP_DISPLAY"]


class DesktopDisplayTest(unittest.TestCase):
    def setUp(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
                                      "-screen", "0", "1024x768x24"],
                                     pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.display = ":" + pipe.readline().strip()
        self.addCleanup(self.xvfb.wait)
        self.addCleanup(self.xvfb.terminate)

    def run_tool(self, *arguments, display=None):
        environment = dict(os.environ, DISPLAY=display or self.display)
        return subprocess.run([TOOL, *arguments], env=environment, capture_output=True, text=True, timeout=30)

    def test_sets_the_rate_asked_for_again_and_again(self):
        for rate in ("60", "60", "144", "60"):
            result = self.run_tool(rate)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertIn(f"1024x768 at {rate}.00 Hz", result.stdout)

    def test_refuses_bad_use(self):
        for arguments in (("0",), ("1001",), ("sixty",), ("60", "61")):
            self.assertEqual(self.run_tool(*arguments).returncode, 2, arguments)
        self.assertEqual(self.run_tool(display=":65000").returncode, 1)


if __name__ == "__main__":
    unittest.main()
