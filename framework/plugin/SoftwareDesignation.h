#pragma once

#include <juce_core/juce_core.h>

/** What a product says about itself in its about window. */
class SoftwareDesignation
{
public:
    virtual ~SoftwareDesignation() = default;

    virtual juce::String getProductName() const = 0;
    virtual juce::String getProductDescription() const = 0;
    virtual juce::String getVersionString() const = 0;
    virtual juce::String getWebAddress() const = 0;
    virtual juce::String getFirstYear() const = 0;
    virtual juce::String getMakerName() const = 0;
    virtual juce::String getBuildDate() const = 0;

    /** A remark on the edition; empty when there is none. */
    virtual juce::String getEditionNote() const = 0;

    virtual juce::String getBuildNumber() const = 0;
    virtual juce::String getPluginFormat() const = 0;
    virtual juce::String getPlatform() const = 0;
};
