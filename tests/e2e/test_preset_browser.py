"""The preset browser panel: opening it, choosing a group and a preset, renaming a preset
in place and dragging a preset into another group, all with the real pointer and keys."""

import unittest

from standalone import StandaloneApp

ROW_HEIGHT = 20
LIST_INSET = 4


def groups(state):
    """(name, size) of every group, from the "presetGroups" report."""
    return [tuple(entry.rsplit(":", 1)) for entry in state["presetGroups"].split("|")]


def group_sizes(state):
    return [int(size) for _, size in groups(state)]


class PresetBrowserTest(unittest.TestCase):
    def setUp(self):
        self.app = StandaloneApp().__enter__()
        self.addCleanup(self.app.__exit__, None, None, None)

    def row(self, column, row):
        """The screen point in the middle of a row's name in a browser column."""
        x, y, _, _ = self.app.bounds(column)
        return x + LIST_INSET + 60, y + LIST_INSET + row * ROW_HEIGHT + ROW_HEIGHT // 2

    def open_browser(self):
        self.app.click("BrowsePresetButton")
        self.app.wait_for(lambda s: "bounds.GroupListColumn" in s and "bounds.PresetListColumn" in s,
                          "the browser panel with its two columns")

    def choose_group(self, group):
        self.app.click(self.row("GroupListColumn", group))
        self.app.wait_for(lambda s: s["browserGroup"] == str(group), "group %d to open" % group)

    def test_selecting_renaming_and_dragging_presets(self):
        self.open_browser()
        state = self.app.state()
        sizes = group_sizes(state)
        self.assertEqual(state["browserGroup"], "0")

        # A click on a group and then on one of its presets makes that preset current.
        self.choose_group(2)
        start = sum(sizes[:2])
        self.app.click(self.row("PresetListColumn", 3))
        state = self.app.wait_for(lambda s: s["presetNumber"] == str(start + 3), "the clicked preset to be current")

        # Double-click, type and Return rename it.
        self.app.double_click(self.row("PresetListColumn", 3))
        self.app.wait_for(lambda s: s["desktopWindows"] == "2", "the name editor to pop out")
        self.app.key("ctrl+a")
        self.app.type_text("Browser Lead")
        self.app.key("Return")
        self.app.wait_for(lambda s: s["presetName"] == "Browser Lead" and s["desktopWindows"] == "1",
                          "the preset to take the new name")

        # Dragged onto group 4, it moves to that group's end and stays current. Hovering
        # over the group opens it on the way.
        self.app.press(self.row("PresetListColumn", 3))
        self.app.move(self.row("GroupListColumn", 4), steps=10)
        self.app.wait_for(lambda s: s["browserGroup"] == "4", "hovering to open group 4")
        self.app.release()

        state = self.app.wait_for(lambda s: group_sizes(s)[2] == sizes[2] - 1, "the preset to leave group 2")
        self.assertEqual(group_sizes(state)[4], sizes[4] + 1)
        self.assertEqual(state["presetName"], "Browser Lead")
        self.assertEqual(state["presetNumber"], str(sum(sizes[:5]) - 1))


if __name__ == "__main__":
    unittest.main()
