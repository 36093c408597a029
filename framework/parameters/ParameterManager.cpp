#include "ParameterManager.h"
#include "NumberText.h"
#include "XmlReading.h"
#include "../plugin/Resources.h"

ParameterManager::~ParameterManager()
{
    clear();
}

void ParameterManager::loadDefinitions (const juce::String& resourceFileName)
{
    loadDefinitionsFromText (Resources::loadResourceText (resourceFileName));
}

void ParameterManager::loadDefinitionsFromText (const juce::String& definitionText)
{
    clear();

    const auto root = XmlReading::parse (definitionText);

    if (root == nullptr || ! XmlReading::hasTag (*root, "PluginParameters"))
        return;

    for (auto* param = XmlReading::firstChild (*root, "param"); param != nullptr;
         param = XmlReading::nextSibling (*param, "param"))
    {
        if (auto parameter = createFromDefinition (*param))
            addParameter (std::move (parameter));
    }
}

std::unique_ptr<Parameter> ParameterManager::createFromDefinition (const juce::XmlElement& param)
{
    if (! XmlReading::hasAttribute (param, "index"))
        return nullptr;

    const auto indexText = XmlReading::getAttribute (param, "index");
    const auto name = XmlReading::getAttribute (param, "name");

    if (name.isEmpty())
        return nullptr;

    const int index = (int) juce::jlimit ((long long) std::numeric_limits<int>::min(),
                                          (long long) std::numeric_limits<int>::max(),
                                          NumberText::parseLeadingInteger (indexText));
    const auto value = XmlReading::getAttribute (param, "value");
    const auto type = XmlReading::getAttribute (param, "type", "float");
    const auto minText = XmlReading::getAttribute (param, "min", "0");
    const auto maxText = XmlReading::getAttribute (param, "max", "1");
    const auto autoText = XmlReading::getAttribute (param, "auto").trimStart();
    const bool automatable = autoText.isNotEmpty() && juce::String ("1TYty").containsChar (autoText[0]);

    std::unique_ptr<Parameter> parameter;

    if (type == "float")
    {
        const auto minimum = (float) NumberText::parseNumber (minText);
        const auto maximum = (float) NumberText::parseNumber (maxText);
        auto p = std::make_unique<FloatParameter> (index, name, minimum, maximum, minimum, automatable);
        p->setValue ((float) NumberText::parseNumber (value), false);
        parameter = std::move (p);
    }
    else if (type == "int")
    {
        auto toInt = [] (const juce::String& t)
        {
            return (int) juce::jlimit ((long long) std::numeric_limits<int>::min(),
                                       (long long) std::numeric_limits<int>::max(),
                                       NumberText::parseLeadingInteger (t));
        };

        const int minimum = toInt (minText);
        auto p = std::make_unique<IntParameter> (index, name, minimum, toInt (maxText), minimum, automatable);
        p->setText (value, false);
        parameter = std::move (p);
    }
    else if (type == "string")
    {
        parameter = std::make_unique<StringParameter> (index, name, value, automatable);
    }
    else if (type == "bool" || type == "state")
    {
        auto p = std::make_unique<BoolParameter> (index, name, type == "bool" ? 0 : 1, false, automatable);
        p->setText (value, false);
        parameter = std::move (p);
    }
    else if (type == "enum")
    {
        parameter = std::make_unique<EnumParameter> (index, name, XmlReading::getAttribute (param, "enum"),
                                                     value, automatable);
    }
    else if (type == "note")
    {
        parameter = std::make_unique<NoteParameter> (index, name, juce::jmax (0, NoteParameter::parseNoteName (value)),
                                                     automatable);
    }

    return parameter;
}

void ParameterManager::clear()
{
    const juce::ScopedWriteLock sl (lock);
    byIndex.clear();
    byName.clear();
    parameters.clear();
}

