#include "framework/parameters/Parameter.h"
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <limits>
#include <typeinfo>
#include <thread>
#include <vector>

namespace
{
    /** Records every call in one shared log, so that the order across listeners shows. */
    struct Log
    {
        std::vector<juce::String> entries;
    };

    class RecordingListener : public Parameter::Listener
    {
    public:
        RecordingListener (juce::String listenerName, Log& sharedLog) : name (std::move (listenerName)), log (sharedLog) {}

        void parameterChanged (Parameter& p) override
        {
            ++changes;
            valueSeen = p.getValue();
            calledOnMessageThread = juce::MessageManager::existsAndIsCurrentThread();
            log.entries.push_back (name);

            if (onChange)
                onChange (p);
        }

        void parameterChangeGestureBegan (Parameter&) override { log.entries.push_back (name + " began"); }
        void parameterChangeGestureEnded (Parameter&) override { log.entries.push_back (name + " ended"); }

        const juce::String name;
        Log& log;
        int changes = 0;
        float valueSeen = -1.0f;
        bool calledOnMessageThread = false;
        std::function<void (Parameter&)> onChange;
    };

    using Names = std::vector<juce::String>;

    /** Every class, holding a value that the change below moves away from. */
    std::vector<std::unique_ptr<Parameter>> oneOfEachClass()
    {
        std::vector<std::unique_ptr<Parameter>> all;
        all.push_back (std::make_unique<FloatParameter> (0, "Float", 0.0f, 1.0f, 0.25f));
        all.push_back (std::make_unique<IntParameter> (1, "Int", 0, 10, 3));
        all.push_back (std::make_unique<BoolParameter> (2, "Bool", 1, false));
        all.push_back (std::make_unique<EnumParameter> (3, "Enum", "a;b;c", "a"));
        all.push_back (std::make_unique<NoteParameter> (4, "Note", 60));
        all.push_back (std::make_unique<StringParameter> (5, "String", "text"));
        return all;
    }

    /** Three immediate listeners registered a, b, c on one parameter. */
    class ThreeListeners : public testing::Test
    {
    protected:
        ThreeListeners()
        {
            p.addListener (&a);
            p.addListener (&b);
            p.addListener (&c);
        }

        FloatParameter p { 0, "x" };
        Log log;
        RecordingListener a { "a", log }, b { "b", log }, c { "c", log };
    };

    /** An immediate and a deferred listener on a parameter, with nothing left pending. */
    struct Watched
    {
        explicit Watched (Parameter& p) : parameter (p)
        {
            parameter.addListener (&now);
            parameter.addAsyncListener (&later);
            MessageLoop::dispatchPending();
            log.entries.clear();
        }

        ~Watched()
        {
            parameter.removeListener (&now);
            parameter.removeAsyncListener (&later);
        }

        Parameter& parameter;
        Log log;
        RecordingListener now { "now", log }, later { "later", log };
    };
}

//==============================================================================
TEST_F (ThreeListeners, ImmediateListenersRunLastToFirstAndSeeTheNewValue)
{
    p.setValue (0.6f, true);

    EXPECT_EQ (log.entries, (Names { "c", "b", "a" }));
    EXPECT_FLOAT_EQ (a.valueSeen, 0.6f);
}

TEST_F (ThreeListeners, DuplicateAndNullListenersAreIgnored)
{
    p.addListener (&a);
    p.addListener (nullptr);
    p.addAsyncListener (nullptr);

    p.setValue (0.6f, true);
    EXPECT_EQ (a.changes, 1);

    p.removeListener (&a);
    p.setValue (0.7f, true);
    EXPECT_EQ (a.changes, 1);
}

TEST_F (ThreeListeners, ListenerMayRemoveItselfDuringTheCall)
{
    b.onChange = [&] (Parameter& changed) { changed.removeListener (&b); };

    p.setValue (0.6f, true);
    EXPECT_EQ (log.entries, (Names { "c", "b", "a" }));

    log.entries.clear();
    p.setValue (0.7f, true);
    EXPECT_EQ (log.entries, (Names { "c", "a" }));
}

TEST_F (ThreeListeners, LastListenerRemovingEveryoneStopsTheLoopSafely)
{
    c.onChange = [&] (Parameter& changed)
    {
        changed.removeListener (&a);
        changed.removeListener (&b);
        changed.removeListener (&c);
    };

    p.setValue (0.6f, true);
    EXPECT_EQ (log.entries, (Names { "c" }));
}

TEST_F (ThreeListeners, RemovedEarlierListenerIsNotCalled)
{
    c.onChange = [&] (Parameter& changed) { changed.removeListener (&a); };

    p.setValue (0.6f, true);
    EXPECT_EQ (a.changes, 0);
    EXPECT_GE (b.changes, 1);
}

