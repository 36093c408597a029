#pragma once

#include <juce_core/juce_core.h>

/** An ordered, non-owning list of listeners without duplicates.

    Listeners are called from the last registered to the first, and the list length is
    checked again before every call, so a listener may remove itself (or others) while
    it is being called.
*/
template <typename ListenerType>
class ListenerArray
{
public:
    /** Appends a listener; null and listeners already present are ignored. */
    bool add (ListenerType* listener)
    {
        if (listener == nullptr || items.contains (listener))
            return false;

        items.add (listener);
        return true;
    }

    void remove (ListenerType* listener)    { items.removeFirstMatchingValue (listener); }
    bool contains (ListenerType* listener) const { return items.contains (listener); }
    int size() const noexcept               { return items.size(); }
    bool isEmpty() const noexcept           { return items.isEmpty(); }
    void clear()                            { items.clear(); }

    template <typename Callback>
    void callLastToFirst (Callback&& callback) const
    {
        for (int i = items.size(); --i >= 0;)
            if (i < items.size())
                callback (*items.getUnchecked (i));
    }

private:
    juce::Array<ListenerType*> items;
};
