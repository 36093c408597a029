#include "../editor/EditorTestSupport.h"

#include "framework/editor/DefaultLookAndFeel.h"
#include "framework/windows/DefaultResourceCheckBox.h"
#include "framework/windows/DefaultResourcesRadioButtons.h"
#include "framework/windows/TabbedComponentEx.h"

namespace
{
    /** Puts a control under the editor's look-and-feel, as the options pages are. */
    struct Host : juce::Component
    {
        explicit Host (juce::Component& child)  { setLookAndFeel (&lookAndFeel); addAndMakeVisible (child); }
        ~Host() override                        { deleteAllChildren(); setLookAndFeel (nullptr); }
        DefaultLookAndFeel lookAndFeel;
    };

    struct RadioLog : RadioButtons::Listener
    {
        explicit RadioLog (std::vector<juce::String>& sharedLog, const char* listenerName) : log (sharedLog), name (listenerName) {}
        void radioButtonsChanged (RadioButtons* buttons) override { log.push_back (name + juce::String (buttons->getSelected())); }
        std::vector<juce::String>& log;
        juce::String name;
    };

    int countToggled (const RadioButtons& buttons)
    {
        int on = 0;

        for (int i = 0; i < buttons.getOptions().size(); ++i)
            on += buttons.getButton (i)->getToggleState() ? 1 : 0;

        return on;
    }
}

TEST (RadioButtons, SelectionTurnsOnExactlyOneButtonAndTellsListenersLastFirst)
{
    auto* buttons = new RadioButtons ("Preset storing", { "Automatic", "On demand" });
    Host host (*buttons);
    std::vector<juce::String> log;
    RadioLog first (log, "a"), second (log, "b");
    buttons->addListener (&first);
    buttons->addListener (&second);
    buttons->addListener (&second);

    EXPECT_EQ (buttons->getButton (1)->getName(), "RadioButton1");
    EXPECT_EQ (buttons->getSelected(), -1);
    EXPECT_EQ (countToggled (*buttons), 0);

    buttons->setSelected (1, false);
    EXPECT_TRUE (buttons->getButton (1)->getToggleState());
    EXPECT_EQ (countToggled (*buttons), 1);
    EXPECT_TRUE (log.empty());

    buttons->setSelected (0, true);
    EXPECT_EQ (log, (std::vector<juce::String> { "b0", "a0" }));

    buttons->setSelected (7, true);
    EXPECT_EQ (buttons->getSelected(), -1);
    EXPECT_EQ (countToggled (*buttons), 0);

    // A click on the selected option keeps it selected.
    log.clear();
    EditorTesting::click (*buttons->getButton (1));
    EditorTesting::click (*buttons->getButton (1));
    EXPECT_EQ (buttons->getSelected(), 1);
    EXPECT_TRUE (buttons->getButton (1)->getToggleState());
    EXPECT_EQ (log, (std::vector<juce::String> { "b1", "a1", "b1", "a1" }));
}

TEST (RadioButtons, SizeFollowsTitleOptionsAndRowMetrics)
{
    auto* buttons = new RadioButtons ("Default presets", { "Factory presets", "Clear presets", "User defined" });
    Host host (*buttons);
    const juce::Font title ("Tahoma", 13.0f, juce::Font::bold), option ("Tahoma", 13.0f, juce::Font::plain);
    const int titleHeight = (int) title.getHeight();

    EXPECT_EQ (buttons->getHeight(), 3 * 20 + 2 * 2 + titleHeight);
    EXPECT_EQ (buttons->getWidth(), juce::jmax (title.getStringWidth ("Default presets") + 26,
                                                option.getStringWidth ("Factory presets") + 12 + 6 + 13 + 2));
    EXPECT_EQ (buttons->getButton (2)->getPosition(), juce::Point<int> (7, titleHeight + 2 + 40 + (20 - 13) / 2));

    buttons->setSize (400, buttons->getHeight());
    buttons->sendLookAndFeelChange();
    EXPECT_EQ (buttons->getWidth(), 400);
}

TEST (DefaultResourcesRadioButtons, ThePathIsEnabledOnlyForTheLastOptionAndAChangedPathIsReported)
{
    auto* buttons = new DefaultResourcesRadioButtons ("Default presets", { "Factory presets", "Clear presets", "User defined" });
    Host host (*buttons);
    buttons->setSize (500, buttons->getHeight());
    auto& path = buttons->getPathComponent();
    std::vector<juce::String> log;
    RadioLog listener (log, "r");
    buttons->addListener (&listener);

    for (const int option : { 0, 1 })
    {
        buttons->setSelected (option, false);
        EXPECT_FALSE (path.isEnabled());
        EXPECT_FALSE (path.getBrowseButton().isEnabled());
    }

    buttons->setSelected (2, false);
    EXPECT_TRUE (path.isEnabled());
    EXPECT_TRUE (path.getBrowseButton().isEnabled());

    path.setPath ("/banks/live.hlprsb", true);
    EXPECT_EQ (log, (std::vector<juce::String> { "r2" }));

    // The path sits on the last row, right of its text, up to the right margin.
    EXPECT_GT (path.getX(), buttons->getButton (2)->getRight());
    EXPECT_EQ (path.getRight(), 500 - 6);
    EXPECT_NEAR (path.getBounds().getCentreY(), buttons->getButton (2)->getBounds().getCentreY(), 1);
    EXPECT_LE (path.getBottom(), buttons->getHeight());
}

