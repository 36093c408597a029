#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

/** A plain-text account of the editor's state for the end-to-end tests, which drive the
    Standalone app with real mouse and key events and must read what happened without
    reading pixels.

    It exists only when the environment variable HALVENEK_STATE_FILE names a file. Every
    50 ms on the message thread it gathers its facts, one "name=value" line each, and when
    anything changed it replaces the file as a whole (never a half-written file). Besides
    the facts it is given, it lists where every showing, named component of the editor is
    on screen ("bounds.Name=x y width height"), so a test can aim at a control by name,
    and the mouse events the app has handled ("pointer=x y", "mouseDowns", "mouseUps"),
    so a test knows that its pointer input arrived before it goes on. */
class StateReport : private juce::Timer,
                    private juce::MouseListener
{
public:
    using Fact = std::function<juce::String()>;

    static constexpr const char* fileVariable = "HALVENEK_STATE_FILE";

    /** A report on the given editor when the environment asks for one, else null. */
    static std::unique_ptr<StateReport> createIfRequested (juce::Component& editor);

    StateReport (juce::Component& editor, const juce::File& target);
    ~StateReport() override;

    /** Adds a fact; its value is asked for on every check. */
    void addFact (const juce::String& name, Fact value);

    /** The report's current text. */
    juce::String describe() const;

    /** Writes the file when the text differs from what was written last. */
    void writeIfChanged();

    static constexpr int intervalMs = 50;

private:
    void timerCallback() override   { writeIfChanged(); }
    void mouseMove (const juce::MouseEvent& e) override   { pointer = e.getScreenPosition(); }
    void mouseDrag (const juce::MouseEvent& e) override   { pointer = e.getScreenPosition(); }
    void mouseDown (const juce::MouseEvent& e) override   { pointer = e.getScreenPosition(); ++mouseDowns; }
    void mouseUp (const juce::MouseEvent& e) override     { pointer = e.getScreenPosition(); ++mouseUps; }
    void describeBounds (const juce::Component&, juce::StringArray& lines, juce::StringArray& namesSeen) const;

    juce::Component& editor;
    const juce::File file;
    std::vector<std::pair<juce::String, Fact>> facts;
    juce::String written;
    juce::Point<int> pointer;
    int mouseDowns = 0, mouseUps = 0;
};
