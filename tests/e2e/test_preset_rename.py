"""The preset name display renames the current preset in place."""

import unittest

from standalone import StandaloneApp


class PresetRenameTest(unittest.TestCase):
    def setUp(self):
        self.app = StandaloneApp().__enter__()
        self.addCleanup(self.app.__exit__, None, None, None)
        self.original = self.app.state()["presetName"]

    def start_editing(self):
        self.app.double_click("PresetNameDisplay")
        self.app.wait_for(lambda s: s["focused"] == "PresetNameDisplay" and s["desktopWindows"] == "2",
                          "the name display to pop out for editing")

    def end_of_edit(self):
        # Ended, the display is back in the editor and the app's window has the keyboard again.
        return self.app.wait_for(lambda s: s["desktopWindows"] == "1" and s["focused"] not in ("", "PresetNameDisplay"),
                                 "the display to return into the editor")

    def test_typing_a_name_and_return_renames_the_current_preset(self):
        number = self.app.state()["presetNumber"]
        self.start_editing()
        self.app.key(*["BackSpace"] * len(self.original))   # the caret starts at the end
        self.app.type_text("Glass Choir")
        self.app.key("Return")

        state = self.app.wait_for(lambda s: s["presetName"] == "Glass Choir", "the preset to take the new name")
        self.assertEqual(state["presetNumber"], number)
        self.end_of_edit()

    def test_escape_leaves_the_name_unchanged_and_the_next_edit_still_works(self):
        self.start_editing()
        self.app.type_text(" Bis")
        self.app.key("Escape")
        self.assertEqual(self.end_of_edit()["presetName"], self.original)

        self.start_editing()
        self.app.type_text("!")
        self.app.key("Return")
        self.app.wait_for(lambda s: s["presetName"] == self.original + "!", "the second edit to rename the preset")


if __name__ == "__main__":
    unittest.main()