TEST_F (ThreeListeners, GesturesReachOnlyTheImmediateListeners)
{
    p.removeListener (&c);
    p.addAsyncListener (&c);

    p.beginChangeGesture();
    p.endChangeGesture();
    MessageLoop::dispatchPending();

    EXPECT_EQ (log.entries, (Names { "b began", "a began", "b ended", "a ended" }));
    EXPECT_EQ (a.changes + b.changes + c.changes, 0);
}

TEST (ParameterNotification, SameValueNotifiesNobody)
{
    for (auto& p : oneOfEachClass())
    {
        Watched watched (*p);

        p->setFromParameter (*p->clone(), true);
        p->setText (p->getText(), true);
        MessageLoop::dispatchPending();

        EXPECT_TRUE (watched.log.entries.empty()) << p->getName();
    }
}

TEST (ParameterNotification, FloatNaNCountsAsTheSameValue)
{
    Log log;
    RecordingListener now ("now", log);
    FloatParameter p (0, "x", 0.0f, 1.0f, 0.4f);
    p.addListener (&now);

    p.setValue (std::numeric_limits<float>::quiet_NaN(), true);
    EXPECT_EQ (now.changes, 0);
}

TEST (ParameterNotification, WithoutNotifyNobodyHearsNowOrLater)
{
    for (auto& p : oneOfEachClass())
    {
        Watched watched (*p);

        const auto before = p->getText();
        p->setNormalisedValue (1.0f, false);
        ASSERT_NE (p->getText(), before) << p->getName();
        p->setText ("C-2", false); // a note name; a number (0) for the others
        MessageLoop::dispatchPending();

        EXPECT_TRUE (watched.log.entries.empty()) << p->getName();
    }
}

TEST (ParameterNotification, EveryClassTellsBothListsOfAChange)
{
    for (auto& p : oneOfEachClass())
    {
        Watched watched (*p);

        p->setNormalisedValue (1.0f, true);
        EXPECT_EQ (watched.now.changes, 1) << p->getName();
        EXPECT_EQ (watched.later.changes, 0) << p->getName();

        ASSERT_TRUE (MessageLoop::runUntil ([&] { return watched.later.changes > 0; })) << p->getName();
        MessageLoop::dispatchPending();
        EXPECT_EQ (watched.later.changes, 1) << p->getName();
    }
}

TEST (ParameterNotification, SeveralChangesMakeOneDeferredCallOnTheMessageThread)
{
    Log log;
    RecordingListener first ("first", log), second ("second", log);
    FloatParameter p (0, "x");
    p.addAsyncListener (&first);
    p.addAsyncListener (&second);

    p.setValue (0.1f, true);
    p.setValue (0.2f, true);
    p.setValue (0.3f, true);
    EXPECT_TRUE (log.entries.empty());

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return first.changes > 0; }));
    MessageLoop::dispatchPending();

    EXPECT_EQ (log.entries, (Names { "second", "first" }));
    EXPECT_FLOAT_EQ (first.valueSeen, 0.3f);
    EXPECT_TRUE (first.calledOnMessageThread);
}

TEST (ParameterNotification, DeferredListenerRemovedBeforeDeliveryIsNotCalled)
{
    Log log;
    RecordingListener later ("later", log);
    FloatParameter p (0, "x");
    p.addAsyncListener (&later);

    p.setValue (0.5f, true);
    p.removeAsyncListener (&later);
    MessageLoop::dispatchPending();

    EXPECT_EQ (later.changes, 0);
}

TEST (ParameterNotification, DestroyedParameterDeliversNothing)
{
    Log log;
    RecordingListener later ("later", log);

    {
        FloatParameter p (0, "x");
        p.addAsyncListener (&later);
        p.setValue (0.5f, true);
    }

    MessageLoop::dispatchPending();
    EXPECT_EQ (later.changes, 0);
}

TEST (ParameterNotification, ChangeOnAnotherThreadCallsImmediateThereAndDeferredOnTheMessageThread)
{
    FloatParameter p (0, "x");
    Watched watched (p);

    std::thread audio ([&] { p.setValue (0.9f, true); });
    audio.join();

    EXPECT_EQ (watched.now.changes, 1);
    EXPECT_FALSE (watched.now.calledOnMessageThread);

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return watched.later.changes > 0; }));
    EXPECT_TRUE (watched.later.calledOnMessageThread);
    EXPECT_FLOAT_EQ (watched.later.valueSeen, 0.9f);
}

TEST (ParameterNotification, NotifyListenersCallsBothListsWithoutAChange)
{
    IntParameter p (0, "x", 0, 5, 2);
    Watched watched (p);

    p.notifyListeners();
    EXPECT_EQ (watched.now.changes, 1);
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return watched.later.changes > 0; }));
    EXPECT_EQ (watched.later.changes, 1);
}

