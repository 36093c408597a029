#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A dialog that lives inside the editor instead of in a window of its own (a plug-in
    lives in the host's window, so real modal dialogs and top-level windows are avoided).

    On its first `show` the component moves into its covering window, a layer that fills
    the whole editor above everything else and swallows every mouse event outside the
    dialog, optionally dimming what lies beneath. The component keeps its identity and
    its owner; afterwards only the covering layer is shown and hidden.

    States: detached (before the first show, or without an editor above it), attached and
    hidden, shown. */
class PseudoModalComponent : public juce::Component
{
public:
    /** Marks the component pseudo-modal components attach to: the editor. */
    class Desktop
    {
    public:
        virtual ~Desktop() = default;
    };

    /** The layer between the editor and a shown dialog. It fills its parent, ignores every
        mouse event, and dims the editor when its dialog asks for that. */
    class CoveringWindow : public juce::Component
    {
    public:
        explicit CoveringWindow (PseudoModalComponent& owner);

        PseudoModalComponent& getOwner() const noexcept     { return owner; }

        void paint (juce::Graphics&) override;
        void resized() override;
        void parentSizeChanged() override;
        void parentHierarchyChanged() override;

        void mouseMove (const juce::MouseEvent&) override {}
        void mouseEnter (const juce::MouseEvent&) override {}
        void mouseExit (const juce::MouseEvent&) override {}
        void mouseDown (const juce::MouseEvent&) override {}
        void mouseDrag (const juce::MouseEvent&) override {}
        void mouseUp (const juce::MouseEvent&) override {}
        void mouseDoubleClick (const juce::MouseEvent&) override {}
        void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override {}
        void mouseMagnify (const juce::MouseEvent&, float) override {}

        static constexpr float darkeningOpacity = 0.33f;

    private:
        void fillParent();

        PseudoModalComponent& owner;
    };

    enum PositionMode
    {
        centred = 0,
        atPoint = 1
    };

    PseudoModalComponent();
    ~PseudoModalComponent() override;

    /** Shows the dialog centred over the editor; a shown dialog stays as it is. */
    void show();

    /** Shows the dialog with its top-left corner at a point, given relative to a component
        (or in the covering window's coordinates when none); a shown dialog does not move. */
    void showAt (int positionMode, juce::Point<int> position, juce::Component* relativeTo = nullptr);

    /** Hides the dialog; it stays attached, ready for the next show. */
    void hide();

    /** True while the dialog sits in its covering window inside an editor. */
    bool isAttached() const noexcept;

    /** True while attached and the covering window is visible. */
    bool isShown() const noexcept;

    CoveringWindow& getCoveringWindow() noexcept            { return coveringWindow; }
    int getPositionMode() const noexcept                    { return positionMode; }
    juce::Point<int> getShowPosition() const noexcept       { return position; }

    /** Whether the covering layer dims the editor while this dialog is shown. */
    virtual bool shouldDarkenBackground()                   { return false; }

    /** Places the dialog in its parent: centred, or at the stored point at its own size. */
    virtual void positionWindow();

    /** Runs after every show and hide. */
    virtual void modalStateChanged()                        {}

private:
    void showInMode (int mode, juce::Point<int> point, juce::Component* relativeTo);
    void attach();
    void detach();
    juce::Component* findDesktop() const;

    CoveringWindow coveringWindow { *this };
    int positionMode = centred;
    juce::Point<int> position;
};
