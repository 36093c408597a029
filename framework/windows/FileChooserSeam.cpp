#include "FileChooserSeam.h"

namespace
{
    /** JUCE's native chooser, one dialog at a time: a new request replaces an open one. */
    class NativeFileChooser : public FileChooserSeam,
                              private juce::DeletedAtShutdown
    {
    public:
        ~NativeFileChooser() override   { instance = nullptr; }

        static NativeFileChooser& get()
        {
            if (instance == nullptr)
                instance = new NativeFileChooser();   // deleted at shutdown

            return *instance;
        }

        void chooseFile (const Request& request, Callback callback) override
        {
            chooser = std::make_unique<juce::FileChooser> (request.title, request.initialLocation,
                                                           request.filePatterns);
            const int flags = juce::FileBrowserComponent::canSelectFiles
                            | (request.saving ? juce::FileBrowserComponent::saveMode
                                                  | juce::FileBrowserComponent::warnAboutOverwriting
                                              : juce::FileBrowserComponent::openMode);

            chooser->launchAsync (flags, [answer = std::move (callback)] (const juce::FileChooser& finished)
            {
                if (answer != nullptr)
                    answer (finished.getResult());
            });
        }

    private:
        NativeFileChooser() = default;

        static inline NativeFileChooser* instance = nullptr;
        std::unique_ptr<juce::FileChooser> chooser;
    };

    FileChooserSeam* replacement = nullptr;
}

FileChooserSeam& FileChooserSeam::get()
{
    return replacement != nullptr ? *replacement : NativeFileChooser::get();
}

void FileChooserSeam::set (FileChooserSeam* chooser)
{
    replacement = chooser;
}