TEST (PathComponent, ALongPathEndsInTheMarkerAndAShortOneIsWhole)
{
    auto* path = new PathComponent();
    Host host (*path);
    path->setSize (200, path->getHeight());
    EXPECT_EQ (path->getHeight(), path->getBrowseButton().getHeight());
    EXPECT_EQ (path->getBrowseButton().getRight(), 200);

    path->setPath ("/a/b.hlprsb", false);
    EXPECT_EQ (path->getShownText(), "/a/b.hlprsb");

    const juce::String longPath = "/home/musician/Music/Banks/Chorus/Live sets/2012/Twin lanes for the big room.hlprsb";
    path->setPath (longPath, false);
    const auto shown = path->getShownText();
    EXPECT_TRUE (shown.endsWith ("[...]"));
    EXPECT_TRUE (longPath.startsWith (shown.dropLastCharacters (5)));
    EXPECT_GT (shown.length(), 6);

    const juce::Font font ("Tahoma", 13.0f, juce::Font::plain);
    EXPECT_LE (font.getStringWidth (shown), 200 - path->getBrowseButton().getWidth() - PathComponent::buttonGap - 8);
}

TEST (PathComponent, ACaseOnlyChangeIsNoChangeAndDisablingDimsIt)
{
    struct Count : PathComponent::Listener
    {
        void pathChanged (PathComponent*) override { ++calls; }
        int calls = 0;
    } count;

    auto* path = new PathComponent();
    Host host (*path);
    path->setSize (300, path->getHeight());
    path->addListener (&count);

    path->setPath ("/Banks/Live.hlprsb", true);
    path->setPath ("/banks/LIVE.hlprsb", true);
    EXPECT_EQ (path->getPath(), "/Banks/Live.hlprsb");
    EXPECT_EQ (count.calls, 1);

    path->setPath ("", false);
    const auto enabledLook = path->createComponentSnapshot (path->getLocalBounds());
    path->setEnabled (false);
    EXPECT_FALSE (path->getBrowseButton().isEnabled());
    const auto disabledLook = path->createComponentSnapshot (path->getLocalBounds());

    // The box is drawn at half opacity over whatever lies beneath.
    const auto inside = juce::Point<int> (20, path->getHeight() / 2);
    EXPECT_EQ (enabledLook.getPixelAt (inside.x, inside.y), juce::Colour (0xffe3e3e3));
    EXPECT_NEAR (disabledLook.getPixelAt (inside.x, inside.y).getFloatAlpha(), 0.5f, 0.01f);
}

TEST (DefaultResourceCheckBox, AnEmptyPathUnticksTheBoxAndDisablesThePath)
{
    struct Count : DefaultResourceCheckBox::Listener
    {
        void defaultResourceChanged (DefaultResourceCheckBox*) override { ++calls; }
        int calls = 0;
    } count;

    auto* control = new DefaultResourceCheckBox ("Default map");
    Host host (*control);
    control->setSize (400, control->getHeight());
    control->addListener (&count);

    control->setPath ("/maps/keys.hlccmap");
    EXPECT_TRUE (control->isChecked());
    EXPECT_TRUE (control->getPathComponent().isEnabled());

    control->setPath ("");
    EXPECT_FALSE (control->isChecked());
    EXPECT_FALSE (control->getPathComponent().isEnabled());
    EXPECT_EQ (count.calls, 0);

    // Ticking by hand enables the path and is reported; so is a click on the text.
    EditorTesting::click (control->getCheckBox().getBox());
    EXPECT_TRUE (control->isChecked());
    EXPECT_TRUE (control->getPathComponent().isEnabled());
    EXPECT_EQ (count.calls, 1);

    auto& box = control->getCheckBox();
    box.mouseUp (EditorTesting::mouseEvent (box, { (float) box.getWidth() - 3.0f, 5.0f }));
    EXPECT_FALSE (control->isChecked());
    EXPECT_EQ (count.calls, 2);

    EXPECT_EQ (control->getHeight(), juce::jmax (box.getHeight(), control->getPathComponent().getHeight()));
    EXPECT_EQ (control->getPathComponent().getX(), box.getRight() + 5);
    EXPECT_EQ (control->getPathComponent().getRight(), 400);
}

TEST (TabbedComponentEx, ListenersHearTheNewTabAndAPageInsertedFirstComesToTheFront)
{
    struct Log : TabbedComponentEx::Listener
    {
        void currentTabChanged (TabbedComponentEx*, int index, const juce::String& name) override { tabs.add (juce::String (index) + name); }
        juce::StringArray tabs;
    } log;

    TabbedComponentEx tabs;
    juce::Component midi, presets;
    tabs.addListener (&log);
    tabs.addPage ("Midi Control", &midi);
    tabs.addPage ("Presets", &presets, 0);

    EXPECT_EQ (tabs.getTabNames(), (juce::StringArray { "Presets", "Midi Control" }));
    EXPECT_EQ (tabs.getCurrentTabName(), "Presets");
    EXPECT_EQ (tabs.getTabBackgroundColour (1), juce::Colour (0xffc5c5c5));

    tabs.setCurrentTabIndex (1);
    EXPECT_EQ (log.tabs, (juce::StringArray { "0Midi Control", "0Presets", "1Midi Control" }));
}