//==============================================================================
TEST (ParameterClone, CopiesIdentityRangeAndValueButNoListeners)
{
    for (auto& original : oneOfEachClass())
    {
        original->setAutomatable (true);
        original->setNormalisedValue (1.0f, false);

        Watched watched (*original);

        const auto copy = original->clone();
        ASSERT_NE (copy, nullptr);
        const Parameter& copied = *copy;
        const Parameter& source = *original;
        EXPECT_TRUE (typeid (copied) == typeid (source));
        EXPECT_EQ (copy->getIndex(), original->getIndex());
        EXPECT_EQ (copy->getName(), original->getName());
        EXPECT_TRUE (copy->isAutomatable());
        EXPECT_EQ (copy->getText(), original->getText());
        EXPECT_FLOAT_EQ (copy->getNormalisedValue(), original->getNormalisedValue());

        copy->setNormalisedValue (0.0f, true);
        MessageLoop::dispatchPending();
        EXPECT_TRUE (watched.log.entries.empty()) << original->getName();
        EXPECT_NE (copy->getText(), original->getText()) << original->getName();
    }
}

TEST (ParameterClone, KeepsTheRangeOfEachClass)
{
    FloatParameter f (0, "f", -3.0f, 7.0f, 2.0f);
    auto fc = f.clone();
    fc->setNormalisedValue (1.0f, false);
    EXPECT_FLOAT_EQ (fc->getValue(), 7.0f);
    fc->setNormalisedValue (0.0f, false);
    EXPECT_FLOAT_EQ (fc->getValue(), -3.0f);

    IntParameter i (1, "i", -4, 9, 0);
    auto ic = i.clone();
    ic->setNormalisedValue (1.0f, false);
    EXPECT_EQ (ic->getIntValue(), 9);
    ic->setNormalisedValue (0.0f, false);
    EXPECT_EQ (ic->getIntValue(), -4);

    BoolParameter b (2, "b", 3, true);
    EXPECT_EQ (b.clone()->getText(), "yes");

    EnumParameter e (3, "e", "x;;z;", "z");
    auto ec = e.clone();
    EXPECT_EQ (ec->getText(), "z");
    EXPECT_EQ (dynamic_cast<EnumParameter&> (*ec).getItems(), e.getItems());
    EXPECT_EQ (dynamic_cast<EnumParameter&> (*ec).getItemSpecification(), "x;;z;");
}

//==============================================================================
TEST (StringParameterThreads, ReadersNeverSeeATornText)
{
    const auto textA = juce::String::repeatedString ("A", 2000);
    const auto textB = juce::String::repeatedString ("B", 3000);
    StringParameter p (0, "Name", textA);

    std::atomic<bool> running { true };
    std::atomic<int> badReads { 0 };
    std::vector<std::thread> threads;

    for (int w = 0; w < 2; ++w)
        threads.emplace_back ([&, w]
        {
            for (int n = 0; n < 20000; ++n)
                p.setText ((n + w) % 2 == 0 ? textA : textB, false);
        });

    for (int r = 0; r < 2; ++r)
        threads.emplace_back ([&]
        {
            while (running)
            {
                const auto t = p.getText();

                if (t != textA && t != textB)
                    ++badReads;

                if (p.getIntValue() != 0 || p.getValue() != 0.0f)
                    ++badReads;
            }
        });

    threads[0].join();
    threads[1].join();
    running = false;
    threads[2].join();
    threads[3].join();

    EXPECT_EQ (badReads.load(), 0);
}

TEST (StringParameterThreads, ListenerMayReadTheTextInsideTheChange)
{
    Log log;
    RecordingListener reader ("reader", log);
    StringParameter p (0, "Name", "old");
    juce::String seen;
    reader.onChange = [&] (Parameter& changed) { seen = changed.getText(); };
    p.addListener (&reader);

    std::thread writer ([&] { p.setText ("new", true); });
    writer.join();

    EXPECT_EQ (seen, "new");
}

TEST (StringParameterThreads, ConcurrentWritersWithListenersKeepOneOfTheTexts)
{
    Log log;
    std::atomic<int> calls { 0 };

    struct Counter : Parameter::Listener
    {
        explicit Counter (std::atomic<int>& c) : count (c) {}
        void parameterChanged (Parameter& p) override { if (p.getText().isNotEmpty()) ++count; }
        std::atomic<int>& count;
    } counter (calls);

    StringParameter p (0, "Name");
    p.addListener (&counter);

    std::vector<std::thread> writers;

    for (int w = 0; w < 4; ++w)
        writers.emplace_back ([&, w]
        {
            for (int n = 0; n < 5000; ++n)
                p.setText ("writer " + juce::String (w) + " step " + juce::String (n), true);
        });

    for (auto& t : writers)
        t.join();

    EXPECT_EQ (calls.load(), 20000); // every write is a change, since each text is new
    EXPECT_TRUE (p.getText().endsWith ("step 4999"));
    MessageLoop::dispatchPending();
}
