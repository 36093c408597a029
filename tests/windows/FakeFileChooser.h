#pragma once

#include "framework/windows/FileChooserSeam.h"

#include <vector>

/** Stands in for the user in a file dialog while it exists: records each request and
    answers it from the message loop, as the real dialog does, with the file it was told
    to choose or with a cancel. */
class FakeFileChooser : public FileChooserSeam
{
public:
    FakeFileChooser()               { FileChooserSeam::set (this); }
    ~FakeFileChooser() override     { FileChooserSeam::set (nullptr); }

    void willChoose (const juce::File& file)    { answer = file; }
    void willCancel()                           { answer = juce::File(); }

    void chooseFile (const Request& request, Callback callback) override
    {
        requests.push_back (request);
        juce::MessageManager::callAsync ([file = answer, callback] { if (callback != nullptr) callback (file); });
    }

    std::vector<Request> requests;

private:
    juce::File answer;
};
