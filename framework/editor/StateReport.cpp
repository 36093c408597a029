#include "StateReport.h"

std::unique_ptr<StateReport> StateReport::createIfRequested (juce::Component& editor)
{
    const auto path = juce::SystemStats::getEnvironmentVariable (fileVariable, {});

    if (path.isEmpty() || ! juce::File::isAbsolutePath (path))
        return nullptr;

    return std::make_unique<StateReport> (editor, juce::File (path));
}

StateReport::StateReport (juce::Component& reportedEditor, const juce::File& target)
    : editor (reportedEditor), file (target)
{
    juce::Desktop::getInstance().addGlobalMouseListener (this);
    startTimer (intervalMs);
}

StateReport::~StateReport()
{
    stopTimer();
    juce::Desktop::getInstance().removeGlobalMouseListener (this);
}

void StateReport::addFact (const juce::String& name, Fact value)
{
    facts.emplace_back (name, std::move (value));
}

juce::String StateReport::describe() const
{
    juce::StringArray lines, namesSeen;

    for (const auto& [name, value] : facts)
        lines.add (name + "=" + value().replaceCharacters ("\r\n", "  "));

    lines.add ("pointer=" + juce::String (pointer.x) + " " + juce::String (pointer.y));
    lines.add ("mouseDowns=" + juce::String (mouseDowns));
    lines.add ("mouseUps=" + juce::String (mouseUps));

    describeBounds (editor, lines, namesSeen);
    return lines.joinIntoString ("\n") + "\n";
}

void StateReport::describeBounds (const juce::Component& parent, juce::StringArray& lines, juce::StringArray& namesSeen) const
{
    for (auto* child : parent.getChildren())
    {
        if (! child->isShowing())
            continue;

        const auto name = child->getName();

        if (name.isNotEmpty() && ! namesSeen.contains (name))
        {
            namesSeen.add (name);
            const auto area = child->getScreenBounds();
            lines.add ("bounds." + name + "=" + juce::String (area.getX()) + " " + juce::String (area.getY()) + " "
                       + juce::String (area.getWidth()) + " " + juce::String (area.getHeight()));
        }

        describeBounds (*child, lines, namesSeen);
    }
}

void StateReport::writeIfChanged()
{
    const auto text = describe();

    if (text == written)
        return;

    const juce::TemporaryFile temporary (file);

    if (temporary.getFile().replaceWithText (text, false, false, "\n") && temporary.overwriteTargetFileWithTemporary())
        written = text;
}
