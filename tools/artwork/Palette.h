#pragma once

#include <juce_graphics/juce_graphics.h>

/** The colours of the Halvenek faceplate: dark anodised aluminium printed in warm cream,
    ivory bakelite knobs, amber lamps. */
namespace Palette
{
    const juce::Colour plate         { 0xff2b2d30 };
    const juce::Colour plateRecess   { 0xff222427 };
    const juce::Colour tab           { 0xff1b1c1e };
    const juce::Colour topBar        { 0xff121213 };
    const juce::Colour print         { 0xffeee3c8 };
    const juce::Colour printDim      { 0xffbfb49a };
    const juce::Colour shadow        { 0xff0b0b0c };
    const juce::Colour amber         { 0xffffb43c };
    const juce::Colour amberDark     { 0xff4a2a08 };
    const juce::Colour lampAmber     { 0xffff9a1c };
    const juce::Colour red           { 0xffff3a24 };
    const juce::Colour redDark       { 0xff3c0e0a };
    const juce::Colour ivory         { 0xfff1e8d0 };
    const juce::Colour ivoryShade    { 0xffb9ab88 };
    const juce::Colour chromeLight   { 0xfff4f5f6 };
    const juce::Colour chromeDark    { 0xff5b5f64 };
    const juce::Colour meterFace     { 0xfff6dfa6 };
    const juce::Colour meterFaceEdge { 0xffd49a45 };
    const juce::Colour meterInk      { 0xff201810 };
    const juce::Colour meterRed      { 0xffc4241a };
}