bool ParameterManager::addParameter (std::unique_ptr<Parameter> parameter)
{
    if (parameter == nullptr)
        return false;

    const juce::ScopedWriteLock sl (lock);
    const auto sameIndex = byIndex.find (parameter->getIndex());

    // A registered object is found under its own index; it must stay alive, so it is
    // handed back to its owner (the list) rather than deleted.
    if (sameIndex != byIndex.end() && sameIndex->second == parameter.get())
    {
        parameter.release();
        return false;
    }

    if (sameIndex != byIndex.end() || byName.count (parameter->getName()) != 0)
        return false;

    auto* p = parameters.add (parameter.release());
    byIndex[p->getIndex()] = p;
    byName[p->getName()] = p;
    return true;
}

int ParameterManager::getNumParameters() const
{
    const juce::ScopedReadLock sl (lock);
    return parameters.size();
}

Parameter* ParameterManager::getParameterAt (int position) const
{
    const juce::ScopedReadLock sl (lock);
    return parameters[position];
}

Parameter* ParameterManager::getParameter (int index) const
{
    const juce::ScopedReadLock sl (lock);
    const auto found = byIndex.find (index);
    return found != byIndex.end() ? found->second : nullptr;
}

Parameter* ParameterManager::getParameterByName (const juce::String& name) const
{
    const juce::ScopedReadLock sl (lock);
    const auto found = byName.find (name);
    return found != byName.end() ? found->second : nullptr;
}

juce::String ParameterManager::getParameterName (int index) const
{
    const juce::ScopedReadLock sl (lock);
    const auto found = byIndex.find (index);
    return found != byIndex.end() ? found->second->getName() : juce::String();
}

float ParameterManager::getParameterValue (int index) const
{
    const juce::ScopedReadLock sl (lock);
    const auto found = byIndex.find (index);
    return found != byIndex.end() ? found->second->getValue() : 0.0f;
}

float ParameterManager::getParameterNormalisedValue (int index) const
{
    const juce::ScopedReadLock sl (lock);
    const auto found = byIndex.find (index);
    return found != byIndex.end() ? found->second->getNormalisedValue() : 0.0f;
}

juce::String ParameterManager::getParameterText (int index) const
{
    const juce::ScopedReadLock sl (lock);
    const auto found = byIndex.find (index);
    return found != byIndex.end() ? found->second->getText() : juce::String();
}

// The setters look the parameter up under the lock but call it outside: its listeners
// take the processor lock, and no lock may be held while calling out.
void ParameterManager::setParameterNormalisedValue (int index, float value)
{
    if (auto* p = getParameter (index))
        p->setNormalisedValue (value, true);
}

void ParameterManager::setCurrentPresetNumber (int number, bool notify)
{
    if (auto* p = getParameter (currentPresetNumberIndex))
        p->setIntValue (number, notify);
}

void ParameterManager::setCurrentPresetName (const juce::String& name, bool notify)
{
    if (auto* p = getParameter (currentPresetNameIndex))
        p->setText (name, notify);
}

template <typename Function>
void ParameterManager::forEachParameter (Function&& function) const
{
    const juce::ScopedReadLock sl (lock);

    for (auto* p : parameters)
        function (*p);
}

void ParameterManager::addListenerToAll (Parameter::Listener* l)          { forEachParameter ([l] (Parameter& p) { p.addListener (l); }); }
void ParameterManager::removeListenerFromAll (Parameter::Listener* l)     { forEachParameter ([l] (Parameter& p) { p.removeListener (l); }); }
void ParameterManager::addAsyncListenerToAll (Parameter::Listener* l)     { forEachParameter ([l] (Parameter& p) { p.addAsyncListener (l); }); }
void ParameterManager::removeAsyncListenerFromAll (Parameter::Listener* l){ forEachParameter ([l] (Parameter& p) { p.removeAsyncListener (l); }); }
void ParameterManager::notifyAll()                                        { forEachParameter ([] (Parameter& p) { p.notifyListeners(); }); }

void ParameterManager::addListener (int index, Parameter::Listener* l)
{
    if (auto* p = getParameter (index))
        p->addListener (l);
}

void ParameterManager::addAsyncListener (int index, Parameter::Listener* l)
{
    if (auto* p = getParameter (index))
        p->addAsyncListener (l);
}

void ParameterManager::removeAsyncListener (int index, Parameter::Listener* l)
{
    if (auto* p = getParameter (index))
        p->removeAsyncListener (l);
}
