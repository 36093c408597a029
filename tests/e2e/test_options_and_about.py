"""The options panel with its MIDI control page, and the about window, through real clicks."""

import unittest

from standalone import StandaloneApp


class OptionsAndAboutTest(unittest.TestCase):
    def setUp(self):
        self.app = StandaloneApp().__enter__()
        self.addCleanup(self.app.__exit__, None, None, None)

    def test_midi_learn_mode_is_switched_on_from_the_midi_control_page(self):
        self.assertEqual(self.app.state()["midiLearning"], "0")
        self.app.click("OptionsButton")
        self.app.wait_for(lambda s: s["optionsShowing"] == "1" and s["optionsTab"] == "Presets", "the options to open")

        self.app.click("Midi Control")
        self.app.wait_for(lambda s: s["optionsTab"] == "Midi Control", "the MIDI control page")

        self.app.click("Midi Learn mode")
        self.app.wait_for(lambda s: s["midiLearning"] == "1", "MIDI learn to be on")

        self.app.click("Midi Learn mode")
        self.app.wait_for(lambda s: s["midiLearning"] == "0", "MIDI learn to be off again")

        self.app.click("OptionsButton")
        self.app.wait_for(lambda s: s["optionsShowing"] == "0", "the options to close")

    def test_the_about_window_opens_with_ctrl_click_and_closes_on_a_click(self):
        self.app.xdotool("keydown", "ctrl")
        self.app.click("OptionsButton")
        self.app.xdotool("keyup", "ctrl")
        self.app.wait_for(lambda s: s["aboutShowing"] == "1", "the about window to open")

        self.app.click("AboutWindow")
        self.app.wait_for(lambda s: s["aboutShowing"] == "0", "the about window to close")

        # Closed, the editor takes clicks again.
        self.app.click("OptionsButton")
        self.app.wait_for(lambda s: s["optionsShowing"] == "1", "the options to open after the about window")

    def test_a_tooltip_shows_while_the_mouse_rests_on_a_button_and_goes_with_the_mouse(self):
        self.assertNotIn("bounds.tooltip", self.app.state())
        x, y = self.app.centre("OptionsButton")
        self.app.xdotool("mousemove", "--sync", x, y)
        self.app.wait_for(lambda s: "bounds.tooltip" in s, "the button's tooltip to show")

        self.app.xdotool("mousemove", "--sync", 1270, 1010)
        self.app.wait_for(lambda s: "bounds.tooltip" not in s, "the tooltip to go")


if __name__ == "__main__":
    unittest.main()
