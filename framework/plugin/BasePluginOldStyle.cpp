#include "BasePluginOldStyle.h"

BasePluginOldStyle::BasePluginOldStyle (int numberOfHostParameters)
    : BasePlugin (numberOfHostParameters)
{
}

void BasePluginOldStyle::applyCurrentPreset()
{
    presetListeners.callLastToFirst ([] (PresetManagerListener& l) { l.presetChanged(); });
}

void BasePluginOldStyle::handleProgramChange (int)
{
}

void BasePluginOldStyle::handleEvent (int)
{
}
